#include "VVCDSPPageHSB.h"

#include <algorithm>

#include "VVCDSPSliderScale.h"
#include "VVCDSPText.h"

namespace {

constexpr VVCDSPSliderScale kSaturation{-10.0, 10.0, 0.1};
constexpr int kHueLimit = 180;

}  // namespace

std::vector<VVCControl> VVCDSPPageHSB::pageView() const {
    return {VVCControl::slider("hue", "Hue", -kHueLimit, kHueLimit,
                               std::clamp<int32_t>(mHue, -kHueLimit, kHueLimit),
                               XStr::format("Hue %d", mHue)),
            VVCControl::slider("saturation", "Saturation", kSaturation.minimumPosition(),
                               kSaturation.maximumPosition(), kSaturation.positionOf(mSaturation),
                               "Saturation " + VVCDSPText::fixed(mSaturation, 1))
                .withShownValues([](int position) {
                    return VVCDSPText::fixed(kSaturation.valueAt(position), 1);
                })};
}

XStr VVCDSPPageHSB::dspArgs() const {
    return "-vf hue='h=" + XStr::number(mHue) + ":s=" + VVCDSPText::fixed(mSaturation, 1) + "'";
}

void VVCDSPPageHSB::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mHue = static_cast<int32_t>(
        std::clamp<int64_t>(VVCDSPText::scanIntAfter(args, "h="), INT32_MIN, INT32_MAX));
    mSaturation = VVCDSPText::scanFloatAfter(args, "s=");
}

void VVCDSPPageHSB::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "hue") {
        mHue = value.integer;
    } else if (control.id == "saturation") {
        mSaturation = kSaturation.valueAt(value.integer);
    }
}
