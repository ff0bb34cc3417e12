#include "VVCDSPPageCrop.h"

#include <cmath>

#include "VVCDSPText.h"

namespace {

constexpr double kMaxSide = 16384;

}  // namespace

std::vector<VVCControl> VVCDSPPageCrop::pageView() const {
    return {
        VVCControl::numberField("width", "Width", static_cast<double>(mWidth), 1, kMaxSide, 0),
        VVCControl::numberField("height", "Height", static_cast<double>(mHeight), 1, kMaxSide, 0),
        VVCControl::numberField("x", "Left", static_cast<double>(mX), 0, kMaxSide, 0),
        VVCControl::numberField("y", "Top", static_cast<double>(mY), 0, kMaxSide, 0)};
}

XStr VVCDSPPageCrop::dspArgs() const {
    return "-vf crop=" + XStr::number(mWidth) + ":" + XStr::number(mHeight) + ":" +
           XStr::number(mX) + ":" + XStr::number(mY);
}

void VVCDSPPageCrop::setDspArgs(const XStr& args) {
    const std::size_t equals = args.find(U'=');
    if (equals == XStr::npos) {
        return;
    }
    if (const auto n = VVCDSPText::integersSplitAt(args.substr(equals + 1), U':', 4)) {
        mWidth = (*n)[0];
        mHeight = (*n)[1];
        mX = (*n)[2];
        mY = (*n)[3];
    }
}

void VVCDSPPageCrop::applyControl(const VVCControl& control, const VVCControlValue& value) {
    const int64_t n = std::llround(value.number);
    if (control.id == "width") {
        mWidth = n;
    } else if (control.id == "height") {
        mHeight = n;
    } else if (control.id == "x") {
        mX = n;
    } else if (control.id == "y") {
        mY = n;
    }
}
