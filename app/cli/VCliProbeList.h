// Files probed as a list: as many ffprobe children at once as there are processors,
// through the file information cache, so that records kept in the data folder are reused
// and only what is missing or changed is probed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "VAMediaFileInfo.h"
#include "XStr.h"

namespace VCliProbeList {

struct Probed {
    XStr path;
    // Empty when the file was described; otherwise what is wrong with it.
    XStr problem;
    int64_t size = 0;
    std::shared_ptr<const VAMediaFileInfo> info;
};

// In list order. A path that is no regular file, or that cannot be read, is never given to
// ffprobe; a file ffprobe finds no streams in is "not a media file".
std::vector<Probed> probeAll(const XStrList& paths);

}  // namespace VCliProbeList
