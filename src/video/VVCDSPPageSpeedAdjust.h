// Speed Adjust: multiplies the picture's time stamps; 0.5 plays twice as fast. The sound
// keeps its speed.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageSpeedAdjust : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    double adjustValue() const { return mAdjustValue; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    double mAdjustValue = 0.5;
};
