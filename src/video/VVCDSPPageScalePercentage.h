// Scale Percentage: scales the picture by a percentage of its own width and height.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageScalePercentage : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    double percentX() const { return mPercentX; }
    double percentY() const { return mPercentY; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    // Fractions of the source size.
    double mPercentX = 0.5;
    double mPercentY = 0.5;
};
