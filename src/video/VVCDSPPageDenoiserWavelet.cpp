#include "VVCDSPPageDenoiserWavelet.h"

#include <algorithm>
#include <cmath>

#include "VVCDSPSliderScale.h"
#include "VVCDSPText.h"

namespace {

constexpr VVCDSPSliderScale kThreshold{0.0, 10.0, 0.1};

uint32_t unsignedAfter(const XStr& text, const char* marker) {
    return static_cast<uint32_t>(
        std::clamp<int64_t>(VVCDSPText::scanIntAfter(text, marker), 0, UINT32_MAX));
}

}  // namespace

XStr VVCDSPPageDenoiserWavelet::capitalized(const XStr& text) {
    XStr out;
    bool wordStart = true;
    for (char32_t c : text) {
        const bool blank = c == U' ' || c == U'\t';
        if (c >= U'a' && c <= U'z' && wordStart) {
            c = c - U'a' + U'A';
        } else if (c >= U'A' && c <= U'Z' && !wordStart) {
            c = c - U'A' + U'a';
        }
        out += c;
        wordStart = blank;
    }
    return out;
}

std::vector<VVCControl> VVCDSPPageDenoiserWavelet::pageView() const {
    const XStrList names = methods();
    int method = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == mMethod) {
            method = static_cast<int>(i);
        }
    }
    return {VVCControl::slider("threshold", "Threshold", kThreshold.minimumPosition(),
                               kThreshold.maximumPosition(), kThreshold.positionOf(mThreshold),
                               "Threshold " + VVCDSPText::fixed(mThreshold, 1))
                .withShownValues([](int position) {
                    return VVCDSPText::fixed(kThreshold.valueAt(position), 1);
                }),
            VVCControl::choice("method", "Method", names, method),
            VVCControl::numberField("steps", "Steps", mSteps, 1, 32, 0),
            VVCControl::numberField("planes", "Planes", mPlanes, 1, 15, 0),
            VVCControl::slider("strength", "Strength", 0, 100,
                               static_cast<int>(std::min<uint32_t>(mStrength, 100)),
                               XStr::format("Strength %u%%", mStrength))
                .withShownValues([](int position) { return XStr::format("%d%%", position); })};
}

XStr VVCDSPPageDenoiserWavelet::dspArgs() const {
    XStr text = "-vf vaguedenoiser='threshold=" + VVCDSPText::fixed(mThreshold, 1);
    if (!mMethod.empty()) {
        text += ":method=" + mMethod.lowerASCII();
    }
    return text + XStr::format(":nsteps=%u:planes=%u:percent=%u'", mSteps, mPlanes, mStrength);
}

void VVCDSPPageDenoiserWavelet::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mThreshold = VVCDSPText::scanFloatAfter(args, "threshold=");
    mSteps = unsignedAfter(args, "nsteps=");
    mPlanes = unsignedAfter(args, "planes=");
    mStrength = unsignedAfter(args, "percent=");
    mMethod = capitalized(VVCDSPText::scanStringAfterBefore(args, "method=", ":").value_or(XStr()));
}

void VVCDSPPageDenoiserWavelet::applyControl(const VVCControl& control,
                                             const VVCControlValue& value) {
    if (control.id == "threshold") {
        mThreshold = kThreshold.valueAt(value.integer);
    } else if (control.id == "method") {
        mMethod = value.text;
    } else if (control.id == "steps") {
        mSteps = static_cast<uint32_t>(std::lround(value.number));
    } else if (control.id == "planes") {
        mPlanes = static_cast<uint32_t>(std::lround(value.number));
    } else if (control.id == "strength") {
        mStrength = static_cast<uint32_t>(value.integer);
    }
}
