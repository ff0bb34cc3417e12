// The probe cache on disk: one JSON file of records, oldest first. A file that cannot be
// read as such is no cache at all; single records that make no sense are skipped.
#pragma once

#include <optional>
#include <vector>

#include "VAProbeCacheRecord.h"
#include "XStr.h"

class VAProbeCacheFile {
public:
    static constexpr int kVersion = 1;
    // A larger file is taken as damaged.
    static constexpr int64_t kMaxFileBytes = 256 << 20;

    // Nothing when the file is missing, damaged or of another version.
    static std::optional<std::vector<VAProbeCacheRecord>> read(const XStr& path);
    static bool write(const XStr& path, const std::vector<VAProbeCacheRecord>& records);

    static std::string render(const std::vector<VAProbeCacheRecord>& records);
    static std::optional<std::vector<VAProbeCacheRecord>> parse(std::string_view utf8);
};
