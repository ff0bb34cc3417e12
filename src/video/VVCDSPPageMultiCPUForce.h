// Multi-CPU Force: how many conversions run at once, and optionally FFmpeg's own thread
// limit per conversion. The engine takes the encoder count out before FFmpeg starts.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageMultiCPUForce : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    uint32_t mNumEncoders = 1;
    bool mLimitPerEncoder = false;
    uint32_t mLimitPerEncoderThreads = 1;
};
