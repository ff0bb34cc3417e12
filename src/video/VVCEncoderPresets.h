// The speed presets and tunings the x264/x265 advanced sheets offer: the value written into
// the options and the text shown for it.
#pragma once

#include <cstddef>
#include <vector>

#include "XStr.h"

class VVCEncoderPresets {
public:
    struct Row {
        const char* value;
        const char* shown;
    };

    static const std::vector<Row>& presets();
    static const std::vector<Row>& tunes();
    static constexpr std::size_t kDefaultPreset = 5;  // "medium"
    static constexpr std::size_t kDefaultTune = 0;    // none ("General")

    // The row whose value is exactly the text, else the fallback row.
    static std::size_t indexOf(const std::vector<Row>& rows, const XStr& value,
                               std::size_t fallback);
    static XStrList shownTexts(const std::vector<Row>& rows);
};
