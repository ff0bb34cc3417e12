// Hue & Saturation: FFmpeg's hue filter, the hue turned in degrees.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageHSB : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    int32_t mHue = 0;
    double mSaturation = 0;
};
