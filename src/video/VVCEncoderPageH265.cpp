#include "VVCEncoderPageH265.h"

#include "VAElemValueList.h"

namespace {

const std::vector<uint32_t> kModes = {
    VVCEncoderPageCommon::kModeABR, VVCEncoderPageCommon::kModeCBR, VVCEncoderPageCommon::kModeCRF,
    VVCEncoderPageCommon::kModeLossless};

}  // namespace

VVCEncoderPageH265::VVCEncoderPageH265(VMCEncoderPageHost* host, const XStr& format)
    : VVCEncoderPageCommon(host),
      mFormat(format),
      mAudioOptions(VVCAudioOptions::createForFormat(format)) {}

XStr VVCEncoderPageH265::encoderArgs() const {
    VAElemValueList list("-c:v libx265");
    list.addElemsFromString(rateControlArgs());
    if (!mPreset.empty()) {
        list.addElem("preset", mPreset);
    }
    list.addElemsFromString(mAudioOptions.switchAt(mAudioOptionIndex));
    return list.mergeToString_alternate();
}

void VVCEncoderPageH265::setEncoderArgs(const XStr& args) {
    VVCEncoderPageCommon::setEncoderArgs(args);
    followMode();
    mPreset = VAElemValueList(args).findValue("preset", XStr());
    mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
}

void VVCEncoderPageH265::fillDefaultArgs() {
    setDefCRF();
    followMode();
}

void VVCEncoderPageH265::followMode() {
    if (const std::optional<unsigned> index = indexOfMode(kModes)) {
        mOptionIndex = *index;
    }
}

std::vector<VVCControl> VVCEncoderPageH265::pageView() const {
    return {rateControlChoice(kModes, mOptionIndex), qualityControl(),
            mAudioOptions.control(mAudioOptionIndex),
            VVCControl::button(kAdvancedId, "Advanced...", true)};
}

VMCPage* VVCEncoderPageH265::openSheet(const XStr& id) {
    if (id != kAdvancedId) {
        return nullptr;
    }
    mSheet = std::make_unique<VVCEncoderPageMP4H265Advanced>();
    if (!mPreset.empty()) {
        mSheet->setStrQualityPreset(mPreset);
    }
    return mSheet.get();
}

void VVCEncoderPageH265::closeSheet(const XStr& id, bool ok) {
    if (id != kAdvancedId || !mSheet) {
        return;
    }
    if (ok) {
        mPreset = mSheet->strQualityPreset();
    }
    mSheet.reset();
    onChanged();
}

void VVCEncoderPageH265::optionChanged(unsigned index) {
    if (index < kModes.size()) {
        switchToMode(kModes[index]);
        mOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageH265::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageH265::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kRateControlId) {
        optionChanged(static_cast<unsigned>(value.integer));
    } else if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    } else {
        VVCEncoderPageCommon::applyControl(control, value);
    }
}
