// Denoiser (Spatial Denoiser): FFmpeg's removegrain filter at one of three strengths.
#pragma once

#include <array>

#include "VMCDSPPage.h"

class VVCDSPPageDenoiserSpatial : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override {
        return {VVCControl::choice("strength", "Strength", {"Light", "Medium", "Strong"},
                                   static_cast<int>(mOptionIndex))};
    }
    XStr dspArgs() const override {
        return "-vf removegrain='" + XStr(kStrengths[mOptionIndex]) + "'";
    }
    // The first strength found anywhere in the text; none leaves the choice.
    void setDspArgs(const XStr& args) override {
        for (std::size_t i = 0; i < kStrengths.size(); ++i) {
            if (args.contains(kStrengths[i])) {
                mOptionIndex = i;
                return;
            }
        }
    }

    static constexpr std::array<const char*, 3> kStrengths = {
        "m0=2:m1=1:m2=2:m3=3", "m0=3:m1=2:m2=2:m3=3", "m0=7:m1=7:m2=5:m3=5"};

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override {
        if (control.id == "strength") {
            mOptionIndex = static_cast<std::size_t>(value.integer);
        }
    }

private:
    std::size_t mOptionIndex = 1;
};
