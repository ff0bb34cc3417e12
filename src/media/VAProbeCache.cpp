#include "VAProbeCache.h"

#include <poll.h>

#include <algorithm>

#include "VAAppDataFolder.h"
#include "VAProbeCacheFile.h"
#include "XFile.h"
#include "XPath.h"

namespace {

// A stop was asked for through the descriptor.
bool isReadable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return fd >= 0 && poll(&p, 1, 0) > 0;
}

std::mutex gSharedMutex;
std::shared_ptr<VAProbeCache> gShared;
bool gSharedEnabled = true;

bool sameVersion(const VAFileStat& a, const VAFileStat& b) {
    return a.size == b.size && a.modifiedNs() == b.modifiedNs();
}

}  // namespace

VAProbeCache::VAProbeCache(XStr path, std::size_t maxRecords)
    : mPath(std::move(path)), mMaxRecords(maxRecords) {}

std::shared_ptr<VAProbeCache> VAProbeCache::shared() {
    const std::lock_guard<std::mutex> lock(gSharedMutex);
    if (!gSharedEnabled || VAAppDataFolder::appName().empty()) {
        return nullptr;
    }
    const XStr path = XPath::join(VAAppDataFolder::path(), kFileName);
    // The folder can change (tests point it elsewhere); a cache belongs to one file.
    if (!gShared || gShared->path() != path) {
        gShared = std::make_shared<VAProbeCache>(path);
    }
    return gShared;
}

void VAProbeCache::setSharedEnabled(bool enabled) {
    const std::lock_guard<std::mutex> lock(gSharedMutex);
    gSharedEnabled = enabled;
    if (!enabled) {
        gShared.reset();
    }
}

void VAProbeCache::loadLocked() {
    if (mLoaded) {
        return;
    }
    mLoaded = true;
    mDiskStamp = VAFileStat::of(mPath);
    if (std::optional<std::vector<VAProbeCacheRecord>> disk = VAProbeCacheFile::read(mPath)) {
        mergeLocked(std::move(*disk));
    }
}

void VAProbeCache::mergeLocked(std::vector<VAProbeCacheRecord> disk) {
    // Disk order is oldest first; the records of this process that are not saved yet stay
    // newer than anything read.
    std::unordered_map<XStr, Entry> merged;
    uint64_t use = 0;
    for (VAProbeCacheRecord& r : disk) {
        XStr key = r.path;
        merged[key] = Entry{std::move(r), ++use, false};
    }
    std::vector<Entry*> mine;
    for (auto& [key, entry] : mEntries) {
        if (entry.fresh || !merged.contains(key)) {
            mine.push_back(&entry);
        }
    }
    std::sort(mine.begin(), mine.end(),
              [](const Entry* a, const Entry* b) { return a->use < b->use; });
    for (Entry* entry : mine) {
        const XStr key = entry->record.path;
        merged[key] = Entry{std::move(entry->record), ++use, entry->fresh};
    }
    mEntries = std::move(merged);
    mUseCounter = use;
    trimLocked();
}

std::vector<VAProbeCacheRecord> VAProbeCache::orderedLocked() const {
    std::vector<const Entry*> entries;
    entries.reserve(mEntries.size());
    for (const auto& [key, entry] : mEntries) {
        entries.push_back(&entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry* a, const Entry* b) { return a->use < b->use; });
    std::vector<VAProbeCacheRecord> records;
    records.reserve(entries.size());
    for (const Entry* e : entries) {
        records.push_back(e->record);
    }
    return records;
}

void VAProbeCache::trimLocked() {
    if (mEntries.size() <= mMaxRecords) {
        return;
    }
    std::vector<std::pair<uint64_t, XStr>> byAge;
    byAge.reserve(mEntries.size());
    for (const auto& [key, entry] : mEntries) {
        byAge.emplace_back(entry.use, key);
    }
    std::sort(byAge.begin(), byAge.end());
    const std::size_t drop = mEntries.size() - mMaxRecords;
    for (std::size_t i = 0; i < drop; ++i) {
        mEntries.erase(byAge[i].second);
    }
}

