#include "VVCAudioOptions.h"

VVCAudioOptions VVCAudioOptions::createForFormat(const XStr& format) {
    VVCAudioOptions options;
    const XStr f = format.lowerASCII();
    if (f == "mp4" || f == "mov") {
        options.addAAC();
        options.addCopy();
    } else if (f == "matroska") {
        options.addAAC();
        options.addOpus();
        options.addCopy();
    } else if (f == "webm") {
        options.addOpus();
    }
    return options;
}

void VVCAudioOptions::add(const char* label, const char* option) {
    mLabels.emplace_back(label);
    mSwitches.emplace_back(option);
}

void VVCAudioOptions::addAAC() {
    add("Audio Stream: Re-encode to AAC", "-acodec aac_at");
}

void VVCAudioOptions::addOpus() {
    add("Audio Stream: Re-encode to Opus", "-acodec libopus");
}

void VVCAudioOptions::addCopy() {
    add("Audio Stream: Copy 1:1 From Source", "-acodec copy");
}

XStr VVCAudioOptions::switchAt(std::size_t index) const {
    return index < mSwitches.size() ? mSwitches[index] : XStr();
}

std::size_t VVCAudioOptions::optionFromArgs(const XStr& args) const {
    for (std::size_t i = 0; i < mSwitches.size(); ++i) {
        if (args.contains(mSwitches[i])) {
            return i;
        }
    }
    return 0;
}

VVCControl VVCAudioOptions::control(std::size_t index) const {
    return VVCControl::choice(kControlId, "Audio", mLabels, static_cast<int>(index));
}
