#include "VMCPreventSleep.h"

#include <chrono>

#include "XFindProgram.h"
#include "XWorkerProcess.h"

XStr& VMCPreventSleep::inhibitorProgram() {
    static XStr program = XFindProgram("systemd-inhibit");
    return program;
}

VMCPreventSleep::VMCPreventSleep() {
    // Even the search of PATH happens on the holder thread.
    mHolder = std::thread([this] { hold(); });
}

VMCPreventSleep::~VMCPreventSleep() {
    clear();
}

void VMCPreventSleep::hold() {
    const XStr program = inhibitorProgram();
    {
        std::unique_lock<std::mutex> lock(mMutex);
        // A fork copies this process's page tables and makes every other thread's writes
        // fault until the child has started: the first FFmpeg goes first.
        if (!program.empty()) {
            mChanged.wait_for(lock, std::chrono::milliseconds(kStartDelayMs),
                              [this] { return mReleased; });
        }
        // Without the program, or released before it was even started (a batch that ended
        // at once), there is nothing to hold.
        if (program.empty() || mReleased) {
            mDecided = true;
            mChanged.notify_all();
            return;
        }
    }
    XWorkerProcess inhibitor;
    // The inhibitor lasts as long as its command runs. cat ends when its input pipe closes,
    // which happens on release and also when this program dies, so no process is left
    // behind either way (a "sleep infinity" would outlive a killed inhibitor).
    const bool started =
        inhibitor.Create({program, "--what=idle:sleep", "--who=Vantaro Video Converter",
                          "--why=Converting video", "--mode=block", "cat"},
                         XWorkerProcess::kPipeStdIn);
    std::unique_lock<std::mutex> lock(mMutex);
    mStarted = started;
    mDecided = true;
    mChanged.notify_all();
    mChanged.wait(lock, [this] { return mReleased; });
    lock.unlock();
    if (started) {
        inhibitor.Stop(XWorkerProcess::kDefaultGraceMs);
    }
}

bool VMCPreventSleep::isValid() {
    std::unique_lock<std::mutex> lock(mMutex);
    mChanged.wait(lock, [this] { return mDecided; });
    return mStarted && !mReleased;
}

void VMCPreventSleep::clear() {
    {
        std::lock_guard<std::mutex> lock(mMutex);
        if (mReleased) {
            return;
        }
        mReleased = true;
    }
    mChanged.notify_all();
    if (mHolder.joinable()) {
        mHolder.join();
    }
}
