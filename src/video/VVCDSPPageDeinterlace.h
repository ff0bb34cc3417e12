// Deinterlace (yadif): FFmpeg's yadif filter with its mode, field parity and which frames
// it treats.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageDeinterlace : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    // The parity choice that FFmpeg calls -1.
    static constexpr uint32_t kAutomaticParity = 2;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    uint32_t mIdxMode = 0;
    uint32_t mIdxParity = kAutomaticParity;
    uint32_t mIdxDeinterlace = 0;
};
