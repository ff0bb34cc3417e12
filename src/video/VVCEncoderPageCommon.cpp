#include "VVCEncoderPageCommon.h"

#include <algorithm>

#include "VAElemValueList.h"
#include "VVCEncoderBitrates.h"

namespace {

constexpr uint32_t kMaxCRF = 51;
constexpr uint32_t kMaxQScale = 10;
constexpr uint32_t kDefaultCRF = 24;
constexpr uint32_t kDefaultQScale = 5;
const char* const kDefaultBitrate = "1M";

// The last slider position of each mode; lossless and no mode keep the slider at 0.
int maximumFor(uint32_t mode) {
    switch (mode) {
        case VVCEncoderPageCommon::kModeCRF:
            return static_cast<int>(kMaxCRF) - 1;
        case VVCEncoderPageCommon::kModeCBR:
        case VVCEncoderPageCommon::kModeABR:
            return static_cast<int>(VVCEncoderBitrates::kCount) - 1;
        case VVCEncoderPageCommon::kModeQScale:
            return static_cast<int>(kMaxQScale);
        default:
            return 0;
    }
}

}  // namespace

VVCEncoderPageCommon::VVCEncoderPageCommon(VMCEncoderPageHost* host) : VMCEncoderPage(host) {}

void VVCEncoderPageCommon::viewDidLoad() {
    const XStr args = mHost != nullptr ? mHost->encoderArgs() : XStr();
    if (args.empty()) {
        fillDefaultArgs();
        onChanged();
    } else {
        setEncoderArgs(args);
    }
}

std::vector<VVCControl> VVCEncoderPageCommon::pageView() const {
    return {qualityControl()};
}

XStr VVCEncoderPageCommon::encoderArgs() const {
    return rateControlArgs();
}

XStr VVCEncoderPageCommon::rateControlArgs() const {
    switch (mMode) {
        case kModeCRF:
            return XStr::format("-crf %u", CRF());
        case kModeCBR: {
            const std::string b = bitrateStr().utf8();
            return XStr::format("-b:v %s -minrate %s -maxrate %s", b.c_str(), b.c_str(), b.c_str());
        }
        case kModeABR:
            return "-b:v " + bitrateStr();
        case kModeQScale:
            return XStr::format("-qscale %u", QScale());
        case kModeLossless:
            return "-crf 0";
        default:
            return {};
    }
}

void VVCEncoderPageCommon::setEncoderArgs(const XStr& args) {
    const VAElemValueList list(args);
    if (list.containsElem("crf")) {
        const int64_t crf = list.findIntValue("crf");
        if (crf == 0) {
            setLossless();
        } else {
            setCRF(static_cast<uint32_t>(std::clamp<int64_t>(crf, 1, kMaxCRF)));
        }
    } else if (list.containsElem("maxrate")) {
        setConstantBitrateStr(list.findValue("maxrate", XStr()));
    } else if (list.containsElem("b:v")) {
        setAverageBitrateStr(list.findValue("b:v", XStr()));
    } else if (list.containsElem("qscale")) {
        setQScale(
            static_cast<uint32_t>(std::clamp<int64_t>(list.findIntValue("qscale"), 0, kMaxQScale)));
    }
}

void VVCEncoderPageCommon::setMode(uint32_t mode) {
    if (mode == mMode) {
        return;
    }
    mMode = mode;
    mMaximum = maximumFor(mode);
    mEnabled = mode != kModeNone && mode != kModeLossless;
    // A slider keeps its place when its range changes, as far as the range allows.
    setSliderPosition(mPosition);
}

void VVCEncoderPageCommon::setSliderPosition(int position) {
    mPosition = std::clamp(position, 0, mMaximum);
}

void VVCEncoderPageCommon::setCRF(uint32_t crf) {
    setMode(kModeCRF);
    setSliderPosition(static_cast<int>(kMaxCRF) - static_cast<int>(std::min(crf, kMaxCRF)));
    mLastCRF = CRF();
}

void VVCEncoderPageCommon::setQScale(uint32_t qscale) {
    setMode(kModeQScale);
    setSliderPosition(static_cast<int>(kMaxQScale) -
                      static_cast<int>(std::min(qscale, kMaxQScale)));
    mLastQScale = QScale();
}

void VVCEncoderPageCommon::setBitrateStr(uint32_t mode, const XStr& bitrate) {
    setMode(mode);
    // A rate the table does not have cannot be shown; the slider stays where it is.
    if (const std::optional<unsigned> index = VVCEncoderBitrates::findBitrateIndex(bitrate)) {
        setSliderPosition(static_cast<int>(*index));
        mLastBitrateStr = bitrate;
    }
}

void VVCEncoderPageCommon::setConstantBitrateStr(const XStr& bitrate) {
    setBitrateStr(kModeCBR, bitrate);
}

void VVCEncoderPageCommon::setAverageBitrateStr(const XStr& bitrate) {
    setBitrateStr(kModeABR, bitrate);
}

void VVCEncoderPageCommon::setLossless() {
    setMode(kModeLossless);
    setSliderPosition(0);
}

uint32_t VVCEncoderPageCommon::CRF() const {
    return kMaxCRF - static_cast<uint32_t>(std::min(mPosition, static_cast<int>(kMaxCRF)));
}

uint32_t VVCEncoderPageCommon::QScale() const {
    return kMaxQScale - static_cast<uint32_t>(std::min(mPosition, static_cast<int>(kMaxQScale)));
}

