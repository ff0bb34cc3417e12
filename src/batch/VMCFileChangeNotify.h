// Tells a client on the main thread that something changed in the watched folders. The
// watching runs on a thread of its own (inotify); changes are gathered for the latency and
// told once. Every setter restarts the watcher; what was raised before a restart is
// dropped.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>

#include "VAFolderEventStream.h"
#include "XStr.h"

class VMCFileChangeNotify;

class VMCFileChangeNotifyClient {
public:
    virtual ~VMCFileChangeNotifyClient() = default;
    virtual void onFileChangeEventFrom(VMCFileChangeNotify& notifier) = 0;
};

class VMCFileChangeNotify : public std::enable_shared_from_this<VMCFileChangeNotify> {
public:
    static constexpr double kDefaultLatency = 1.0;

    static std::shared_ptr<VMCFileChangeNotify> create();
    ~VMCFileChangeNotify();
    VMCFileChangeNotify(const VMCFileChangeNotify&) = delete;
    VMCFileChangeNotify& operator=(const VMCFileChangeNotify&) = delete;

    void setWatchedFolders(const XStrList& folders);
    // None stops watching.
    void setWatchedFolder(const std::optional<XStr>& folder);
    void setWatchedFolderURL(const std::optional<XStr>& url) { setWatchedFolder(url); }
    const XStrList& watchedFolders() const { return mWatchedFolders; }
    std::optional<XStr> watchedFolder() const;
    std::optional<XStr> watchedFolderURL() const { return watchedFolder(); }

    void setRecursive(bool recursive);
    void setLatency(double seconds);
    void setNotifyClient(const std::shared_ptr<VMCFileChangeNotifyClient>& client);
    bool recursive() const { return mRecursive; }
    double latency() const { return mLatency; }
    bool watching() const { return mWatching; }

    // Stops watching.
    void shutdown();
    // Stops watching and forgets the client.
    void dispose();

    // Whether a batch counts: in recursive mode every one; otherwise one naming a watched
    // folder or something directly inside one.
    bool batchCounts(const VAFolderEventStream::Batch& batch) const;

private:
    VMCFileChangeNotify() = default;
    void watcherStart();
    void watcherStop();
    void deliver(uint64_t continuity);

    XStrList mWatchedFolders;
    std::set<XStr> mWatchedFoldersSet;
    std::weak_ptr<VMCFileChangeNotifyClient> mNotifyClient;
    bool mWatching = false;
    std::atomic<uint64_t> mContinuity{0};
    double mLatency = kDefaultLatency;
    bool mRecursive = false;
    std::unique_ptr<VAFolderEventStream> mStream;
};
