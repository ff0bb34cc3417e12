#include "VVCEncoderPageMP4H264Advanced.h"

#include "VVCEncoderPresets.h"

VVCEncoderPageMP4H264Advanced::VVCEncoderPageMP4H264Advanced()
    : mPreset(VVCEncoderPresets::kDefaultPreset), mTune(VVCEncoderPresets::kDefaultTune) {}

std::vector<VVCControl> VVCEncoderPageMP4H264Advanced::pageView() const {
    return {VVCControl::choice("preset", "Preset",
                               VVCEncoderPresets::shownTexts(VVCEncoderPresets::presets()),
                               static_cast<int>(mPreset)),
            VVCControl::choice("tune", "Tune for",
                               VVCEncoderPresets::shownTexts(VVCEncoderPresets::tunes()),
                               static_cast<int>(mTune)),
            VVCControl::checkBox("compatibility", "Maximum compatibility", mMaximumCompatibility)};
}

XStr VVCEncoderPageMP4H264Advanced::strQualityPreset() const {
    return VVCEncoderPresets::presets()[mPreset].value;
}

void VVCEncoderPageMP4H264Advanced::setStrQualityPreset(const XStr& preset) {
    mPreset = VVCEncoderPresets::indexOf(VVCEncoderPresets::presets(), preset,
                                         VVCEncoderPresets::kDefaultPreset);
}

XStr VVCEncoderPageMP4H264Advanced::strTuneFor() const {
    return VVCEncoderPresets::tunes()[mTune].value;
}

void VVCEncoderPageMP4H264Advanced::setStrTuneFor(const XStr& tune) {
    mTune = VVCEncoderPresets::indexOf(VVCEncoderPresets::tunes(), tune,
                                       VVCEncoderPresets::kDefaultTune);
}

void VVCEncoderPageMP4H264Advanced::applyControl(const VVCControl& control,
                                                 const VVCControlValue& value) {
    if (control.id == "preset") {
        mPreset = static_cast<std::size_t>(value.integer);
    } else if (control.id == "tune") {
        mTune = static_cast<std::size_t>(value.integer);
    } else if (control.id == "compatibility") {
        mMaximumCompatibility = value.integer != 0;
    }
}
