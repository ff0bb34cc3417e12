// Calls a function on a thread of its own every period until it is destroyed, so that a
// display's clock moves while no job reports anything. The function posts to the main
// thread; it must not touch the scheduler itself.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class VCliTicker {
public:
    VCliTicker(uint32_t periodMs, std::function<void()> tick);
    ~VCliTicker();
    VCliTicker(const VCliTicker&) = delete;
    VCliTicker& operator=(const VCliTicker&) = delete;

private:
    std::mutex mMutex;
    std::condition_variable mStop;
    bool mStopping = false;
    std::thread mThread;
};
