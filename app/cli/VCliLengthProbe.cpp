#include "VCliLengthProbe.h"

#include <poll.h>
#include <unistd.h>

#include <cmath>
#include <string>

#include "VALocateFFmpeg.h"
#include "XClock.h"
#include "XWorkerProcess.h"

namespace {

// A source that makes ffprobe hang (a pipe, a stalled network mount) must not hold up
// its job for ever.
constexpr uint32_t kTimeoutMs = 15000;

}  // namespace

int64_t VCliLengthProbe::parseSeconds(const XStr& text) {
    const XStr t = text.trimmed();
    if (t.empty() || !(t[0] >= U'0' && t[0] <= U'9')) {
        return 0;
    }
    const double seconds = t.toDouble();
    if (!std::isfinite(seconds) || seconds <= 0 || seconds > 1e9) {
        return 0;
    }
    return static_cast<int64_t>(std::llround(seconds * 1000.0));
}

int64_t VCliLengthProbe::lengthMS(const XStr& path) {
    const XWorkerProcess::ArgList args = {VALocateFFmpeg::locateFFprobe(),
                                          "-v",
                                          "error",
                                          "-show_entries",
                                          "format=duration",
                                          "-of",
                                          "default=noprint_wrappers=1:nokey=1",
                                          path};
    XWorkerProcess process;
    if (!process.Create(args, XWorkerProcess::kPipeStdOut)) {
        return 0;
    }
    std::string output;
    bool timedOut = false;
    const uint32_t start = XClock::nowMs();
    char buffer[256];
    for (;;) {
        const uint32_t spent = XClock::elapsedMs(start);
        if (spent >= kTimeoutMs) {
            timedOut = true;
            break;
        }
        pollfd p{process.OutputFD(), POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(kTimeoutMs - spent));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = read(process.OutputFD(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        // Only the first line matters; a flood of output is not a duration.
        if (output.size() < 4096) {
            output.append(buffer, static_cast<std::size_t>(n));
        }
    }
    // At the end of its output ffprobe is on its way out; give it the time to get there.
    if (process.Stop(timedOut ? 0 : kTimeoutMs) != 0) {
        return 0;
    }
    const std::size_t newline = output.find('\n');
    return parseSeconds(XStr(output.substr(0, newline)));
}
