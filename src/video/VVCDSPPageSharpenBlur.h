// Sharpen & Blur: FFmpeg's unsharp filter; negative amounts blur, positive ones sharpen.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageSharpenBlur : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    double value() const { return mValue; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    double mValue = 0;
};
