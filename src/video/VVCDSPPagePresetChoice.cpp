#include "VVCDSPPagePresetChoice.h"

VVCDSPPagePresetChoice::VVCDSPPagePresetChoice(const XStr& resourceName, XStr title)
    : mPresets(VVCDSPPresets::load(resourceName)), mTitle(std::move(title)) {}

std::vector<VVCControl> VVCDSPPagePresetChoice::pageView() const {
    const int index = mSelected < mPresets.size() ? static_cast<int>(mSelected) : -1;
    return {VVCControl::choice(kPresetId, mTitle, mPresets.comboShown, index)};
}

XStr VVCDSPPagePresetChoice::dspArgs() const {
    return mPresets.valueAt(mSelected);
}

void VVCDSPPagePresetChoice::setDspArgs(const XStr& args) {
    if (const auto index = mPresets.indexOfValue(args)) {
        mSelected = *index;
    }
}

void VVCDSPPagePresetChoice::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kPresetId) {
        mSelected = static_cast<std::size_t>(value.integer);
    }
}
