// A waitable boolean event on a non-blocking pipe: set exactly when the pipe holds a byte.
// It stays set until cleared (manual reset), and may be set or cleared from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "clPipe.h"

class clSignal {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFF;
    static constexpr uint32_t kNone = 0xFFFFFFFF;

    // Nothing when the pipe cannot be made.
    static std::unique_ptr<clSignal> create();

    bool state() const;
    void setState(bool on);
    // The read end, for a poll set; -1 once closed.
    int waitHandle() const;

    // True when the signal is set within the time; kInfinite waits without limit.
    bool wait(uint32_t timeoutMs) const;
    bool wait() const { return wait(kInfinite); }
    // Waits without limit for any of the signals; answers the list index of the first set
    // one, or kNone when the wait fails or none of them can ever be waited on.
    static uint32_t waitFor(const std::vector<clSignal*>& signals);

    void close();
    bool isOpen() const { return mPipe != nullptr; }
    // Lets a child started later inherit the read end.
    bool makeWaitHandleInheritable();

private:
    explicit clSignal(std::unique_ptr<clPipe> pipe) : mPipe(std::move(pipe)) {}

    std::unique_ptr<clPipe> mPipe;
};
