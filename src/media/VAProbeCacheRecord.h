// One remembered probe: the file it describes (path, size, modification time) and what
// ffprobe said about it.
#pragma once

#include <cstdint>

#include "NTag.h"
#include "VAFileStat.h"
#include "XStr.h"

struct VAProbeCacheRecord {
    XStr path;
    VAFileStat stat;
    uint64_t lengthMS = 0;
    NTag idTags;
    NTag props;

    friend bool operator==(const VAProbeCacheRecord& a, const VAProbeCacheRecord& b) {
        return a.path == b.path && a.stat.size == b.stat.size &&
               a.stat.modifiedNs() == b.stat.modifiedNs() && a.lengthMS == b.lengthMS &&
               a.idTags == b.idTags && a.props == b.props;
    }
};
