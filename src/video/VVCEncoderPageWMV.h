// Windows Media: WMV2 video and WMA2 audio at a video bitrate from the bitrate table.
#pragma once

#include "VMCEncoderPage.h"

class VVCEncoderPageWMV : public VMCEncoderPage {
public:
    explicit VVCEncoderPageWMV(VMCEncoderPageHost* host);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    XStr encoderArgs() const;
    XStr bitrateStr() const;
    int sliderPosition() const { return mPosition; }
    void onSliderChanged(int position);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    int mPosition;
};
