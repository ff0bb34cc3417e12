// Background threads that run queued work in order of arrival. The queue owns its threads
// and joins them when it goes away: work not yet started is dropped, work under way runs to
// its end (work looks at its own kill switch to end early). Work must not hold the queue's
// owner, so that the owner never goes away on one of the queue's threads.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class XWorkQueue {
public:
    explicit XWorkQueue(unsigned threads = 1);
    ~XWorkQueue();
    XWorkQueue(const XWorkQueue&) = delete;
    XWorkQueue& operator=(const XWorkQueue&) = delete;

    // Threads start with the first work.
    void post(std::function<void()> work);
    // Whether the calling thread is one of the queue's.
    bool onQueueThread() const;

private:
    void run();

    const unsigned mMaxThreads;
    mutable std::mutex mMutex;
    std::condition_variable mWake;
    std::deque<std::function<void()>> mQueue;
    std::vector<std::thread> mThreads;
    unsigned mIdle = 0;
    bool mStop = false;
};
