#include "VVCDSPPageRotate.h"

#include <algorithm>
#include <limits>

#include "VVCDSPText.h"

std::vector<VVCControl> VVCDSPPageRotate::pageView() const {
    return {
        VVCControl::slider("angle", "Angle", -360, 360, std::clamp(mRotateValue, -360, 360),
                           XStr::format("%d degrees", mRotateValue))
            .withShownValues([](int position) { return XStr::format("%d degrees", position); })};
}

XStr VVCDSPPageRotate::dspArgs() const {
    return "-vf rotate='" + XStr::number(mRotateValue) + "*PI/180'";
}

void VVCDSPPageRotate::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    const int64_t angle = VVCDSPText::scanIntAfter(args, "rotate='");
    mRotateValue = static_cast<int32_t>(std::clamp<int64_t>(
        angle, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void VVCDSPPageRotate::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "angle") {
        mRotateValue = value.integer;
    }
}
