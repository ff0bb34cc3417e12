#include "VMCMetaFieldCache.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "VAFileInfoColumns.h"
#include "VAProbeCache.h"
#include "metaCollectManyFolders.h"

struct VMCMetaFieldCache::State {
    XStrList fields;
    MediaFileFilter isMediaFile;
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::map<XStr, VMCMetaFields> results;
    std::map<XStr, std::vector<std::shared_ptr<VMCMetaFieldCacheCallback>>> waiting;
    std::deque<XStr> queue;
    bool workerRunning = false;
};

namespace {

void addValues(std::set<XStr>& into, const XStr& field, const XStr& value,
               const std::function<XStr(const XStr&)>& label) {
    bool any = false;
    for (const XStr& part : value.split(U'\r')) {
        if (!part.empty()) {
            into.insert(label ? label(part) : part);
            any = true;
        }
    }
    if (!any) {
        into.insert(XStr::format("[no %s]", field.utf8().c_str()));
    }
}

std::shared_ptr<VAMediaFileInfo> probe(const XStr& path) {
    if (std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared()) {
        return cache->infoForFile(path);
    }
    return VAMediaFileInfo::infoForFile(path);
}

VMCMetaFields scanFolder(VMCMetaFieldCache::State& state, const XStr& folder) {
    VMCMetaFields fields;
    for (const XStr& f : state.fields) {
        fields[f];
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder.utf8(),
                                        fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (state.stop) {
            break;
        }
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        const XStr path(it->path().string());
        if (state.isMediaFile && !state.isMediaFile(path)) {
            continue;
        }
        VMCMetaFieldCache::collect(*probe(path), state.fields, fields);
    }
    return fields;
}

void work(const std::shared_ptr<VMCMetaFieldCache::State>& state) {
    for (;;) {
        XStr folder;
        {
            const std::lock_guard<std::mutex> lock(state->mutex);
            if (state->queue.empty() || state->stop) {
                state->workerRunning = false;
                return;
            }
            folder = state->queue.front();
            state->queue.pop_front();
        }
        VMCMetaFields fields = scanFolder(*state, folder);
        std::vector<std::shared_ptr<VMCMetaFieldCacheCallback>> callbacks;
        {
            const std::lock_guard<std::mutex> lock(state->mutex);
            if (state->stop) {
                state->workerRunning = false;
                return;
            }
            state->results[folder] = fields;
            callbacks = std::move(state->waiting[folder]);
            state->waiting.erase(folder);
        }
        for (const auto& callback : callbacks) {
            callback->deliverMetaFieldCacheResults(fields);
        }
    }
}

}  // namespace

VMCMetaFieldCache::VMCMetaFieldCache(XStrList fields, MediaFileFilter isMediaFile)
    : mState(std::make_shared<State>()) {
    mState->fields = std::move(fields);
    mState->isMediaFile = std::move(isMediaFile);
}

VMCMetaFieldCache::~VMCMetaFieldCache() {
    mState->stop = true;
}

std::optional<VMCMetaFields> VMCMetaFieldCache::fieldsForFolder(
    const XStr& folder, const std::shared_ptr<VMCMetaFieldCacheCallback>& callback) {
    const std::lock_guard<std::mutex> lock(mState->mutex);
    if (auto it = mState->results.find(folder); it != mState->results.end()) {
        return it->second;
    }
    // A folder with a waiting list is queued or being scanned already.
    const bool known = mState->waiting.contains(folder);
    auto& waiting = mState->waiting[folder];
    if (callback) {
        waiting.push_back(callback);
    }
    if (!known) {
        mState->queue.push_back(folder);
    }
    if (!mState->workerRunning) {
        mState->workerRunning = true;
        // The worker holds the state, so it may outlive the cache.
        std::thread([state = mState] { work(state); }).detach();
    }
    return std::nullopt;
}

std::optional<VMCMetaFields> VMCMetaFieldCache::fieldsForFolders(
    const XStrList& folders, const std::shared_ptr<VMCMetaFieldCacheCallback>& callback) {
    if (folders.empty()) {
        return std::nullopt;
    }
    auto collector = std::make_shared<metaCollectManyFolders>(folders.size(), callback);
    for (const XStr& folder : folders) {
        if (std::optional<VMCMetaFields> now = fieldsForFolder(folder, collector)) {
            collector->deliverMetaFieldCacheResults(*now);
        }
    }
    return collector->finishSynchronousScope();
}

void VMCMetaFieldCache::collect(const VAMediaFileInfo& info, const XStrList& fields,
                                VMCMetaFields& into) {
    NTag tags = info.IDTags().tag();
    tags.MergeFrom(info.MediaProps().tag(), false);
    const XStr artist = tags.GetString("artist");
    const XStr albumArtist = VAFileInfoColumns::albumArtistOf(tags);
    const bool compilation = tags.GetString("compilation").toInt64() != 0;
    for (const XStr& field : fields) {
        std::set<XStr>& values = into[field];
        const XStr lower = field.lowerASCII();
        if (lower == "album artist" || lower == "album_artist") {
            addValues(values, field, !albumArtist.empty() ? albumArtist : artist, nullptr);
        } else if (lower == "album") {
            const XStr prefix = !albumArtist.empty() || compilation ? albumArtist : artist;
            addValues(values, field, tags.GetString(field),
                      [&prefix](const XStr& album) { return prefix + " - " + album; });
        } else {
            addValues(values, field, tags.GetString(field), nullptr);
        }
    }
}
