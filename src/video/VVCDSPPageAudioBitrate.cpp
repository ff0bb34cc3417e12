#include "VVCDSPPageAudioBitrate.h"

#include "VAElemValueList.h"

namespace {

constexpr int64_t kDefaultKbps = 128;

int64_t kbpsOf(const XStr& value) {
    if (value.empty()) {
        return kDefaultKbps;
    }
    const char32_t unit = value.back();
    const int64_t number = value.toInt64();
    if (unit == U'k' || unit == U'K') {
        return number;
    }
    if (unit == U'm' || unit == U'M') {
        return number * 1000;
    }
    // FFmpeg reads a plain number as bits per second.
    return (number + 999) / 1000;
}

}  // namespace

std::size_t VVCDSPPageAudioBitrate::positionFor(int64_t kbps) {
    for (std::size_t i = 0; i < kRates.size(); ++i) {
        if (kRates[i] >= kbps) {
            return i;
        }
    }
    return kRates.size() - 1;
}

std::vector<VVCControl> VVCDSPPageAudioBitrate::pageView() const {
    return {VVCControl::slider("bitrate", "Bit rate", 0, static_cast<int>(kRates.size()) - 1,
                               static_cast<int>(mSliderPos), XStr::format("%u kbps", kbps()))
                .withShownValues([](int position) {
                    return XStr::format("%u kbps", kRates[static_cast<std::size_t>(position)]);
                })};
}

XStr VVCDSPPageAudioBitrate::dspArgs() const {
    return XStr::format("-b:a %uk", kbps());
}

void VVCDSPPageAudioBitrate::setDspArgs(const XStr& args) {
    mSliderPos = positionFor(kbpsOf(VAElemValueList(args).findValue("b:a", XStr())));
}

void VVCDSPPageAudioBitrate::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "bitrate") {
        mSliderPos = static_cast<std::size_t>(value.integer);
    }
}
