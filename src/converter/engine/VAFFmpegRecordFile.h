// The FFmpeg records on disk: one small JSON file, newest record first. A file that cannot
// be read as such counts as empty; single records that make no sense are skipped.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "VAFFmpegRecord.h"
#include "XJSON.h"
#include "XStr.h"

class VAFFmpegRecordFile {
public:
    static constexpr int kVersion = 1;
    static constexpr const char* kFileName = "FFmpegCapabilities.json";
    // Far above a real file (a few kilobytes per executable); larger is taken as damaged.
    static constexpr int64_t kMaxFileBytes = 4 << 20;
    // Executables remembered; the oldest go first.
    static constexpr std::size_t kMaxRecords = 8;

    // Empty when the file is missing, damaged or of another version.
    static std::vector<VAFFmpegRecord> read(const XStr& path);
    // Puts the record first on what the file holds now, in place of any record of the same
    // executable path (what that record knows of the same version is kept), and replaces
    // the file atomically: readers see the old or the new file, and of two programs
    // writing at once the last one wins.
    static bool store(const XStr& path, const VAFFmpegRecord& record);

    static std::string render(const std::vector<VAFFmpegRecord>& records);
    // Nothing for a root that is not a file of this version.
    static std::optional<std::vector<VAFFmpegRecord>> parse(const XJSON::AnyType* root);
};
