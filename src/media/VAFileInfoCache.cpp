#include "VAFileInfoCache.h"

#include <algorithm>

#include "VAFileInfoCacheWorker.h"
#include "VAFileInfoTransform_Columns.h"

VAFileInfoCache::VAFileInfoCache(const XStrList& urls,
                                 std::shared_ptr<VAFileInfoTransform> transform, Options options)
    : mState(std::make_shared<VAFileInfoCacheState>()) {
    mState->urls = urls;
    mState->transform = std::move(transform);
    mState->options = std::move(options);
    mState->listenerSignal = clSignal::create();
    mState->shutdownSignal = clSignal::create();
    if (!mState->listenerSignal || !mState->shutdownSignal) {
        // Without its signals the worker could neither wait nor be stopped.
        mState->shutdown = true;
        return;
    }
    mWorker = std::thread([state = mState] { VAFileInfoCacheWorker(state).run(); });
}

VAFileInfoCache::~VAFileInfoCache() {
    shutdown();
    if (mWorker.joinable()) {
        mWorker.join();
    }
}

std::unique_ptr<VAFileInfoCache> VAFileInfoCache::initForURLs(const XStrList& urls) {
    return std::make_unique<VAFileInfoCache>(urls);
}

std::unique_ptr<VAFileInfoCache> VAFileInfoCache::initColumnInfoForURLs(const XStrList& urls) {
    return std::make_unique<VAFileInfoCache>(urls, std::make_shared<VAFileInfoTransform_Columns>());
}

std::unique_ptr<VAFileInfoCache> VAFileInfoCache::initForURLs(
    const XStrList& urls, std::shared_ptr<VAFileInfoTransform> transform) {
    return std::make_unique<VAFileInfoCache>(urls, std::move(transform));
}

VAFileInfoCache::Item VAFileInfoCache::infoForIndex(std::size_t index) const {
    return index < mState->loaded.size() ? mState->loaded[index] : nullptr;
}

std::shared_ptr<const VAMediaFileInfo> VAFileInfoCache::mediaInfoForIndex(std::size_t index) const {
    return std::dynamic_pointer_cast<const VAMediaFileInfo>(infoForIndex(index));
}

std::shared_ptr<const VAFileInfoColumns> VAFileInfoCache::columnsForIndex(std::size_t index) const {
    return std::dynamic_pointer_cast<const VAFileInfoColumns>(infoForIndex(index));
}

XStr VAFileInfoCache::urlForIndex(std::size_t index) const {
    return index < mState->urls.size() ? mState->urls[index] : XStr();
}

void VAFileInfoCache::addCallback(const std::shared_ptr<VAFileInfoCacheCallback>& listener) {
    if (!listener) {
        return;
    }
    mState->listeners.push_back(std::make_shared<VAFileInfoCacheCallbackWeakRef>(listener));
    updateListenerSignal();
}

void VAFileInfoCache::removeCallback(const VAFileInfoCacheCallback* listener) {
    std::erase_if(mState->listeners, [listener](const auto& ref) {
        return ref->expired() || ref->refersTo(listener);
    });
    updateListenerSignal();
}

void VAFileInfoCache::updateListenerSignal() {
    if (mState->listenerSignal) {
        mState->listenerSignal->setState(!mState->listeners.empty());
    }
}

void VAFileInfoCache::shutdown() {
    mState->shutdown = true;
    if (mState->shutdownSignal) {
        mState->shutdownSignal->setState(true);
    }
}
