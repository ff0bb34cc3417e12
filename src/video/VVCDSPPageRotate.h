// Rotate: turns the picture by an angle in degrees; the frame keeps its size.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageRotate : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    void setDspArgs(const XStr& args) override;

    int32_t rotateValue() const { return mRotateValue; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    int32_t mRotateValue = 0;
};
