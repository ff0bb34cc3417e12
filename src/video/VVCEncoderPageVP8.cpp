#include "VVCEncoderPageVP8.h"

namespace {

const std::vector<uint32_t> kModes = {
    VVCEncoderPageCommon::kModeABR, VVCEncoderPageCommon::kModeCBR, VVCEncoderPageCommon::kModeCRF};

}  // namespace

VVCEncoderPageVP8::VVCEncoderPageVP8(VMCEncoderPageHost* host, const XStr& format)
    : VVCEncoderPageCommon(host), mAudioOptions(VVCAudioOptions::createForFormat(format)) {}

XStr VVCEncoderPageVP8::encoderArgs() const {
    return mAudioOptions.switchAt(mAudioOptionIndex) + " -c:v libvpx " + rateControlArgs();
}

void VVCEncoderPageVP8::setEncoderArgs(const XStr& args) {
    VVCEncoderPageCommon::setEncoderArgs(args);
    followMode();
    mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
}

void VVCEncoderPageVP8::fillDefaultArgs() {
    setDefCRF();
    followMode();
}

void VVCEncoderPageVP8::followMode() {
    // Everything that is neither bitrate mode shows as CRF.
    mModeIndex = isABR() ? 0 : isCBR() ? 1 : 2;
}

std::vector<VVCControl> VVCEncoderPageVP8::pageView() const {
    return {rateControlChoice(kModes, mModeIndex), qualityControl(),
            mAudioOptions.control(mAudioOptionIndex)};
}

void VVCEncoderPageVP8::modeChanged(unsigned index) {
    if (index < kModes.size()) {
        switchToMode(kModes[index]);
        mModeIndex = index;
    }
    onChanged();
}

void VVCEncoderPageVP8::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageVP8::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kRateControlId) {
        modeChanged(static_cast<unsigned>(value.integer));
    } else if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    } else {
        VVCEncoderPageCommon::applyControl(control, value);
    }
}
