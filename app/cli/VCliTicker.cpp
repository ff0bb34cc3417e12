#include "VCliTicker.h"

#include <chrono>

VCliTicker::VCliTicker(uint32_t periodMs, std::function<void()> tick) {
    mThread = std::thread([this, periodMs, tick = std::move(tick)] {
        std::unique_lock<std::mutex> lock(mMutex);
        while (!mStop.wait_for(lock, std::chrono::milliseconds(periodMs),
                               [this] { return mStopping; })) {
            lock.unlock();
            tick();
            lock.lock();
        }
    });
}

VCliTicker::~VCliTicker() {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mStopping = true;
    }
    mStop.notify_all();
    mThread.join();
}
