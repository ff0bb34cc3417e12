#include "XClock.h"

#include <sys/time.h>

#include <chrono>
#include <thread>

namespace XClock {

uint32_t nowMs() {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    const uint64_t ms =
        static_cast<uint64_t>(tv.tv_sec) * 1000u + static_cast<uint64_t>(tv.tv_usec) / 1000u;
    return static_cast<uint32_t>(ms);
}

void sleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace XClock
