// The fixed steps of the bitrate sliders, in kilobits per second, and their two text forms:
// the one written into FFmpeg options and the one shown to the user.
#pragma once

#include <cstdint>
#include <optional>

#include "XStr.h"

class VVCEncoderBitrates {
public:
    static constexpr unsigned kCount = 20;

    // The table entry, or 0 for an index beyond the table.
    static uint32_t bitrateByIndex(unsigned index);
    // 800 gives "800k", 2000 "2M", 1500 "1.5M".
    static XStr formatBitrate(uint32_t kbps);
    // 800 gives "800 kbps", 2000 "2 mbps", 1500 "1.5 mbps".
    static XStr formatBitrateUser(uint32_t kbps);
    // The first index whose option text is exactly the given one.
    static std::optional<unsigned> findBitrateIndex(const XStr& text);
};
