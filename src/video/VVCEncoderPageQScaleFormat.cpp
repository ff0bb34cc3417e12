#include "VVCEncoderPageQScaleFormat.h"

#include <algorithm>

#include "VAElemValueList.h"

VVCEncoderPageQScaleFormat::VVCEncoderPageQScaleFormat(VMCEncoderPageHost* host, const char* format)
    : VMCEncoderPage(host), mFormat(format) {}

void VVCEncoderPageQScaleFormat::viewDidLoad() {
    const XStr args = mHost->encoderArgs();
    if (args.empty()) {
        mHost->setEncoderArgs(encoderArgs());
        return;
    }
    const VAElemValueList list(args);
    if (list.containsElem("qscale")) {
        setQScale(list.findIntValue("qscale"));
    }
}

std::vector<VVCControl> VVCEncoderPageQScaleFormat::pageView() const {
    return {VVCControl::slider("quality", "Quality", 0, kMaxQScale, mPosition,
                               XStr::format("Quality (qscale) %d", qscale()))
                .withShownValues([](int position) { return XStr::number(kMaxQScale - position); })};
}

XStr VVCEncoderPageQScaleFormat::encoderArgs() const {
    return XStr::format(" -f %s -qscale %i", mFormat, qscale());
}

void VVCEncoderPageQScaleFormat::setQScale(int64_t qscale) {
    mPosition = kMaxQScale - static_cast<int>(std::clamp<int64_t>(qscale, 0, kMaxQScale));
}

void VVCEncoderPageQScaleFormat::onSliderChanged(int position) {
    mPosition = std::clamp(position, 0, kMaxQScale);
    mHost->setEncoderArgs(encoderArgs());
}

void VVCEncoderPageQScaleFormat::applyControl(const VVCControl& control,
                                              const VVCControlValue& value) {
    if (control.id == "quality") {
        onSliderChanged(value.integer);
    }
}
