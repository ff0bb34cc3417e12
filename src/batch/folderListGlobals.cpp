#include "folderListGlobals.h"

#include "XMainThread.h"

namespace {

std::shared_ptr<const VAMediaFormatFilter> allFormats() {
    std::shared_ptr<VAMediaFormatFilter> formats = VAMediaFormatFilter::init();
    if (!formats) {
        // Lists that do not pair up show no file at all.
        formats = VAMediaFormatFilter::fromLists({});
    }
    formats->toggleAll(true);
    return formats;
}

}  // namespace

folderListGlobals::folderListGlobals(std::weak_ptr<clFolderListOwner> owner,
                                     std::shared_ptr<const VAMediaFormatFilter> formats)
    : mOwner(std::move(owner)),
      mFormats(formats ? std::move(formats) : allFormats()),
      mFileFilter(std::make_shared<VMCFileFilter>()),
      mMainThread(std::this_thread::get_id()) {}

folderListGlobals::~folderListGlobals() = default;

std::shared_ptr<const VMCFileFilter> folderListGlobals::fileFilter() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFileFilter;
}

void folderListGlobals::setFileFilter(const VMCFileFilter& filter) {
    auto copy = std::make_shared<const VMCFileFilter>(filter);
    const std::lock_guard<std::mutex> lock(mMutex);
    mFileFilter = std::move(copy);
}

std::shared_ptr<const XPropertyDictionary> folderListGlobals::selection() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mSelection;
}

void folderListGlobals::setSelection(const std::optional<XPropertyDictionary>& selection) {
    auto copy = selection ? std::make_shared<const XPropertyDictionary>(*selection) : nullptr;
    const std::lock_guard<std::mutex> lock(mMutex);
    mSelection = std::move(copy);
}

std::shared_ptr<VAProbeCache> folderListGlobals::probeCache() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mProbeCacheSet ? mProbeCache : VAProbeCache::shared();
}

void folderListGlobals::setProbeCache(std::shared_ptr<VAProbeCache> cache) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mProbeCache = std::move(cache);
    mProbeCacheSet = true;
}

void folderListGlobals::tellOwner(std::function<void(clFolderListOwner&)> call) const {
    if (onMainThread()) {
        if (std::shared_ptr<clFolderListOwner> owner = mOwner.lock()) {
            call(*owner);
        }
        return;
    }
    XMainThread::post([weakOwner = mOwner, call = std::move(call)] {
        if (std::shared_ptr<clFolderListOwner> owner = weakOwner.lock()) {
            call(*owner);
        }
    });
}
