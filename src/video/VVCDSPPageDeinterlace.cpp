#include "VVCDSPPageDeinterlace.h"

#include <algorithm>

#include "VVCDSPText.h"

namespace {

// A choice index, or none when a text holds a number beyond the choices.
int shown(uint32_t index, std::size_t count) {
    return index < count ? static_cast<int>(index) : -1;
}

uint32_t unsignedAfter(const XStr& text, const char* marker) {
    return static_cast<uint32_t>(
        std::clamp<int64_t>(VVCDSPText::scanIntAfter(text, marker), 0, UINT32_MAX));
}

const XStrList kModes = {"One frame per frame", "One frame per field",
                         "One frame per frame, no spatial check",
                         "One frame per field, no spatial check"};
const XStrList kParities = {"Top field first", "Bottom field first", "Automatic"};
const XStrList kFrames = {"All frames", "Frames marked interlaced"};

}  // namespace

std::vector<VVCControl> VVCDSPPageDeinterlace::pageView() const {
    return {VVCControl::choice("mode", "Mode", kModes, shown(mIdxMode, kModes.size())),
            VVCControl::choice("parity", "Field parity", kParities,
                               shown(mIdxParity, kParities.size())),
            VVCControl::choice("frames", "Deinterlace", kFrames,
                               shown(mIdxDeinterlace, kFrames.size()))};
}

XStr VVCDSPPageDeinterlace::dspArgs() const {
    const int64_t parity = mIdxParity == kAutomaticParity ? -1 : static_cast<int64_t>(mIdxParity);
    return XStr::format("-vf yadif='mode=%u:parity=", mIdxMode) + XStr::number(parity) +
           XStr::format(":deint=%u'", mIdxDeinterlace);
}

void VVCDSPPageDeinterlace::setDspArgs(const XStr& args) {
    if (args.empty()) {
        return;
    }
    mIdxMode = unsignedAfter(args, "mode=");
    const int64_t parity = VVCDSPText::scanIntAfter(args, "parity=");
    mIdxParity = parity < 0 ? kAutomaticParity
                            : static_cast<uint32_t>(std::min<int64_t>(parity, UINT32_MAX));
    mIdxDeinterlace = unsignedAfter(args, "deint=");
}

void VVCDSPPageDeinterlace::applyControl(const VVCControl& control, const VVCControlValue& value) {
    const auto index = static_cast<uint32_t>(value.integer);
    if (control.id == "mode") {
        mIdxMode = index;
    } else if (control.id == "parity") {
        mIdxParity = index;
    } else if (control.id == "frames") {
        mIdxDeinterlace = index;
    }
}
