// The stop and pause state of one conversion, shared by the scheduler and all its runs.
#pragma once

#include <atomic>
#include <memory>

#include "clSignal.h"

class VMCProcessEvents {
public:
    VMCProcessEvents() : mQuitSignal(clSignal::create()) {}

    // Stop everything: every run kills its FFmpeg child and removes its unfinished output.
    std::atomic<bool> bEvtQuit{false};

    void requestQuit() {
        bEvtQuit = true;
        if (mQuitSignal) {
            mQuitSignal->setState(true);
        }
    }
    // Readable once a stop was asked for, so a run's poll wakes at once; -1 when there is
    // no such handle (a run then sees the flag at its next tick).
    int quitHandle() const { return mQuitSignal ? mQuitSignal->waitHandle() : -1; }

    // The user's pause: runs suspend their FFmpeg child while it is set.
    bool isPaused() const { return mPaused.load(); }
    void setPaused(bool paused) { mPaused.store(paused); }

private:
    std::atomic<bool> mPaused{false};
    std::unique_ptr<clSignal> mQuitSignal;
};
