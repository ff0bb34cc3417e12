// A request the loopback server reads and then never answers, and the test's wait until it
// is in flight, so that the test cancels or interrupts it mid-request.
#pragma once

#include <condition_variable>
#include <mutex>

#include "LoopbackServer.h"

class StalledRequest {
public:
    // The server's handler; the object outlives the server.
    LoopbackServer::Handler handler() {
        return [this](LoopbackServer::Connection& c) {
            c.readRequestHead();
            {
                std::lock_guard<std::mutex> lock(mMutex);
                mArrived = true;
            }
            mCondition.notify_all();
            c.stall();
        };
    }

    void waitUntilArrived() {
        std::unique_lock<std::mutex> lock(mMutex);
        mCondition.wait(lock, [this] { return mArrived; });
    }

private:
    std::mutex mMutex;
    std::condition_variable mCondition;
    bool mArrived = false;
};
