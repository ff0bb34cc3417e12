// The batch converter's property filter: per field, the values the user excluded. A file
// shows only when none of its values is excluded (and, for "Date", when it is recent
// enough). Files need probe information when any field but "File Types" is set.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "VAMediaFileInfo.h"
#include "XStr.h"

class VMCFileFilter {
public:
    using ValueSet = std::set<XStr>;

    static constexpr const char* kFileTypes = "File Types";
    static constexpr const char* kDate = "Date";
    static constexpr int64_t kSecondsPerDay = 86400;

    // An empty set removes the field.
    void setFilterMeta(const XStr& field, const ValueSet& values);
    // Nothing removes the field.
    void setFilterMeta(const XStr& field, const std::optional<XStrList>& values);
    // Nothing when the field is not set.
    const ValueSet* filterForMeta(const XStr& field) const;
    const std::map<XStr, ValueSet>& filters() const { return mFilters; }

    // Files must also hold one of these values in the field (a choice of one run, never
    // stored in a profile); an empty set removes the field.
    void setOnly(const XStr& field, const ValueSet& values);
    const std::map<XStr, ValueSet>& only() const { return mOnly; }

    bool active() const { return !mFilters.empty() || !mOnly.empty(); }
    bool metaActive() const;
    // Whether the test reads probe information: some field other than "File Types" and
    // "Date" (which the file's own time answers) is set.
    bool needsProbe() const;

    // The "File Types" test alone.
    bool testJustURL(const XStr& path) const;
    // The whole test; info may be missing. Times are file times: the file's modification
    // time (0: the one in info) and the moment "Date" counts back from (0: now).
    bool testURL(const XStr& path, const VAMediaFileInfo* info, uint64_t modifiedFileTime = 0,
                 uint64_t nowFileTime = 0) const;
    bool isEqualToFilter(const VMCFileFilter& other) const {
        return mFilters == other.mFilters && mOnly == other.mOnly;
    }

    // The days of a "Date" value ("7 Days (1 week)" gives 7); 0 without a leading number.
    static int64_t daysOf(const XStr& value);
    // The file's strings of a field from its probe information (properties, then tags).
    static XStrList valuesOf(const VAMediaFileInfo& info, const XStr& field);

private:
    static bool recentEnough(const ValueSet& dateValues, uint64_t modified, uint64_t now);

    std::map<XStr, ValueSet> mFilters;
    std::map<XStr, ValueSet> mOnly;
};
