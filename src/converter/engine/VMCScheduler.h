// The encoder slots of a conversion and the threads its jobs run on. Jobs are handed out in
// order to idle slots while fewer slots than allowed are busy. The scheduler owns every job
// thread and joins it: when the job's end is handled, at the latest when it goes away.
#pragma once

#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "VMCCPU.h"

class VMCScheduler {
public:
    // Runs one job on its own thread.
    using JobBody = std::function<void(uint32_t slotIndex, uint32_t job)>;

    VMCScheduler(std::size_t jobCount, std::size_t slotCount, JobBody body);
    // Jobs that share a group other than 0 never run at the same time; a job whose group
    // is busy waits and the next job in order that may start goes first. One group per job.
    void setGroups(std::vector<uint32_t> groups) { mGroups = std::move(groups); }
    // Waits for every job thread; whoever destroys the scheduler has told the jobs to stop.
    ~VMCScheduler();
    VMCScheduler(const VMCScheduler&) = delete;
    VMCScheduler& operator=(const VMCScheduler&) = delete;

    const std::vector<VMCCPU>& cpus() const { return mCPUs; }
    VMCCPU& cpu(uint32_t slotIndex) { return mCPUs[slotIndex]; }
    // The slot working on the job, if any.
    VMCCPU* slotForJob(uint32_t job);

    // Gives idle slots the next jobs while fewer than `allowed` slots are busy; answers the
    // slots that started one, in slot order.
    std::vector<uint32_t> startIdle(uint32_t allowed);
    // The thread of the slot's job has ended: waits for it to be gone. The slot keeps its job
    // until finishJob.
    void threadEnded(uint32_t slotIndex);
    // The slot's job is accounted for: the slot becomes idle.
    void finishJob(uint32_t slotIndex);

    std::size_t jobCount() const { return mJobCount; }
    uint32_t numDone() const { return mNumDone; }
    bool allDone() const { return mNumDone >= mJobCount; }
    // Job threads that have not ended yet.
    uint32_t runningThreads() const { return mRunning; }

private:
    // The first job in order that is not handed out and whose group is idle; mJobCount when
    // there is none.
    std::size_t nextStartable() const;
    uint32_t groupOf(std::size_t job) const { return job < mGroups.size() ? mGroups[job] : 0; }

    std::vector<VMCCPU> mCPUs;
    std::vector<std::thread> mThreads;
    std::size_t mJobCount;
    uint32_t mNumAssigned = 0;
    std::vector<bool> mAssigned;
    std::vector<uint32_t> mGroups;
    uint32_t mNumDone = 0;
    uint32_t mRunning = 0;
    JobBody mBody;
};
