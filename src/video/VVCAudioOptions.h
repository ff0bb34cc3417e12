// The audio-stream choices a container format offers: what the user sees and the FFmpeg
// option each one writes.
#pragma once

#include <cstddef>

#include "VVCControl.h"
#include "XStr.h"

class VVCAudioOptions {
public:
    // "mp4" and "mov": AAC, copy; "matroska": AAC, Opus, copy; "webm": Opus; others none.
    static VVCAudioOptions createForFormat(const XStr& format);

    void addAAC();
    void addOpus();
    void addCopy();

    const XStrList& optionLabels() const { return mLabels; }
    const XStrList& optionSwitches() const { return mSwitches; }
    std::size_t count() const { return mSwitches.size(); }
    // The switch of an option; empty for an index beyond the list.
    XStr switchAt(std::size_t index) const;

    // The first option whose switch occurs anywhere in the text, else 0.
    std::size_t optionFromArgs(const XStr& args) const;

    // The "audio" choice of a page, showing the option at index.
    VVCControl control(std::size_t index) const;

    static constexpr const char* kControlId = "audio";

private:
    void add(const char* label, const char* option);

    XStrList mLabels;
    XStrList mSwitches;
};
