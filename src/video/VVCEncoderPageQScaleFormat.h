// A container whose FFmpeg default codecs are used with one fixed quantiser scale (AVI,
// Flash Video): qscale is 10 minus the slider position.
#pragma once

#include "VMCEncoderPage.h"

class VVCEncoderPageQScaleFormat : public VMCEncoderPage {
public:
    // format is the FFmpeg muxer name written after "-f".
    VVCEncoderPageQScaleFormat(VMCEncoderPageHost* host, const char* format);

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;

    XStr encoderArgs() const;
    int qscale() const { return kMaxQScale - mPosition; }
    void setQScale(int64_t qscale);
    void onSliderChanged(int position);

    static constexpr int kMaxQScale = 10;
    static constexpr int kDefaultQScale = 3;

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    const char* mFormat;
    int mPosition = kMaxQScale - kDefaultQScale;
};