XStr VVCEncoderPageCommon::bitrateStr() const {
    const uint32_t kbps = VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(mPosition));
    return kbps != 0 ? VVCEncoderBitrates::formatBitrate(kbps) : XStr();
}

XStr VVCEncoderPageCommon::bitrateUserStr() const {
    const uint32_t kbps = VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(mPosition));
    return kbps != 0 ? VVCEncoderBitrates::formatBitrateUser(kbps) : XStr();
}

void VVCEncoderPageCommon::switchToCRF() {
    if (isCRF()) {
        return;
    }
    setCRF(mLastCRF.value_or(kDefaultCRF));
}

void VVCEncoderPageCommon::switchToCBR() {
    if (isCBR()) {
        return;
    }
    setConstantBitrateStr(mLastBitrateStr.value_or(XStr(kDefaultBitrate)));
}

void VVCEncoderPageCommon::switchToABR() {
    if (isABR()) {
        return;
    }
    setAverageBitrateStr(mLastBitrateStr.value_or(XStr(kDefaultBitrate)));
}

void VVCEncoderPageCommon::switchToQScale() {
    if (isQScale()) {
        return;
    }
    setQScale(mLastQScale.value_or(kDefaultQScale));
}

void VVCEncoderPageCommon::switchToLossless() {
    if (isLossless()) {
        return;
    }
    setLossless();
}

void VVCEncoderPageCommon::switchToMode(uint32_t mode) {
    switch (mode) {
        case kModeCRF:
            switchToCRF();
            break;
        case kModeCBR:
            switchToCBR();
            break;
        case kModeABR:
            switchToABR();
            break;
        case kModeQScale:
            switchToQScale();
            break;
        case kModeLossless:
            switchToLossless();
            break;
        default:
            break;
    }
}

void VVCEncoderPageCommon::setDefCRF() {
    setCRF(kDefaultCRF);
}

void VVCEncoderPageCommon::setDefQScale() {
    setQScale(kDefaultQScale);
}

void VVCEncoderPageCommon::setDefABR() {
    setAverageBitrateStr(kDefaultBitrate);
}

void VVCEncoderPageCommon::setDefCBR() {
    setConstantBitrateStr(kDefaultBitrate);
}

void VVCEncoderPageCommon::onChanged() {
    if (mHost != nullptr) {
        mHost->setEncoderArgs(encoderArgs());
    }
}

void VVCEncoderPageCommon::onSliderChanged(int position) {
    setSliderPosition(position);
    onChanged();
    fetchLastVal();
}

void VVCEncoderPageCommon::fetchLastVal() {
    switch (mMode) {
        case kModeCRF:
            mLastCRF = CRF();
            break;
        case kModeCBR:
        case kModeABR:
            mLastBitrateStr = bitrateStr();
            break;
        case kModeQScale:
            mLastQScale = QScale();
            break;
        default:
            break;
    }
}

XStr VVCEncoderPageCommon::sliderLabel() const {
    switch (mMode) {
        case kModeCRF:
            return XStr::format("Quality (CRF) %u", CRF());
        case kModeCBR:
            return "Constant bitrate: " + bitrateUserStr();
        case kModeABR:
            return "Average bitrate: " + bitrateUserStr();
        case kModeQScale:
            return XStr::format("Quality (qscale) %u", QScale());
        case kModeLossless:
            return "Lossless video encoding";
        default:
            return {};
    }
}

XStr VVCEncoderPageCommon::modeTitle(uint32_t mode) {
    switch (mode) {
        case kModeCRF:
            return "Constant quality (CRF)";
        case kModeCBR:
            return "Constant bitrate";
        case kModeABR:
            return "Average bitrate";
        case kModeQScale:
            return "Fixed quantiser (qscale)";
        case kModeLossless:
            return "Lossless";
        default:
            return {};
    }
}

VVCControl VVCEncoderPageCommon::qualityControl() const {
    VVCControl slider =
        VVCControl::slider(kQualityId, "Quality", 0, mMaximum, mPosition, sliderLabel());
    slider.enabled = mEnabled;
    switch (mMode) {
        case kModeCRF:
            slider.withShownValues(
                [](int position) { return XStr::number(static_cast<int>(kMaxCRF) - position); });
            break;
        case kModeQScale:
            slider.withShownValues(
                [](int position) { return XStr::number(static_cast<int>(kMaxQScale) - position); });
            break;
        case kModeCBR:
        case kModeABR:
            slider.withShownValues([](int position) {
                return VVCEncoderBitrates::formatBitrateUser(
                    VVCEncoderBitrates::bitrateByIndex(static_cast<unsigned>(position)));
            });
            break;
        default:
            break;
    }
    return slider;
}

VVCControl VVCEncoderPageCommon::rateControlChoice(const std::vector<uint32_t>& modes,
                                                   unsigned index) {
    XStrList titles;
    for (uint32_t mode : modes) {
        titles.push_back(modeTitle(mode));
    }
    return VVCControl::choice(kRateControlId, "Rate control", titles, static_cast<int>(index));
}

std::optional<unsigned> VVCEncoderPageCommon::indexOfMode(
    const std::vector<uint32_t>& modes) const {
    const auto it = std::find(modes.begin(), modes.end(), mMode);
    if (it == modes.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned>(it - modes.begin());
}

void VVCEncoderPageCommon::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kQualityId) {
        onSliderChanged(value.integer);
    }
}
