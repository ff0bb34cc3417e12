// Stream copy into MP4 or Matroska: the video is copied, the audio follows the choice of
// the container.
#pragma once

#include "VMCEncoderPage.h"
#include "VVCAudioOptions.h"

class VVCEncoderPageRemux : public VMCEncoderPage {
public:
    VVCEncoderPageRemux(VMCEncoderPageHost* host, const XStr& format);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    XStr encoderArgs() const;
    void audioOptionChanged(unsigned index);
    unsigned audioOptionIndex() const { return mAudioOptionIndex; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void writeArgs();

    VVCAudioOptions mAudioOptions;
    unsigned mAudioOptionIndex = 0;
};
