#include "VVCEncoderPageWMV.h"

#include <algorithm>

#include "VAElemValueList.h"
#include "VVCEncoderBitrates.h"

namespace {

constexpr int kLastPosition = static_cast<int>(VVCEncoderBitrates::kCount) - 1;

}  // namespace

VVCEncoderPageWMV::VVCEncoderPageWMV(VMCEncoderPageHost* host)
    : VMCEncoderPage(host),
      mPosition(static_cast<int>(VVCEncoderBitrates::findBitrateIndex("2M").value_or(0))) {}

void VVCEncoderPageWMV::viewDidLoad() {
    const XStr args = mHost->encoderArgs();
    if (args.empty()) {
        mHost->setEncoderArgs(encoderArgs());
        return;
    }
    const std::optional<XStr> bitrate = VAElemValueList(args).findValue("b:v");
    if (bitrate) {
        if (const std::optional<unsigned> index = VVCEncoderBitrates::findBitrateIndex(*bitrate)) {
            mPosition = static_cast<int>(*index);
        }
    }
}

std::vector<VVCControl> VVCEncoderPageWMV::pageView() const {
    const uint32_t kbps = VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(mPosition));
    return {VVCControl::slider("bitrate", "Bitrate", 0, kLastPosition, mPosition,
                               "Bitrate: " + VVCEncoderBitrates::formatBitrateUser(kbps))
                .withShownValues([](int position) {
                    return VVCEncoderBitrates::formatBitrateUser(
                        VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(position)));
                })};
}

XStr VVCEncoderPageWMV::bitrateStr() const {
    return VVCEncoderBitrates::formatBitrate(
        VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(mPosition)));
}

XStr VVCEncoderPageWMV::encoderArgs() const {
    return " -c:v wmv2 -c:a wmav2 -b:v " + bitrateStr();
}

void VVCEncoderPageWMV::onSliderChanged(int position) {
    mPosition = std::clamp(position, 0, kLastPosition);
    mHost->setEncoderArgs(encoderArgs());
}

void VVCEncoderPageWMV::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "bitrate") {
        onSliderChanged(value.integer);
    }
}
