// The media information of one list of files, gathered in the background: a worker probes
// the files in list order (several at once) and the records reach the main thread in
// order, in batches. Long lists are only probed past the first files while somebody
// listens. Every operation belongs to the main thread.
#pragma once

#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

#include "VAFileInfoCacheCallback.h"
#include "VAFileInfoCacheState.h"
#include "VAFileInfoColumns.h"
#include "VAFileInfoTransform.h"
#include "VAMediaFileInfo.h"

class VAFileInfoCache {
public:
    using Item = VAFileInfoCacheState::Item;
    using Options = VAFileInfoCacheOptions;

    // The worker starts at once.
    explicit VAFileInfoCache(const XStrList& urls,
                             std::shared_ptr<VAFileInfoTransform> transform = nullptr,
                             Options options = Options());
    // Shuts down and waits for the worker, which kills its running probes.
    ~VAFileInfoCache();
    VAFileInfoCache(const VAFileInfoCache&) = delete;
    VAFileInfoCache& operator=(const VAFileInfoCache&) = delete;

    static std::unique_ptr<VAFileInfoCache> initForURLs(const XStrList& urls);
    // Records kept as VAFileInfoColumns.
    static std::unique_ptr<VAFileInfoCache> initColumnInfoForURLs(const XStrList& urls);
    static std::unique_ptr<VAFileInfoCache> initForURLs(
        const XStrList& urls, std::shared_ptr<VAFileInfoTransform> transform);

    std::size_t count() const { return mState->urls.size(); }
    std::size_t countLoaded() const { return mState->loaded.size(); }
    bool allLoaded() const { return countLoaded() == count(); }
    // Nothing while the record is not loaded.
    Item infoForIndex(std::size_t index) const;
    // The record as probe record or as column values; nothing when it is the other kind.
    std::shared_ptr<const VAMediaFileInfo> mediaInfoForIndex(std::size_t index) const;
    std::shared_ptr<const VAFileInfoColumns> columnsForIndex(std::size_t index) const;
    // Empty when out of range.
    XStr urlForIndex(std::size_t index) const;
    const std::vector<Item>& allInfosLoaded() const { return mState->loaded; }

    // Listeners are held weakly.
    void addCallback(const std::shared_ptr<VAFileInfoCacheCallback>& listener);
    void removeCallback(const VAFileInfoCacheCallback* listener);
    // Ends the worker; batches that arrive afterwards are dropped.
    void shutdown();

private:
    void updateListenerSignal();

    std::shared_ptr<VAFileInfoCacheState> mState;
    std::thread mWorker;
};
