// VP8 through libvpx for WebM: the common rate control (average, constant bitrate, CRF)
// and the audio choice of the container.
#pragma once

#include "VVCAudioOptions.h"
#include "VVCEncoderPageCommon.h"

class VVCEncoderPageVP8 : public VVCEncoderPageCommon {
public:
    VVCEncoderPageVP8(VMCEncoderPageHost* host, const XStr& format);

    XStr encoderArgs() const override;
    void setEncoderArgs(const XStr& args) override;
    void fillDefaultArgs() override;
    std::vector<VVCControl> pageView() const override;

    // 0 average bitrate, 1 constant bitrate, 2 CRF.
    void modeChanged(unsigned index);
    void audioOptionChanged(unsigned index);

    unsigned modeIndex() const { return mModeIndex; }
    unsigned audioOptionIndex() const { return mAudioOptionIndex; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void followMode();

    VVCAudioOptions mAudioOptions;
    unsigned mAudioOptionIndex = 0;
    unsigned mModeIndex = 0;
};
