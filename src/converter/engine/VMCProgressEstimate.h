// How far a conversion has come: the share of the work done, weighted by the sources' sizes,
// the media time converted, and the working time without the time spent paused.
#pragma once

#include <cstdint>
#include <vector>

#include "VAConversionSpec.h"
#include "VMCCPU.h"

class VMCProgressEstimate {
public:
    explicit VMCProgressEstimate(const VAConversionSpec& spec);

    // A job has ended; its slot's figures still describe it.
    void jobDone(const VMCCPU& slot);

    // 0 to 1: finished jobs plus the running jobs' percentages, each weighted by its
    // source's size (by count when no size is known).
    double ratioDone(const std::vector<VMCCPU>& slots) const;
    uint32_t percentDone(const std::vector<VMCCPU>& slots) const;
    // Milliseconds of media converted so far.
    uint64_t lengthDone(const std::vector<VMCCPU>& slots) const;

    // The working time, in readings of the millisecond clock.
    void begin(uint32_t now) { mTimeBegin = now; }
    void pause(uint32_t now);
    void resume(uint32_t now);
    void end(uint32_t now);
    uint32_t elapsedMs(uint32_t now) const;

private:
    bool isRunning(const VMCCPU& slot) const { return slot.currentTaskIndex < mEntries.size(); }

    const std::vector<VAConversionEntry>& mEntries;
    uint64_t mSizeTotal = 0;
    uint64_t mSizeFilesDone = 0;
    uint64_t mLengthFilesDone = 0;
    uint32_t mNumDone = 0;
    uint32_t mTimeBegin = 0;
    uint32_t mTimeEnd = 0;
    bool mEnded = false;
    uint32_t mPausedMs = 0;
    uint32_t mPauseBegan = 0;
    bool mPaused = false;
};
