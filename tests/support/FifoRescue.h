// A FIFO that code under test must never wait on. Should the code open it all the same, the
// rescue opens the other end after a long while and closes it again, so the code goes on
// (and the test fails on fired()) instead of the test hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class FifoRescue {
public:
    // Makes the FIFO at path; made() tells whether that worked.
    explicit FifoRescue(std::string path, std::chrono::seconds after = std::chrono::seconds(20))
        : mPath(std::move(path)), mMade(mkfifo(mPath.c_str(), 0600) == 0) {
        mThread = std::thread([this, after] {
            std::unique_lock<std::mutex> lock(mMutex);
            if (mCv.wait_for(lock, after, [this] { return mDone; })) {
                return;
            }
            mFired = true;
            lock.unlock();
            // Read-write never waits itself; it counts as the writer and the reader that a
            // stuck open waits for, and closing it ends a stuck read.
            const int fd = open(mPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                close(fd);
            }
        });
    }
    ~FifoRescue() {
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            mDone = true;
        }
        mCv.notify_all();
        mThread.join();
    }
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

    bool made() const { return mMade; }
    // True when something waited on the FIFO long enough to need the rescue.
    bool fired() {
        const std::lock_guard<std::mutex> lock(mMutex);
        return mFired;
    }

private:
    const std::string mPath;
    const bool mMade;
    std::mutex mMutex;
    std::condition_variable mCv;
    bool mDone = false;
    bool mFired = false;
    std::thread mThread;
};
