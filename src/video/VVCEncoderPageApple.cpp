#include "VVCEncoderPageApple.h"

#include "VAElemValueList.h"
#include "VMCCodecLogos.h"

VVCEncoderPageApple::VVCEncoderPageApple(VMCEncoderPageHost* host, const XStr& format,
                                         const XStr& codec)
    : VVCEncoderPageCommon(host),
      mCodec(codec),
      mAudioOptions(VVCAudioOptions::createForFormat(format)),
      mCodecLogo(VMCCodecLogos::get(codec)) {}

XStr VVCEncoderPageApple::encoderArgs() const {
    VAElemValueList list(mCodec == "H265" ? XStr("-c:v hevc_videotoolbox")
                                          : XStr("-c:v h264_videotoolbox"));
    list.addElem("allow_sw", XStr("1"));
    list.addElemsFromString(rateControlArgs());
    list.addElemsFromString(mAudioOptions.switchAt(mAudioOptionIndex));
    return list.mergeToString_alternate();
}

void VVCEncoderPageApple::setEncoderArgs(const XStr& args) {
    VVCEncoderPageCommon::setEncoderArgs(args);
    mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
}

void VVCEncoderPageApple::fillDefaultArgs() {
    setDefABR();
}

std::vector<VVCControl> VVCEncoderPageApple::pageView() const {
    return {qualityControl(), mAudioOptions.control(mAudioOptionIndex)};
}

void VVCEncoderPageApple::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageApple::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    } else {
        VVCEncoderPageCommon::applyControl(control, value);
    }
}
