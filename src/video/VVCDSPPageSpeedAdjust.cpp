#include "VVCDSPPageSpeedAdjust.h"

#include "VVCDSPText.h"

std::vector<VVCControl> VVCDSPPageSpeedAdjust::pageView() const {
    const XStr speed = mAdjustValue > 0 ? VVCDSPText::fixed(1 / mAdjustValue, 2) : XStr("-");
    return {VVCControl::numberField("factor", "Time stamp factor", mAdjustValue, 0.01, 100, 3),
            VVCControl::label("speed", "Picture plays at " + speed + " times its speed")};
}

XStr VVCDSPPageSpeedAdjust::dspArgs() const {
    return "-vf setpts='" + VVCDSPText::fixed(mAdjustValue, 6) + "*PTS'";
}

void VVCDSPPageSpeedAdjust::setDspArgs(const XStr& args) {
    if (!args.empty()) {
        mAdjustValue = VVCDSPText::scanFloatAfter(args, "setpts='");
    }
}

void VVCDSPPageSpeedAdjust::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "factor") {
        mAdjustValue = value.number;
    }
}
