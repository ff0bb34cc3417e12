// Flip: mirrors the picture top to bottom or left to right.
#pragma once

#include "VMCDSPPage.h"

class VVCDSPPageFlip : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override {
        return {VVCControl::choice("direction", "Flip", {"Vertical", "Horizontal"},
                                   mHorizontal ? 1 : 0)};
    }
    XStr dspArgs() const override { return mHorizontal ? "-vf hflip" : "-vf vflip"; }
    // Only the exact horizontal text reads as horizontal.
    void setDspArgs(const XStr& args) override { mHorizontal = args == "-vf hflip"; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override {
        if (control.id == "direction") {
            mHorizontal = value.integer == 1;
        }
    }

private:
    bool mHorizontal = false;
};
