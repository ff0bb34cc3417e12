// The platform's hardware encoder for H.264 or H.265: the common rate control (average
// bitrate for a new encoder) and the audio choice of the container.
#pragma once

#include "VVCAudioOptions.h"
#include "VVCEncoderPageCommon.h"

class VVCEncoderPageApple : public VVCEncoderPageCommon {
public:
    // codec is "H264" or "H265".
    VVCEncoderPageApple(VMCEncoderPageHost* host, const XStr& format, const XStr& codec);

    XStr encoderArgs() const override;
    void setEncoderArgs(const XStr& args) override;
    void fillDefaultArgs() override;
    std::vector<VVCControl> pageView() const override;

    void audioOptionChanged(unsigned index);

    const XStr& codec() const { return mCodec; }
    unsigned audioOptionIndex() const { return mAudioOptionIndex; }
    // The path of the image named like the codec.
    const XStr& codecLogo() const { return mCodecLogo; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    XStr mCodec;
    VVCAudioOptions mAudioOptions;
    unsigned mAudioOptionIndex = 0;
    XStr mCodecLogo;
};
