#include "VVCEncoderPageMP4H265Advanced.h"

#include "VVCEncoderPresets.h"

VVCEncoderPageMP4H265Advanced::VVCEncoderPageMP4H265Advanced()
    : mPreset(VVCEncoderPresets::kDefaultPreset) {}

std::vector<VVCControl> VVCEncoderPageMP4H265Advanced::pageView() const {
    return {VVCControl::choice("preset", "Preset",
                               VVCEncoderPresets::shownTexts(VVCEncoderPresets::presets()),
                               static_cast<int>(mPreset))};
}

XStr VVCEncoderPageMP4H265Advanced::strQualityPreset() const {
    return VVCEncoderPresets::presets()[mPreset].value;
}

void VVCEncoderPageMP4H265Advanced::setStrQualityPreset(const XStr& preset) {
    mPreset = VVCEncoderPresets::indexOf(VVCEncoderPresets::presets(), preset,
                                         VVCEncoderPresets::kDefaultPreset);
}

void VVCEncoderPageMP4H265Advanced::applyControl(const VVCControl& control,
                                                 const VVCControlValue& value) {
    if (control.id == "preset") {
        mPreset = static_cast<std::size_t>(value.integer);
    }
}
