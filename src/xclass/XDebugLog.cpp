#include "XDebugLog.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<bool>& flag() {
    static std::atomic<bool> on{std::getenv("VANTARO_DEBUG") != nullptr};
    return on;
}

}  // namespace

namespace XDebugLog {

bool enabled() {
    return flag().load(std::memory_order_relaxed);
}

void setEnabled(bool on) {
    flag().store(on, std::memory_order_relaxed);
}

}  // namespace XDebugLog
