// The millisecond clock: the low 32 bits of a monotonic millisecond count. Only differences
// of two readings mean anything; unsigned subtraction keeps them right across the wrap, and a
// change of the wall clock never bends a duration.
#pragma once

#include <cstdint>

namespace XClock {

uint32_t nowMs();
inline uint32_t elapsedMs(uint32_t since) {
    return nowMs() - since;
}
void sleepMs(uint32_t ms);

}  // namespace XClock
