#include "XWorkQueue.h"

#include <algorithm>

XWorkQueue::XWorkQueue(unsigned threads) : mMaxThreads(std::max(1u, threads)) {}

XWorkQueue::~XWorkQueue() {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mStop = true;
        mQueue.clear();
    }
    mWake.notify_all();
    for (std::thread& t : mThreads) {
        t.join();
    }
}

void XWorkQueue::post(std::function<void()> work) {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        if (mStop) {
            return;
        }
        mQueue.push_back(std::move(work));
        if (mIdle == 0 && mThreads.size() < mMaxThreads) {
            mThreads.emplace_back([this] { run(); });
        }
    }
    mWake.notify_one();
}

bool XWorkQueue::onQueueThread() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    const std::thread::id self = std::this_thread::get_id();
    return std::any_of(mThreads.begin(), mThreads.end(),
                       [self](const std::thread& t) { return t.get_id() == self; });
}

void XWorkQueue::run() {
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        ++mIdle;
        mWake.wait(lock, [this] { return mStop || !mQueue.empty(); });
        --mIdle;
        if (mStop) {
            return;
        }
        std::function<void()> work = std::move(mQueue.front());
        mQueue.pop_front();
        lock.unlock();
        work();
        // The closure and what it captured go before the lock is taken again.
        work = nullptr;
        lock.lock();
    }
}
