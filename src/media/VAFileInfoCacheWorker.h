// The worker of a file information cache: probes the files in list order, several ffprobe
// children at once, and hands the records to the main thread in order, in batches.
#pragma once

#include <memory>

#include "VAFileInfoCacheState.h"

class VAFileInfoCacheWorker {
public:
    explicit VAFileInfoCacheWorker(std::shared_ptr<VAFileInfoCacheState> state);
    ~VAFileInfoCacheWorker();
    VAFileInfoCacheWorker(const VAFileInfoCacheWorker&) = delete;
    VAFileInfoCacheWorker& operator=(const VAFileInfoCacheWorker&) = delete;

    void run();

private:
    struct Slot;

    std::unique_ptr<Slot> startSlot(std::size_t index);
    void completeSlot(Slot& slot);
    void deliver(Slot& slot);
    void handOver();
    // Waits for output of the running probes; false when shutdown was set.
    bool waitForOutput();
    // Waits up to the listener wait for a listener; false when shutdown was set.
    bool waitForListener();
    void abandonRunning();
    std::size_t runningSlots() const;

    std::shared_ptr<VAFileInfoCacheState> mState;
    std::shared_ptr<VAProbeCache> mProbeCache;
    XStr mFFprobe;
    std::vector<std::unique_ptr<Slot>> mWindow;
    std::vector<VAFileInfoCacheState::Item> mBatch;
    uint32_t mLastHandOver = 0;
};
