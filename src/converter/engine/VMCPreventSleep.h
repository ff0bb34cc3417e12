// Keeps the computer from sleeping while a conversion runs: a logind inhibitor held as a
// child process for as long as the object lives. Without systemd-inhibit nothing happens.
// The inhibitor starts on a thread of its own, a moment after the batch, so the first job
// never waits for it.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "XStr.h"

class VMCPreventSleep {
public:
    VMCPreventSleep();
    ~VMCPreventSleep();
    VMCPreventSleep(const VMCPreventSleep&) = delete;
    VMCPreventSleep& operator=(const VMCPreventSleep&) = delete;

    // Whether the inhibitor is held; waits until its start has succeeded or failed.
    bool isValid();
    // Releases the inhibitor once and waits for it to end; later calls do nothing.
    void clear();

    // The program that takes the inhibitor; tests point it elsewhere.
    static XStr& inhibitorProgram();
    // How long after the start of a batch the inhibitor is taken.
    static constexpr int kStartDelayMs = 250;

private:
    // The holder thread: its child dies with it, so it lives until the release.
    void hold();

    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mDecided = false;
    bool mStarted = false;
    bool mReleased = false;
    std::thread mHolder;
};
