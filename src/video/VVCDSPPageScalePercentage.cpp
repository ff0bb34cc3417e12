#include "VVCDSPPageScalePercentage.h"

#include <cmath>

#include "VVCDSPText.h"

namespace {

// Rounds halves to even, as the percentages are written.
int64_t wholePercent(double fraction) {
    return static_cast<int64_t>(std::nearbyint(fraction * 100));
}

}  // namespace

std::vector<VVCControl> VVCDSPPageScalePercentage::pageView() const {
    return {VVCControl::label("description", "Scales video, as a percentage of its original size."),
            VVCControl::numberField("width", "Width (%)",
                                    static_cast<double>(wholePercent(mPercentX)), 1, 1000, 0),
            VVCControl::numberField("height", "Height (%)",
                                    static_cast<double>(wholePercent(mPercentY)), 1, 1000, 0)};
}

XStr VVCDSPPageScalePercentage::dspArgs() const {
    return "-filter:v \"scale=iw*(" + XStr::number(wholePercent(mPercentX)) + "/100):ih*(" +
           XStr::number(wholePercent(mPercentY)) + "/100)\"";
}

void VVCDSPPageScalePercentage::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    const int64_t x = VVCDSPText::scanIntAfter(args, "iw*(");
    const int64_t y = VVCDSPText::scanIntAfter(args, "ih*(");
    if (x > 0) {
        mPercentX = static_cast<double>(x) * 0.01;
    }
    if (y > 0) {
        mPercentY = static_cast<double>(y) * 0.01;
    }
}

void VVCDSPPageScalePercentage::applyControl(const VVCControl& control,
                                             const VVCControlValue& value) {
    if (control.id == "width") {
        mPercentX = value.number / 100;
    } else if (control.id == "height") {
        mPercentY = value.number / 100;
    }
}
