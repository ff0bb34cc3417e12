// Durations in the four styles the product shows: words, clock time, full clock time and
// clock time with milliseconds.
#pragma once

#include <cstdint>

#include "XStr.h"

namespace VADurationFormat {

enum Style { kWords = 0, kClock = 1, kFullClock = 2, kPrecise = 3 };

XStr format(uint64_t ms, int style);
XStr words(uint64_t ms);
// Hours and their ":" only when not 0; minutes padded only then: 1:15, 1:02:05.
XStr clock(uint64_t ms);
XStr fullClock(uint64_t ms);
XStr precise(uint64_t ms);

}  // namespace VADurationFormat
