#include "VMCScheduler.h"

VMCScheduler::VMCScheduler(std::size_t jobCount, std::size_t slotCount, JobBody body)
    : mCPUs(slotCount),
      mThreads(slotCount),
      mJobCount(jobCount),
      mAssigned(jobCount, false),
      mBody(std::move(body)) {
    for (std::size_t i = 0; i < slotCount; ++i) {
        mCPUs[i].indexOfThisCPU = static_cast<uint32_t>(i);
    }
}

VMCScheduler::~VMCScheduler() {
    for (std::thread& thread : mThreads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
}

VMCCPU* VMCScheduler::slotForJob(uint32_t job) {
    for (VMCCPU& slot : mCPUs) {
        if (slot.currentTaskIndex == job) {
            return &slot;
        }
    }
    return nullptr;
}

std::size_t VMCScheduler::nextStartable() const {
    for (std::size_t job = 0; job < mJobCount; ++job) {
        if (mAssigned[job]) {
            continue;
        }
        const uint32_t group = groupOf(job);
        bool busy = false;
        for (const VMCCPU& slot : mCPUs) {
            busy = busy || (group != 0 && slot.isBusy() && groupOf(slot.currentTaskIndex) == group);
        }
        if (!busy) {
            return job;
        }
    }
    return mJobCount;
}

std::vector<uint32_t> VMCScheduler::startIdle(uint32_t allowed) {
    std::vector<uint32_t> started;
    uint32_t busy = 0;
    for (const VMCCPU& slot : mCPUs) {
        busy += slot.isBusy() ? 1 : 0;
    }
    for (VMCCPU& slot : mCPUs) {
        if (busy >= allowed || mNumAssigned >= mJobCount) {
            break;
        }
        if (slot.isBusy()) {
            continue;
        }
        const std::size_t next = nextStartable();
        if (next >= mJobCount) {
            break;
        }
        const uint32_t index = slot.indexOfThisCPU;
        const auto job = static_cast<uint32_t>(next);
        mAssigned[next] = true;
        ++mNumAssigned;
        slot.currentTaskIndex = job;
        // A fresh job starts from nothing, not from the last job's 100.
        slot.percentDone = 0;
        slot.fps = 0;
        // The slot's last thread said it was done before it could be joined.
        if (mThreads[index].joinable()) {
            mThreads[index].join();
        }
        ++mRunning;
        mThreads[index] = std::thread(mBody, index, job);
        ++busy;
        started.push_back(index);
    }
    return started;
}

void VMCScheduler::threadEnded(uint32_t slotIndex) {
    if (mRunning > 0) {
        --mRunning;
    }
    if (slotIndex < mThreads.size() && mThreads[slotIndex].joinable()) {
        mThreads[slotIndex].join();
    }
}

void VMCScheduler::finishJob(uint32_t slotIndex) {
    ++mNumDone;
    mCPUs[slotIndex].currentTaskIndex = VMCCPU::kIdle;
}
