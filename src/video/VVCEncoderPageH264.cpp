#include "VVCEncoderPageH264.h"

#include "VAElemValueList.h"

namespace {

const std::vector<uint32_t> kModes = {
    VVCEncoderPageCommon::kModeABR, VVCEncoderPageCommon::kModeCBR, VVCEncoderPageCommon::kModeCRF,
    VVCEncoderPageCommon::kModeLossless};

}  // namespace

VVCEncoderPageH264::VVCEncoderPageH264(VMCEncoderPageHost* host, const XStr& format)
    : VVCEncoderPageCommon(host),
      mFormat(format),
      mAudioOptions(VVCAudioOptions::createForFormat(format)) {}

XStr VVCEncoderPageH264::encoderArgs() const {
    VAElemValueList list("-c:v libx264");
    list.addElemsFromString(rateControlArgs());
    if (mMaximumCompatibility) {
        list.addElem("profile:v", XStr("baseline"));
        list.addElem("level", XStr("3.0"));
    }
    if (!mTune.empty()) {
        list.addElem("tune", mTune);
    }
    if (!mPreset.empty()) {
        list.addElem("preset", mPreset);
    }
    list.addElemsFromString(mAudioOptions.switchAt(mAudioOptionIndex));
    return list.mergeToString_alternate();
}

void VVCEncoderPageH264::setEncoderArgs(const XStr& args) {
    VVCEncoderPageCommon::setEncoderArgs(args);
    followMode();
    const VAElemValueList list(args);
    mMaximumCompatibility = list.findValue("profile:v", XStr()) == "baseline";
    mTune = list.findValue("tune", XStr());
    mPreset = list.findValue("preset", XStr());
    mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
}

void VVCEncoderPageH264::fillDefaultArgs() {
    setDefCRF();
    followMode();
}

void VVCEncoderPageH264::followMode() {
    // qscale is not offered here: the choice then keeps what it showed.
    if (const std::optional<unsigned> index = indexOfMode(kModes)) {
        mOptionIndex = *index;
    }
}

std::vector<VVCControl> VVCEncoderPageH264::pageView() const {
    return {rateControlChoice(kModes, mOptionIndex), qualityControl(),
            mAudioOptions.control(mAudioOptionIndex),
            VVCControl::button(kAdvancedId, "Advanced...", true)};
}

VMCPage* VVCEncoderPageH264::openSheet(const XStr& id) {
    if (id != kAdvancedId) {
        return nullptr;
    }
    mSheet = std::make_unique<VVCEncoderPageMP4H264Advanced>();
    if (!mPreset.empty()) {
        mSheet->setStrQualityPreset(mPreset);
    }
    if (!mTune.empty()) {
        mSheet->setStrTuneFor(mTune);
    }
    mSheet->setMaximumCompatibility(mMaximumCompatibility);
    return mSheet.get();
}

void VVCEncoderPageH264::closeSheet(const XStr& id, bool ok) {
    if (id != kAdvancedId || !mSheet) {
        return;
    }
    if (ok) {
        mPreset = mSheet->strQualityPreset();
        mTune = mSheet->strTuneFor();
        mMaximumCompatibility = mSheet->bMaximumCompatibility();
    }
    mSheet.reset();
    onChanged();
}

void VVCEncoderPageH264::optionChanged(unsigned index) {
    if (index < kModes.size()) {
        switchToMode(kModes[index]);
        mOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageH264::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageH264::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kRateControlId) {
        optionChanged(static_cast<unsigned>(value.integer));
    } else if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    } else {
        VVCEncoderPageCommon::applyControl(control, value);
    }
}
