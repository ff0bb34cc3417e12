// Every number shown to people goes through here, so lengths, sizes, rates and channel
// counts look the same in every list, status line and dialog. The one-argument forms
// follow the unit preferences; the others take the setting as an argument.
#pragma once

#include <cstdint>
#include <vector>

#include "XStr.h"

class VAStringTools {
public:
    static XStr formatDuration(uint64_t ms);
    static XStr formatDurationLong(uint64_t ms);
    static XStr formatDurationPrecise(uint64_t ms);

    // units: 0 or 1 automatic, 2 always KB, 3 exact bytes.
    static XStr formatFileSize(uint64_t bytes);
    static XStr formatFileSize(uint64_t bytes, int units);

    // 0 gives "[as source]". units: 0 kHz, other Hz.
    static XStr formatSampleRate(uint64_t hz);
    static XStr formatSampleRate(uint64_t hz, int units, bool hints);

    // 0 gives "[as source]". units: 0 number and quoted name, 1 number, 2 names.
    static XStr formatChannels(int count);
    static XStr formatChannels(int count, int units, bool hints);
    // What formatChannels gives for 0 to 8, and for 1 to 8.
    static XStrList channelModeLabels();
    static XStrList channelModeLabelsNo0();

    // With the channel count and sample rate (both non-zero), rates typical of CD, DAT and
    // DVD audio get a hint. units: 2 bits per second, other kbps.
    static XStr formatBitRate(int64_t bps, int channels = 0, uint64_t sampleRate = 0);
    static XStr formatBitRate(int64_t bps, int channels, uint64_t sampleRate, int units,
                              bool hints);

    // The text quoted for a shell command line.
    static XStr escapeCommandLineArg(const XStr& text);

    // One piece of styled text: the characters and their colour.
    struct StyledRun {
        XStr text;
        int red = 0;
        int green = 0;
        int blue = 0;
        friend bool operator==(const StyledRun&, const StyledRun&) = default;
    };
    // Text with colour markers "_RGB_-RGB-rrr-ggg-bbb" split into runs; the text before the
    // first marker is black. A marker without three components stays as text.
    static std::vector<StyledRun> importColorsW(const XStr& text);
};
