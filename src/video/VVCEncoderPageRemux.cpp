#include "VVCEncoderPageRemux.h"

VVCEncoderPageRemux::VVCEncoderPageRemux(VMCEncoderPageHost* host, const XStr& format)
    : VMCEncoderPage(host), mAudioOptions(VVCAudioOptions::createForFormat(format)) {}

void VVCEncoderPageRemux::viewDidLoad() {
    const XStr args = mHost->encoderArgs();
    if (args.empty()) {
        writeArgs();
    } else {
        mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
    }
}

std::vector<VVCControl> VVCEncoderPageRemux::pageView() const {
    return {mAudioOptions.control(mAudioOptionIndex)};
}

XStr VVCEncoderPageRemux::encoderArgs() const {
    return "-vcodec copy " + mAudioOptions.switchAt(mAudioOptionIndex);
}

void VVCEncoderPageRemux::writeArgs() {
    mHost->setEncoderArgs(encoderArgs());
}

void VVCEncoderPageRemux::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    writeArgs();
}

void VVCEncoderPageRemux::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    }
}
