#include "VVCDSPPageScaleMax.h"

#include "VVCDSPPresets.h"
#include "VVCDSPText.h"

VVCDSPPageScaleMax::VVCDSPPageScaleMax() {
    // Only presets with a width and a height can be offered as a maximum.
    const VVCDSPPresets presets = VVCDSPPresets::load("Scale Data");
    XStrList labels;
    std::vector<std::optional<Size>> sizes;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (const auto size = scaleSizeIn(presets.comboValues[i])) {
            labels.push_back(presets.comboShown[i]);
            sizes.push_back(size);
            mPairs.push_back(*size);
        }
    }
    setPresets(std::move(labels), std::move(sizes));
    selectSize({1920, 1080});
}

std::vector<VVCControl> VVCDSPPageScaleMax::pageView() const {
    std::vector<VVCControl> controls = VVCDSPPageScaleBase::pageView();
    controls.push_back(
        VVCControl::checkBox(kPreserveAspectId, "Preserve aspect ratio", mPreserveAspect));
    return controls;
}

XStr VVCDSPPageScaleMax::dspArgs() const {
    const Size size = currentSize();
    return "-vf \"scale='min(" + XStr::number(size.width) + ",iw):min(" +
           XStr::number(size.height) + ",ih)'" +
           (mPreserveAspect ? ":force_original_aspect_ratio=decrease" : "") + "\"";
}

void VVCDSPPageScaleMax::setDspArgs(const XStr& args) {
    if (args.empty()) {
        mPreserveAspect = false;
        selectSize({1920, 1080});
        return;
    }
    mPreserveAspect = args.contains("force_original_aspect_ratio");
    const XStr width = VVCDSPText::scanStringAfterBefore(args, "min(", ",iw").value_or(XStr());
    const XStr height = VVCDSPText::scanStringAfterBefore(args, ":min(", ",ih").value_or(XStr());
    selectSize({width.toInt64(), height.toInt64()});
}

void VVCDSPPageScaleMax::selectSize(Size size) {
    mCustomWidth = size.width;
    mCustomHeight = size.height;
    for (std::size_t i = 0; i < mPairs.size(); ++i) {
        if (mPairs[i] == size) {
            mSelected = i;
            mCustom = false;
            return;
        }
    }
    mCustom = true;
}

void VVCDSPPageScaleMax::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kPreserveAspectId) {
        mPreserveAspect = value.integer != 0;
        return;
    }
    VVCDSPPageScaleBase::applyControl(control, value);
}
