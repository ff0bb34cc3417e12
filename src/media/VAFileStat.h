// What tells one version of a file from another for the probe cache: its size and its
// modification time to the nanosecond.
#pragma once

#include <cstdint>
#include <optional>

#include "XStr.h"

struct VAFileStat {
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    // A FIFO or socket: opening it for reading could wait for ever.
    bool waits = false;

    // Nothing when the file cannot be examined.
    static std::optional<VAFileStat> of(const XStr& path);
    // Nanoseconds since 1970, the cache's key.
    int64_t modifiedNs() const { return modifiedSeconds * 1000000000 + modifiedNanoseconds; }

    friend bool operator==(const VAFileStat&, const VAFileStat&) = default;
};
