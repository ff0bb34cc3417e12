// Brightness & Contrast: FFmpeg's eq filter.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageBrightnessContrast : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    double mBrightness = 0;
    double mContrast = 1.0;
};
