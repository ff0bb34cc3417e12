#include "VAFileInfoCacheWorker.h"

#include <algorithm>
#include <thread>

#include "VAMediaProbe.h"
#include "VAProbeJob.h"
#include "XClock.h"
#include "XMainThread.h"
#include "clPollSet.h"

struct VAFileInfoCacheWorker::Slot {
    std::size_t index = 0;
    std::optional<VAFileStat> stat;
    VAProbeJob job;
    std::shared_ptr<VAMediaFileInfo> info;  // set once the record is complete
};

VAFileInfoCacheWorker::VAFileInfoCacheWorker(std::shared_ptr<VAFileInfoCacheState> state)
    : mState(std::move(state)) {
    const VAFileInfoCacheOptions& o = mState->options;
    mProbeCache =
        o.probeCache ? o.probeCache : (o.useSharedProbeCache ? VAProbeCache::shared() : nullptr);
}

VAFileInfoCacheWorker::~VAFileInfoCacheWorker() {
    abandonRunning();
}

std::unique_ptr<VAFileInfoCacheWorker::Slot> VAFileInfoCacheWorker::startSlot(std::size_t index) {
    auto slot = std::make_unique<Slot>();
    slot->index = index;
    const XStr& path = mState->urls[index];
    slot->stat = VAFileStat::of(path);
    if (mProbeCache && slot->stat) {
        slot->info = mProbeCache->find(path, *slot->stat);
        if (slot->info) {
            return slot;
        }
    }
    if (slot->job.start(mFFprobe, path)) {
        return slot;
    }
    if (slot->job.refused() == 0) {
        // Without ffprobe every file gets the empty record, as a single probe gives.
        slot->info = VAMediaFileInfo::empty();
        return slot;
    }
    // A file ffprobe must not be given (unreadable, missing, a pipe that would keep it
    // waiting): a record of the file that holds nothing, as a single probe gives.
    slot->info = std::make_shared<VAMediaFileInfo>();
    slot->info->setURL(path);
    slot->info->setFileStat(slot->stat);
    return slot;
}

void VAFileInfoCacheWorker::completeSlot(Slot& slot) {
    const VAProbeJob::Outcome outcome = slot.job.finish();
    const XStr& path = mState->urls[slot.index];
    auto info = std::make_shared<VAMediaFileInfo>();
    info->setURL(path);
    info->setFileStat(slot.stat);
    if (outcome == VAProbeJob::Outcome::kFinished) {
        info->readReport(slot.job.output());
    }
    info->setProbedCleanly(outcome == VAProbeJob::Outcome::kFinished);
    // A file that changed while it was probed may be described by either version.
    if (mProbeCache && slot.stat && VAFileStat::of(path) == slot.stat) {
        mProbeCache->store(*info, *slot.stat);
    }
    slot.info = std::move(info);
}

void VAFileInfoCacheWorker::deliver(Slot& slot) {
    std::shared_ptr<const VAMediaFileInfo> info = std::move(slot.info);
    mBatch.push_back(mState->transform ? mState->transform->transformInfo(info) : info);
    if (XClock::elapsedMs(mLastHandOver) >= mState->options.handOverMs) {
        handOver();
    }
}

void VAFileInfoCacheWorker::handOver() {
    if (mBatch.empty()) {
        return;
    }
    mLastHandOver = XClock::nowMs();
    std::shared_ptr<VAFileInfoCacheState> state = mState;
    XMainThread::post([state, batch = std::move(mBatch)]() mutable {
        if (state->shutdown) {
            return;
        }
        std::move(batch.begin(), batch.end(), std::back_inserter(state->loaded));
        const std::size_t count = state->loaded.size();
        // A listener may remove itself, or others, while it is told.
        const auto listeners = state->listeners;
        for (const auto& listener : listeners) {
            listener->onInfosLoaded(count);
        }
    });
    mBatch.clear();
}

bool VAFileInfoCacheWorker::waitForOutput() {
    clPollSet set;
    const int shutdownFD = mState->shutdownSignal->waitHandle();
    set.addRead(shutdownFD);
    for (const auto& slot : mWindow) {
        if (!slot->info && slot->job.outputFD() >= 0) {
            set.addRead(slot->job.outputFD());
        }
    }
    const int ready = set.wait(-1);
    if (mState->shutdownSignal->state()) {
        return false;
    }
    for (const auto& slot : mWindow) {
        if (slot->info) {
            continue;
        }
        const int fd = slot->job.outputFD();
        // A failed wait reads every pipe once; each read takes what is there or the end.
        if (fd < 0 || ready < 0 || set.isRead(fd)) {
            if (fd < 0 || !slot->job.readAvailable()) {
                completeSlot(*slot);
            }
        }
    }
    return true;
}

bool VAFileInfoCacheWorker::waitForListener() {
    clPollSet set;
    set.addRead(mState->shutdownSignal->waitHandle());
    set.addRead(mState->listenerSignal->waitHandle());
    set.wait(static_cast<int>(mState->options.listenerWaitMs));
    return !mState->shutdownSignal->state();
}

std::size_t VAFileInfoCacheWorker::runningSlots() const {
    std::size_t running = 0;
    for (const auto& slot : mWindow) {
        running += slot->info ? 0 : 1;
    }
    return running;
}

void VAFileInfoCacheWorker::abandonRunning() {
    for (const auto& slot : mWindow) {
        if (!slot->info) {
            slot->job.kill();
        }
    }
    mWindow.clear();
}

void VAFileInfoCacheWorker::run() {
    const VAFileInfoCacheOptions& o = mState->options;
    const std::size_t count = mState->urls.size();
    std::size_t parallel = o.maxParallel != 0 ? o.maxParallel : std::thread::hardware_concurrency();
    parallel = std::max<std::size_t>(parallel, 1);
    mFFprobe = VAMediaProbe::ffprobePath();
    if (mProbeCache) {
        mProbeCache->refresh();
    }
    mLastHandOver = XClock::nowMs();
    std::size_t next = 0;
    bool stopped = false;
    while (!stopped) {
        // At most `parallel` probes run; finished ones may wait in the window for an earlier
        // slow one, so that the records still go out in list order.
        while (next < count && runningSlots() < parallel && mWindow.size() < parallel * 16) {
            if (mState->shutdownSignal->state()) {
                stopped = true;
                break;
            }
            if (next >= o.probeWithoutListener && !mState->listenerSignal->state()) {
                break;
            }
            mWindow.push_back(startSlot(next++));
        }
        if (stopped) {
            break;
        }
        while (!mWindow.empty() && mWindow.front()->info) {
            deliver(*mWindow.front());
            mWindow.erase(mWindow.begin());
        }
        if (mWindow.empty()) {
            if (next >= count) {
                break;
            }
            if (next < o.probeWithoutListener || mState->listenerSignal->state()) {
                // Everything started so far is delivered (kept records come at once):
                // start the next ones.
                continue;
            }
            // Nobody is looking: keep what was learnt, then wait for a listener.
            handOver();
            if (mProbeCache) {
                mProbeCache->save();
            }
            stopped = !waitForListener();
            continue;
        }
        stopped = !waitForOutput();
    }
    abandonRunning();
    if (!stopped) {
        handOver();
    }
    if (mProbeCache) {
        mProbeCache->save();
    }
}
