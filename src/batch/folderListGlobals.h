// What every entry of one folder tree shares: the format filter (every format enabled), the
// owner's property filter and the selection new folders take, the probe cache, the
// owner, and the background queue that lists and scans folders.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "VAMediaFormatFilter.h"
#include "VAProbeCache.h"
#include "VMCFileFilter.h"
#include "XPropertyDictionary.h"
#include "XWorkQueue.h"
#include "clFolderListOwner.h"

class folderListGlobals {
public:
    // Made on the main thread, whose notifications it posts there from other threads.
    explicit folderListGlobals(std::weak_ptr<clFolderListOwner> owner = {},
                               std::shared_ptr<const VAMediaFormatFilter> formats = nullptr);
    ~folderListGlobals();

    const std::shared_ptr<const VAMediaFormatFilter>& formats() const { return mFormats; }

    std::shared_ptr<const VMCFileFilter> fileFilter() const;
    void setFileFilter(const VMCFileFilter& filter);
    // What folders made from now on restore (a profile's selection), or none.
    std::shared_ptr<const XPropertyDictionary> selection() const;
    void setSelection(const std::optional<XPropertyDictionary>& selection);

    // The probe cache the scans go through (the shared one unless set).
    std::shared_ptr<VAProbeCache> probeCache() const;
    void setProbeCache(std::shared_ptr<VAProbeCache> cache);

    std::shared_ptr<clFolderListOwner> owner() const { return mOwner.lock(); }
    // Calls the owner now on the main thread, else posts the call there.
    void tellOwner(std::function<void(clFolderListOwner&)> call) const;
    bool onMainThread() const { return std::this_thread::get_id() == mMainThread; }

    XWorkQueue& queue() { return mQueue; }

private:
    mutable std::mutex mMutex;
    std::weak_ptr<clFolderListOwner> mOwner;
    std::shared_ptr<const VAMediaFormatFilter> mFormats;
    std::shared_ptr<const VMCFileFilter> mFileFilter;
    std::shared_ptr<const XPropertyDictionary> mSelection;
    std::shared_ptr<VAProbeCache> mProbeCache;
    bool mProbeCacheSet = false;
    std::thread::id mMainThread;
    // Listing and scanning may run side by side; the last member, so it goes first.
    XWorkQueue mQueue{2};
};
