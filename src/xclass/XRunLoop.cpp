#include "XRunLoop.h"

#include <algorithm>
#include <chrono>

void XRunLoop::post(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mQueue.push_back(std::move(work));
    }
    mWake.notify_one();
}

bool XRunLoop::runOne(std::unique_lock<std::mutex>& lock) {
    if (mQueue.empty()) {
        return false;
    }
    std::function<void()> work = std::move(mQueue.front());
    mQueue.pop_front();
    // The closure may post more work or quit; it runs without the lock.
    lock.unlock();
    work();
    lock.lock();
    return true;
}

void XRunLoop::run() {
    std::unique_lock<std::mutex> lock(mMutex);
    while (!mQuit) {
        if (!runOne(lock)) {
            mWake.wait(lock, [this] { return mQuit || !mQueue.empty(); });
        }
    }
    // A quit asked for before run() started still ends this run, and only this one.
    mQuit = false;
}

bool XRunLoop::runUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        lock.unlock();
        const bool finished = done();
        lock.lock();
        if (finished) {
            return true;
        }
        if (!runOne(lock)) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) {
                lock.unlock();
                const bool last = done();
                lock.lock();
                return last;
            }
            // The condition may also change on other threads without a post: look again
            // every few milliseconds.
            const auto slice = std::min<std::chrono::steady_clock::duration>(
                deadline - now, std::chrono::milliseconds(5));
            mWake.wait_for(lock, slice, [this] { return !mQueue.empty(); });
        }
    }
}

void XRunLoop::runPending() {
    std::unique_lock<std::mutex> lock(mMutex);
    std::size_t n = mQueue.size();
    while (n-- > 0 && runOne(lock)) {
    }
}

void XRunLoop::quit() {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mQuit = true;
    }
    mWake.notify_all();
}
