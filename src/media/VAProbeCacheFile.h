// The probe cache on disk: one JSON file of records, oldest first. A file that cannot be
// read as such is no cache at all; single records that make no sense are skipped. Only a
// regular file of at most kMaxFileBytes is read (a FIFO is never waited on).
#pragma once

#include <optional>
#include <vector>

#include "VAProbeCacheRecord.h"
#include "XStr.h"

class VAProbeCacheFile {
public:
    static constexpr int kVersion = 1;
    // Three times what the most records take with ordinary tags. A larger file is not
    // read (its parsed tree could take twenty times as much memory), and never written:
    // the oldest records are left out until the rest fit.
    static constexpr int64_t kMaxFileBytes = 16 << 20;

    // Nothing when the file is missing, damaged or of another version. replaceable tells
    // whether a save may put a new file in its place: not when the file is there but was
    // not read (no regular file, too large, no permission), since nobody saw its content.
    static std::optional<std::vector<VAProbeCacheRecord>> read(const XStr& path,
                                                               bool* replaceable = nullptr);
    // The records, oldest first; the oldest are left out when all would not fit in
    // maxBytes.
    static bool write(const XStr& path, const std::vector<VAProbeCacheRecord>& records,
                      int64_t maxBytes = kMaxFileBytes);

    static std::string render(const std::vector<VAProbeCacheRecord>& records);
    static std::optional<std::vector<VAProbeCacheRecord>> parse(std::string_view utf8);
};
