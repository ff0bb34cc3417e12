// What tells one version of the store file from another without reading it. A time to the
// nanosecond alone is not enough: the clock behind file times advances in ticks, and two
// writes of a few milliseconds apart can share one; the size and the file's identity
// (a rewrite puts a new file in place) catch most of those.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "XStr.h"

struct XRegistryFileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t changedSeconds = 0;
    int64_t changedNanoseconds = 0;

    static XRegistryFileStamp OfPath(const XFileName& path);
    static XRegistryFileStamp OfDescriptor(int fd);

    friend bool operator==(const XRegistryFileStamp&, const XRegistryFileStamp&) = default;
};
