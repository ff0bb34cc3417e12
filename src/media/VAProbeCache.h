// Probe records kept between runs of the program, in one file of the application data
// folder, keyed by path and valid while the file keeps its size and modification time (to
// the nanosecond). A changed file is probed again; the oldest records go first when the
// cache is full; a damaged file counts as empty and is replaced by the next save, while one
// that cannot be read at all (no regular file, too large, no permission) is left alone.
//
// Several processes may share the file: a save takes an exclusive lock on "<file>.lock",
// merges its new records into what is on disk now and replaces the file atomically, so
// every process's records survive and readers never see a partial file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "VAMediaFileInfo.h"
#include "VAProbeCacheRecord.h"
#include "XStr.h"

class VAProbeCache {
public:
    static constexpr std::size_t kDefaultMaxRecords = 5000;
    static constexpr const char* kFileName = "ProbeCache.json";

    explicit VAProbeCache(XStr path, std::size_t maxRecords = kDefaultMaxRecords);

    // The cache of the application data folder; nothing before an application name is
    // registered, or after disableShared (tests, benchmarks).
    static std::shared_ptr<VAProbeCache> shared();
    static void setSharedEnabled(bool enabled);

    const XStr& path() const { return mPath; }

    // A new record for the file when one is kept for exactly this size and time.
    std::shared_ptr<VAMediaFileInfo> find(const XStr& path, const VAFileStat& stat);
    // Remembers a record that a clean probe made; the file must not have changed since
    // the stat was taken.
    void store(const VAMediaFileInfo& info, const VAFileStat& stat);
    // The probe through the cache: a kept record, or a fresh probe that is kept. A probe
    // ended through stopFD is not kept.
    std::shared_ptr<VAMediaFileInfo> infoForFile(const XStr& path, int stopFD = -1);

    // Writes when there is something new. False when the file could not be written or
    // must not be replaced.
    bool save();
    // Takes in what other processes saved since this one last read the file.
    void refresh();
    std::size_t size();

private:
    struct Entry {
        VAProbeCacheRecord record;
        // Higher is newer; what decides which records go first when the cache is full.
        uint64_t use = 0;
        bool fresh = false;
    };

    void loadLocked();
    void mergeLocked(std::vector<VAProbeCacheRecord> disk);
    std::vector<VAProbeCacheRecord> orderedLocked() const;
    void trimLocked();

    const XStr mPath;
    const std::size_t mMaxRecords;
    std::mutex mMutex;
    bool mLoaded = false;
    std::optional<VAFileStat> mDiskStamp;
    std::unordered_map<XStr, Entry> mEntries;
    uint64_t mUseCounter = 0;
    bool mDirty = false;
};
