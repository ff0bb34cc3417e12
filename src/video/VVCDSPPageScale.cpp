#include "VVCDSPPageScale.h"

VVCDSPPageScale::VVCDSPPageScale() : mPresets(VVCDSPPresets::load("Scale Data")) {
    std::vector<std::optional<Size>> sizes;
    for (const XStr& value : mPresets.comboValues) {
        sizes.push_back(scaleSizeIn(value));
    }
    setPresets(mPresets.comboShown, std::move(sizes));
    setDspArgs(XStr());
}

XStr VVCDSPPageScale::dspArgs() const {
    if (mCustom) {
        // Written signed: FFmpeg reads -1 and -2 as "keep the aspect ratio".
        return "-vf scale=" + XStr::number(mCustomWidth) + ":" + XStr::number(mCustomHeight);
    }
    return mPresets.valueAt(mSelected);
}

void VVCDSPPageScale::setDspArgs(const XStr& args) {
    const XStr text = args.empty() ? XStr(kDefaultArgs) : args;
    if (const auto size = scaleSizeIn(text)) {
        mCustomWidth = size->width;
        mCustomHeight = size->height;
    }
    if (const auto index = mPresets.indexOfValue(text)) {
        mSelected = *index;
        mCustom = false;
    } else {
        mCustom = true;
    }
}
