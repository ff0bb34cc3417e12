#include "VVCDSPPageLoopVideo.h"

#include <algorithm>
#include <cmath>

#include "VAElemValueList.h"

std::vector<VVCControl> VVCDSPPageLoopVideo::pageView() const {
    return {VVCControl::numberField("count", "Play count", mLoopCount, 1, 1000, 0)};
}

XStr VVCDSPPageLoopVideo::dspArgs() const {
    return "-loopvideo=" + XStr::number(mLoopCount);
}

void VVCDSPPageLoopVideo::setDspArgs(const XStr& args) {
    mLoopCount = static_cast<uint32_t>(
        std::clamp<int64_t>(VAElemValueList(args).findIntValue("loopvideo", 1), 0, INT32_MAX));
}

void VVCDSPPageLoopVideo::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "count") {
        mLoopCount = static_cast<uint32_t>(std::lround(value.number));
    }
}
