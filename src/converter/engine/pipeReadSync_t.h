// Shared by a run and its two pipe readers: the readers take the mutex for each line and
// do nothing once the run has ended, so a late line never reaches a finished run.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "VMCStatusCallback.h"
#include "XFile.h"

struct pipeReadSync_t {
    std::mutex mutex;
    bool alive = true;
    // Set by the error-output handler when it passes an error line on.
    std::atomic<bool> hadError{false};
    std::shared_ptr<VMCStatusCallback> callback;
    // The debug log, when one is open; written under the mutex.
    XFile* debugLog = nullptr;

    // Readers that have reached the end of their pipe.
    std::condition_variable readersDone;
    int readersEnded = 0;
};
