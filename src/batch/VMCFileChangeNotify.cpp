#include "VMCFileChangeNotify.h"

#include "XMainThread.h"
#include "XPath.h"

std::shared_ptr<VMCFileChangeNotify> VMCFileChangeNotify::create() {
    return std::shared_ptr<VMCFileChangeNotify>(new VMCFileChangeNotify());
}

VMCFileChangeNotify::~VMCFileChangeNotify() {
    watcherStop();
}

void VMCFileChangeNotify::setWatchedFolders(const XStrList& folders) {
    watcherStop();
    mWatchedFolders.clear();
    mWatchedFoldersSet.clear();
    for (const XStr& folder : folders) {
        const XStr f = XPath::withoutTrailingSlash(folder);
        mWatchedFolders.push_back(f);
        mWatchedFoldersSet.insert(f);
    }
    watcherStart();
}

void VMCFileChangeNotify::setWatchedFolder(const std::optional<XStr>& folder) {
    setWatchedFolders(folder ? XStrList{*folder} : XStrList());
}

std::optional<XStr> VMCFileChangeNotify::watchedFolder() const {
    if (mWatchedFolders.empty()) {
        return std::nullopt;
    }
    return mWatchedFolders.front();
}

void VMCFileChangeNotify::setRecursive(bool recursive) {
    watcherStop();
    mRecursive = recursive;
    watcherStart();
}

void VMCFileChangeNotify::setLatency(double seconds) {
    watcherStop();
    mLatency = seconds > 0 ? seconds : 0;
    watcherStart();
}

void VMCFileChangeNotify::setNotifyClient(
    const std::shared_ptr<VMCFileChangeNotifyClient>& client) {
    watcherStop();
    mNotifyClient = client;
    watcherStart();
}

void VMCFileChangeNotify::shutdown() {
    watcherStop();
}

void VMCFileChangeNotify::dispose() {
    watcherStop();
    mNotifyClient.reset();
}

bool VMCFileChangeNotify::batchCounts(const VAFolderEventStream::Batch& batch) const {
    if (mRecursive || batch.overflow || !batch.vanished.empty() || !batch.reappeared.empty()) {
        return true;
    }
    for (const VAFolderEventStream::Change& change : batch.changes) {
        if (mWatchedFoldersSet.contains(change.path) ||
            mWatchedFoldersSet.contains(XPath::folderOf(change.path))) {
            return true;
        }
    }
    return false;
}

void VMCFileChangeNotify::watcherStart() {
    if (mWatchedFolders.empty() || mNotifyClient.expired()) {
        return;
    }
    mWatching = true;
    const uint64_t continuity = ++mContinuity;
    VAFolderEventStream::Options options;
    options.recursive = mRecursive;
    options.latencyMs = static_cast<uint32_t>(mLatency * 1000);
    // The stream's thread only reads what never changes while it runs.
    mStream = std::make_unique<VAFolderEventStream>(
        mWatchedFolders, options,
        [this, weak = weak_from_this(), continuity](const VAFolderEventStream::Batch& batch) {
            if (!batchCounts(batch)) {
                return;
            }
            XMainThread::post([weak, continuity] {
                if (const std::shared_ptr<VMCFileChangeNotify> self = weak.lock()) {
                    self->deliver(continuity);
                }
            });
        });
    mStream->start();
}

void VMCFileChangeNotify::watcherStop() {
    if (!mWatching) {
        return;
    }
    mStream.reset();
    mWatching = false;
}

void VMCFileChangeNotify::deliver(uint64_t continuity) {
    if (!mWatching || continuity != mContinuity) {
        return;
    }
    if (const std::shared_ptr<VMCFileChangeNotifyClient> client = mNotifyClient.lock()) {
        client->onFileChangeEventFrom(*this);
    }
}
