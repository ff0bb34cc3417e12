// The result of scanning one file of a folder: where it is, its size and modification
// time, and its probe information when the scan needed it.
#pragma once

#include <cstdint>
#include <memory>

#include "VAMediaFileInfo.h"
#include "VAProbeCache.h"
#include "XStr.h"

struct clAsyncReadFile {
    XStr URL;
    std::shared_ptr<const VAMediaFileInfo> info;
    int64_t size = 0;
    // Nanoseconds since 1970.
    int64_t lastModified = 0;

    // The light probe, through the probe cache when there is one; nothing when the file is
    // no media ffprobe can describe.
    static std::shared_ptr<const VAMediaFileInfo> readInfo(
        const XStr& url, const std::shared_ptr<VAProbeCache>& cache);
    // The same for a file whose size and time a listing just gave (one stat less).
    static std::shared_ptr<const VAMediaFileInfo> readInfo(
        const XStr& url, const std::shared_ptr<VAProbeCache>& cache, int64_t size,
        int64_t modifiedNs);
    // File time (100 ns since 1601) of a time in nanoseconds since 1970.
    static uint64_t fileTimeOf(int64_t unixNs);
};
