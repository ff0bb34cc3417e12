// Turns dropped paths into the files to convert (a folder into its media files, see
// VASourceList) on a thread of its own, so that a large or slow folder never holds up the
// window. The result reaches the main thread only while the collector is alive: dropping
// the collector drops its result.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "XStr.h"

class VMCSourceCollector : public std::enable_shared_from_this<VMCSourceCollector> {
public:
    struct Result {
        XStrList files;
        // One message for each path that could not be used.
        std::vector<std::string> errors;
    };
    using Done = std::function<void(const Result& result)>;

    explicit VMCSourceCollector(Done done) : mDone(std::move(done)) {}
    // Starts at once; done runs on the main thread.
    static std::shared_ptr<VMCSourceCollector> start(XStrList paths, Done done);
    // Stops between two paths and waits for the thread.
    ~VMCSourceCollector() = default;
    VMCSourceCollector(const VMCSourceCollector&) = delete;
    VMCSourceCollector& operator=(const VMCSourceCollector&) = delete;

    static Result collect(const XStrList& paths, const std::stop_token& stop = {});

private:
    void finished(const Result& result);

    Done mDone;
    // Last, so that it is joined before the rest goes.
    std::jthread mWorker;
};
