// Changes in a set of folders, from inotify, on a thread of the stream's own: changes are
// gathered for the latency, then handed over as one batch, each path once. Recursive
// streams follow folders as they are made, moved in or removed. A watched folder that goes
// away (a disk unmounted, a folder removed) is looked for again every so often and
// reported when it is back; lost events (the kernel's queue overflowed) are reported as
// such, and the receiver must then look at everything again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "XStr.h"

class VAFolderEventStream {
public:
    // What the last event of a path said about its writers.
    enum class Writing {
        // Nothing (its attributes changed, say).
        kUnknown,
        // Made or written to, not closed since: a writer may still be at work.
        kOpen,
        // Closed after writing, or moved in whole.
        kClosed,
    };

    struct Change {
        XStr path;
        bool isFolder = false;
        Writing writing = Writing::kUnknown;
        // The last event said the path went away (removed, or moved out).
        bool removed = false;
    };

    struct Batch {
        // In the order of each path's first change.
        std::vector<Change> changes;
        // Events were lost: anything below the watched folders may have changed.
        bool overflow = false;
        // Watched folders that went away, and ones that are back; a folder that is back
        // has content the receiver has not seen.
        XStrList vanished;
        XStrList reappeared;

        bool empty() const {
            return changes.empty() && !overflow && vanished.empty() && reappeared.empty();
        }
    };

    // Called on the stream's thread.
    using Callback = std::function<void(const Batch&)>;

    struct Options {
        bool recursive = false;
        uint32_t latencyMs = 1000;
        // How often folders that went away are looked for.
        uint32_t missingPollMs = 1000;
        // Runs on the stream's thread before each read of the kernel's queue; a test holds
        // the reader here to let the queue overflow.
        std::function<void()> beforeRead;
    };

    VAFolderEventStream(XStrList folders, Options options, Callback callback);
    // Stops the thread and waits for it.
    ~VAFolderEventStream();
    VAFolderEventStream(const VAFolderEventStream&) = delete;
    VAFolderEventStream& operator=(const VAFolderEventStream&) = delete;

    // Starts watching from now on (earlier changes are not reported). False when inotify or
    // the thread cannot be had; a folder that does not exist yet is looked for later.
    bool start();
    void stop();
    bool running() const { return mThread.joinable(); }

    // Why watching is incomplete (no inotify, too many folders watched), empty when it is not.
    XStr problem() const;

    struct Impl;

private:
    std::shared_ptr<Impl> mImpl;
    std::thread mThread;
};
