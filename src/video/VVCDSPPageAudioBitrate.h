// Audio Bitrate: the audio bit rate, one step of a fixed table.
#pragma once

#include <array>

#include "VMCDSPPage.h"

class VVCDSPPageAudioBitrate : public VMCDSPPage {
public:
    std::vector<VVCControl> pageView() const override;
    XStr dspArgs() const override;
    // "b:a" in kbit/s ("k"), Mbit/s ("m") or bit/s (a plain number), put on the first step
    // not below it; an empty or absent value means 128k.
    void setDspArgs(const XStr& args) override;

    std::size_t sliderPos() const { return mSliderPos; }
    uint32_t kbps() const { return kRates[mSliderPos]; }

    static constexpr std::array<uint32_t, 20> kRates = {
        8, 12, 16, 24, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 192, 224, 256, 320, 384, 448};
    // The first step not below the rate, or the last.
    static std::size_t positionFor(int64_t kbps);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    std::size_t mSliderPos = positionFor(128);
};
