#include "VVCDSPPageBrightnessContrast.h"

#include "VVCDSPSliderScale.h"
#include "VVCDSPText.h"

namespace {

constexpr VVCDSPSliderScale kBrightness{-1.0, 1.0, 0.01};
constexpr VVCDSPSliderScale kContrast{0.0, 3.0, 0.01};

}  // namespace

std::vector<VVCControl> VVCDSPPageBrightnessContrast::pageView() const {
    return {VVCControl::slider("brightness", "Brightness", kBrightness.minimumPosition(),
                               kBrightness.maximumPosition(), kBrightness.positionOf(mBrightness),
                               "Brightness: " + VVCDSPText::fixed(mBrightness, 2))
                .withShownValues([](int position) {
                    return VVCDSPText::fixed(kBrightness.valueAt(position), 2);
                }),
            VVCControl::slider("contrast", "Contrast", kContrast.minimumPosition(),
                               kContrast.maximumPosition(), kContrast.positionOf(mContrast),
                               "Contrast: " + VVCDSPText::fixed(mContrast, 2))
                .withShownValues([](int position) {
                    return VVCDSPText::fixed(kContrast.valueAt(position), 2);
                })};
}

XStr VVCDSPPageBrightnessContrast::dspArgs() const {
    return "-vf eq=\"brightness=" + VVCDSPText::fixed(mBrightness, 2) +
           ":contrast=" + VVCDSPText::fixed(mContrast, 2) + "\"";
}

void VVCDSPPageBrightnessContrast::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mBrightness = VVCDSPText::scanFloatAfter(args, "brightness=");
    mContrast = VVCDSPText::scanFloatAfter(args, "contrast=");
}

void VVCDSPPageBrightnessContrast::applyControl(const VVCControl& control,
                                                const VVCControlValue& value) {
    if (control.id == "brightness") {
        mBrightness = kBrightness.valueAt(value.integer);
    } else if (control.id == "contrast") {
        mContrast = kContrast.valueAt(value.integer);
    }
}
