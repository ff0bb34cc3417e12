#include "VMCProgressEstimate.h"

#include <algorithm>
#include <cmath>

VMCProgressEstimate::VMCProgressEstimate(const VAConversionSpec& spec) : mEntries(spec.entries) {
    for (const VAConversionEntry& entry : mEntries) {
        mSizeTotal += entry.sourceSizeBytes;
    }
}

void VMCProgressEstimate::jobDone(const VMCCPU& slot) {
    ++mNumDone;
    if (isRunning(slot)) {
        mSizeFilesDone += mEntries[slot.currentTaskIndex].sourceSizeBytes;
    }
    mLengthFilesDone += slot.lengthMS;
}

double VMCProgressEstimate::ratioDone(const std::vector<VMCCPU>& slots) const {
    if (mEntries.empty()) {
        return 0.0;
    }
    if (mSizeTotal == 0) {
        // Nothing to weigh by: count the jobs instead.
        double done = mNumDone;
        for (const VMCCPU& slot : slots) {
            if (isRunning(slot)) {
                done += std::min<uint32_t>(slot.percentDone, 100) / 100.0;
            }
        }
        return std::min(1.0, done / static_cast<double>(mEntries.size()));
    }
    uint64_t weighted = 0;
    for (const VMCCPU& slot : slots) {
        if (isRunning(slot)) {
            weighted += mEntries[slot.currentTaskIndex].sourceSizeBytes *
                        static_cast<uint64_t>(slot.percentDone);
        }
    }
    const double ratio =
        (static_cast<double>(weighted) / 100.0 + static_cast<double>(mSizeFilesDone)) /
        static_cast<double>(mSizeTotal);
    return std::min(1.0, ratio);
}

uint32_t VMCProgressEstimate::percentDone(const std::vector<VMCCPU>& slots) const {
    return static_cast<uint32_t>(std::floor(ratioDone(slots) * 100.0 + 0.5));
}

uint64_t VMCProgressEstimate::lengthDone(const std::vector<VMCCPU>& slots) const {
    uint64_t done = mLengthFilesDone;
    for (const VMCCPU& slot : slots) {
        if (isRunning(slot)) {
            done += static_cast<uint64_t>(slot.percentDone) * slot.lengthMS / 100;
        }
    }
    return done;
}

void VMCProgressEstimate::pause(uint32_t now) {
    if (!mPaused) {
        mPaused = true;
        mPauseBegan = now;
    }
}

void VMCProgressEstimate::resume(uint32_t now) {
    if (mPaused) {
        mPaused = false;
        mPausedMs += now - mPauseBegan;
    }
}

void VMCProgressEstimate::end(uint32_t now) {
    resume(now);
    mEnded = true;
    mTimeEnd = now;
}

uint32_t VMCProgressEstimate::elapsedMs(uint32_t now) const {
    const uint32_t end = mEnded ? mTimeEnd : now;
    uint32_t paused = mPausedMs;
    if (mPaused) {
        paused += end - mPauseBegan;
    }
    return end - mTimeBegin - paused;
}
