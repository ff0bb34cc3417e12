#include "VVCEncoderPageVP9.h"

#include "VAElemValueList.h"

namespace {

const std::vector<uint32_t> kModes = {
    VVCEncoderPageCommon::kModeABR, VVCEncoderPageCommon::kModeCBR, VVCEncoderPageCommon::kModeCRF,
    VVCEncoderPageCommon::kModeLossless};

// Index 0 writes no deadline.
const char* const kDeadlines[] = {"", "best", "realtime"};
constexpr unsigned kDeadlineCount = 3;

}  // namespace

VVCEncoderPageVP9::VVCEncoderPageVP9(VMCEncoderPageHost* host, const XStr& format)
    : VVCEncoderPageCommon(host), mAudioOptions(VVCAudioOptions::createForFormat(format)) {}

XStr VVCEncoderPageVP9::encoderArgs() const {
    const XStr deadline = mQModeIndex != 0 ? "-deadline " + XStr(kDeadlines[mQModeIndex]) : XStr();
    return " " + mAudioOptions.switchAt(mAudioOptionIndex) + " -c:v libvpx-vp9 " +
           rateControlArgs() + " " + deadline;
}

void VVCEncoderPageVP9::setEncoderArgs(const XStr& args) {
    VVCEncoderPageCommon::setEncoderArgs(args);
    followMode();
    const XStr deadline = VAElemValueList(args).findValue("deadline", XStr());
    mQModeIndex = deadline == "best" ? 1 : deadline == "realtime" ? 2 : 0;
    mAudioOptionIndex = static_cast<unsigned>(mAudioOptions.optionFromArgs(args));
}

void VVCEncoderPageVP9::fillDefaultArgs() {
    setDefCRF();
    mQModeIndex = 0;
    followMode();
}

void VVCEncoderPageVP9::followMode() {
    // qscale is not offered: the choice then keeps what it showed.
    if (const std::optional<unsigned> index = indexOfMode(kModes)) {
        mModeIndex = *index;
    }
}

std::vector<VVCControl> VVCEncoderPageVP9::pageView() const {
    return {rateControlChoice(kModes, mModeIndex), qualityControl(),
            VVCControl::choice(kDeadlineId, "Deadline", {"None", "Best", "Realtime"},
                               static_cast<int>(mQModeIndex)),
            mAudioOptions.control(mAudioOptionIndex)};
}

void VVCEncoderPageVP9::modeChanged(unsigned index) {
    if (index < kModes.size()) {
        switchToMode(kModes[index]);
        mModeIndex = index;
    }
    onChanged();
}

void VVCEncoderPageVP9::qModeChanged(unsigned index) {
    if (index < kDeadlineCount) {
        mQModeIndex = index;
    }
    onChanged();
}

void VVCEncoderPageVP9::audioOptionChanged(unsigned index) {
    if (index < mAudioOptions.count()) {
        mAudioOptionIndex = index;
    }
    onChanged();
}

void VVCEncoderPageVP9::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kRateControlId) {
        modeChanged(static_cast<unsigned>(value.integer));
    } else if (control.id == kDeadlineId) {
        qModeChanged(static_cast<unsigned>(value.integer));
    } else if (control.id == VVCAudioOptions::kControlId) {
        audioOptionChanged(static_cast<unsigned>(value.integer));
    } else {
        VVCEncoderPageCommon::applyControl(control, value);
    }
}
