// VP9 through libvpx-vp9 for WebM and Matroska: the common rate control (average,
// constant bitrate, CRF, lossless), the encoder's deadline and the audio choice.
#pragma once

#include "VVCAudioOptions.h"
#include "VVCEncoderPageCommon.h"

class VVCEncoderPageVP9 : public VVCEncoderPageCommon {
public:
    VVCEncoderPageVP9(VMCEncoderPageHost* host, const XStr& format);

    XStr encoderArgs() const override;
    void setEncoderArgs(const XStr& args) override;
    void fillDefaultArgs() override;
    std::vector<VVCControl> pageView() const override;

    // 0 average bitrate, 1 constant bitrate, 2 CRF, 3 lossless.
    void modeChanged(unsigned index);
    // 0 none, 1 best, 2 realtime.
    void qModeChanged(unsigned index);
    void audioOptionChanged(unsigned index);

    unsigned modeIndex() const { return mModeIndex; }
    unsigned qModeIndex() const { return mQModeIndex; }
    unsigned audioOptionIndex() const { return mAudioOptionIndex; }

    static constexpr const char* kDeadlineId = "deadline";

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void followMode();

    VVCAudioOptions mAudioOptions;
    unsigned mAudioOptionIndex = 0;
    unsigned mModeIndex = 0;
    unsigned mQModeIndex = 0;
};
