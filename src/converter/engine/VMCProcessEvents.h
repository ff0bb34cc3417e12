// The stop and pause flags of one conversion, shared by the scheduler and all its runs.
#pragma once

#include <atomic>

struct VMCProcessEvents {
    // Stop everything: every run kills its FFmpeg child.
    std::atomic<bool> bEvtQuit{false};
    std::atomic<bool> bEvtPause{false};

    bool bPause() const { return !bEvtPause.load(); }
    void setBPause(bool x) { bEvtPause.store(!x); }

    // The user's pause: runs suspend their FFmpeg child while it is set.
    std::atomic<bool> mPaused{false};
    bool isPaused() const { return mPaused.load(); }
    void setPaused(bool paused) { mPaused.store(paused); }
};
