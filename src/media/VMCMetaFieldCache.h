// The distinct values of chosen fields (artist, album, genre, ...) over every media file
// of a folder and its sub-folders, for the filter choices of the batch converter. Folders
// are scanned one after another on one background thread; results stay for the cache's
// lifetime.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "VAMediaFileInfo.h"
#include "VMCMetaFieldCacheCallback.h"

class VMCMetaFieldCache {
public:
    // Which files count as media; without one every regular file is probed.
    using MediaFileFilter = std::function<bool(const XStr& path)>;

    explicit VMCMetaFieldCache(XStrList fields, MediaFileFilter isMediaFile = nullptr);
    // A scan in progress stops after its current file; nothing is delivered afterwards.
    ~VMCMetaFieldCache();
    VMCMetaFieldCache(const VMCMetaFieldCache&) = delete;
    VMCMetaFieldCache& operator=(const VMCMetaFieldCache&) = delete;

    // The values at once when the folder is known; otherwise nothing, and the callback
    // hears when the folder has been scanned.
    std::optional<VMCMetaFields> fieldsForFolder(
        const XStr& folder, const std::shared_ptr<VMCMetaFieldCacheCallback>& callback);
    // The union over all folders: at once when every folder is known, else delivered
    // when the last one has been scanned. An empty list gives nothing.
    std::optional<VMCMetaFields> fieldsForFolders(
        const XStrList& folders, const std::shared_ptr<VMCMetaFieldCacheCallback>& callback);

    // The values one record adds for these fields.
    static void collect(const VAMediaFileInfo& info, const XStrList& fields, VMCMetaFields& into);

    struct State;

private:
    std::shared_ptr<State> mState;
};