std::shared_ptr<VAMediaFileInfo> VAProbeCache::find(const XStr& path, const VAFileStat& stat) {
    const std::lock_guard<std::mutex> lock(mMutex);
    loadLocked();
    auto it = mEntries.find(path);
    if (it == mEntries.end() || !sameVersion(it->second.record.stat, stat)) {
        return nullptr;
    }
    Entry& entry = it->second;
    entry.use = ++mUseCounter;
    auto info = std::make_shared<VAMediaFileInfo>();
    info->setURL(path);
    info->setFileStat(stat);
    info->setIDTags(VATag(entry.record.idTags));
    info->setMediaProps(VATag(entry.record.props));
    info->setLengthMS(entry.record.lengthMS);
    info->setProbedCleanly(true);
    return info;
}

void VAProbeCache::store(const VAMediaFileInfo& info, const VAFileStat& stat) {
    if (!info.probedCleanly() || info.url().empty()) {
        return;
    }
    const std::lock_guard<std::mutex> lock(mMutex);
    loadLocked();
    Entry& entry = mEntries[info.url()];
    entry.record = VAProbeCacheRecord{info.url(), stat, info.lengthMS(), info.IDTags().tag(),
                                      info.MediaProps().tag()};
    entry.use = ++mUseCounter;
    entry.fresh = true;
    mDirty = true;
    trimLocked();
}

std::shared_ptr<VAMediaFileInfo> VAProbeCache::infoForFile(const XStr& path, int stopFD) {
    const std::optional<VAFileStat> before = VAFileStat::of(path);
    if (before) {
        if (std::shared_ptr<VAMediaFileInfo> kept = find(path, *before)) {
            return kept;
        }
    }
    std::shared_ptr<VAMediaFileInfo> info = VAMediaFileInfo::infoForFile(path, stopFD);
    // A file that changed while it was probed may be described by either version.
    if (before && !before->waits && VAFileStat::of(path) == before && !isReadable(stopFD)) {
        store(*info, *before);
    }
    return info;
}

void VAProbeCache::refresh() {
    const std::lock_guard<std::mutex> lock(mMutex);
    if (!mLoaded) {
        loadLocked();
        return;
    }
    const std::optional<VAFileStat> stamp = VAFileStat::of(mPath);
    if (stamp == mDiskStamp) {
        return;
    }
    mDiskStamp = stamp;
    if (std::optional<std::vector<VAProbeCacheRecord>> disk = VAProbeCacheFile::read(mPath)) {
        mergeLocked(std::move(*disk));
    }
}

bool VAProbeCache::save() {
    const std::lock_guard<std::mutex> lock(mMutex);
    if (!mDirty) {
        return true;
    }
    XFile::CreateFolderPath(XPath::folderOf(mPath));
    // Writers take turns, and each merges what the others saved before it.
    XFile lockFile;
    lockFile.Open(mPath + ".lock", XFile::Access::kReadWrite,
                  XFile::kOpenAlways | XFile::kWaitForLock | XFile::kRegularOnly,
                  XFile::Share::kExclusive);
    bool replaceable = true;
    std::optional<std::vector<VAProbeCacheRecord>> disk =
        VAProbeCacheFile::read(mPath, &replaceable);
    if (!replaceable) {
        // What is there was never read, so it is not this program's to replace.
        return false;
    }
    mergeLocked(disk ? std::move(*disk) : std::vector<VAProbeCacheRecord>());
    const bool written = VAProbeCacheFile::write(mPath, orderedLocked());
    if (written) {
        for (auto& [key, entry] : mEntries) {
            entry.fresh = false;
        }
        mDirty = false;
        mDiskStamp = VAFileStat::of(mPath);
    }
    return written;
}

std::size_t VAProbeCache::size() {
    const std::lock_guard<std::mutex> lock(mMutex);
    loadLocked();
    return mEntries.size();
}
