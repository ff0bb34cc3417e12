// The texts of the progress panel's labels, from the figures the panel keeps.
#pragma once

#include <cstddef>
#include <cstdint>

#include "XStr.h"

namespace VMCProgressLabels {

// "Converting 2 out of 3 files to MP4 (H264)", "Converted 3 files to ...".
XStr mainText(uint32_t numDone, std::size_t entries, const XStr& encoderName);
// "1 minute 30 seconds elapsed", "Finished in 2 minutes".
XStr elapsedText(uint32_t elapsedMs, bool allDone);
// "4 minutes 30 seconds left"; empty when nothing can be said yet.
XStr leftText(uint32_t elapsedMs, double ratioDone);
// "0.6x encoding speed, 30 FPS"; empty before any media time is done.
XStr speedText(uint32_t elapsedMs, uint64_t lengthDoneMs, double fpsSum);

// "%u minutes %u seconds" and its shorter forms.
XStr formatTimeSeconds(uint32_t seconds);
inline XStr formatTimeMS(uint32_t ms) {
    return formatTimeSeconds(ms / 1000);
}
// One decimal, trailing zeros and point removed: 29.97 gives "30", 23.94 "23.9".
XStr formatOneDecimal(double value);

}  // namespace VMCProgressLabels
