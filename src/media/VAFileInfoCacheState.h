// What a file information cache shares between its main-thread face and its worker.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "VAFileInfoCacheCallback.h"
#include "VAFileInfoObject.h"
#include "VAFileInfoTransform.h"
#include "VAProbeCache.h"
#include "XStr.h"
#include "clSignal.h"

struct VAFileInfoCacheOptions {
    // ffprobe children at once; 0 means one per hardware thread.
    std::size_t maxParallel = 0;
    // Files probed before the worker waits for a listener.
    std::size_t probeWithoutListener = 500;
    uint32_t handOverMs = 1000;
    uint32_t listenerWaitMs = 500;
    // Records kept between runs: the given cache, else the shared one unless turned off.
    std::shared_ptr<VAProbeCache> probeCache;
    bool useSharedProbeCache = true;
};

struct VAFileInfoCacheState {
    using Item = std::shared_ptr<const VAFileInfoObject>;

    // Never changed after creation; read by both threads.
    XStrList urls;
    std::shared_ptr<VAFileInfoTransform> transform;
    VAFileInfoCacheOptions options;
    std::unique_ptr<clSignal> listenerSignal;
    std::unique_ptr<clSignal> shutdownSignal;
    std::atomic<bool> shutdown{false};

    // Main thread only.
    std::vector<Item> loaded;
    std::vector<std::shared_ptr<VAFileInfoCacheCallbackWeakRef>> listeners;
};
