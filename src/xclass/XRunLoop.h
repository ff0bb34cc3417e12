// The plain main-thread loop of the command line and the tests: posted closures run, in
// order, on the thread that calls run().
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "XMainThread.h"

class XRunLoop : public XMainThreadPoster {
public:
    void post(std::function<void()> work) override;

    // Runs posted work until quit() is called.
    void run();
    // Runs posted work until the predicate holds (checked after every closure, and every
    // few milliseconds while idle) or the time is up; answers whether the predicate held.
    bool runUntil(const std::function<bool()>& done, uint32_t timeoutMs);
    // Runs what is queued now and returns.
    void runPending();
    // Ends run(); may be called from any thread, also from a posted closure.
    void quit();

private:
    bool runOne(std::unique_lock<std::mutex>& lock);

    std::mutex mMutex;
    std::condition_variable mWake;
    std::deque<std::function<void()>> mQueue;
    bool mQuit = false;
};
