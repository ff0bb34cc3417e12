#include "VAFFmpegInfo.h"

#include <errno.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

#include "XClock.h"

std::string VAFFmpegInfo::outputOf(const XWorkerProcess::ArgList& args, const KillSwitch* cancel) {
    XWorkerProcess process;
    if ((cancel != nullptr && cancel->die()) ||
        !process.Create(args, XWorkerProcess::kPipeStdOut)) {
        return std::string();
    }
    std::string output;
    const uint32_t start = XClock::nowMs();
    const int cancelFD = cancel != nullptr ? cancel->waitHandle() : -1;
    bool stopped = false;
    while (!stopped) {
        const uint32_t spent = XClock::elapsedMs(start);
        if (spent >= kTimeLimitMs || (cancel != nullptr && cancel->die())) {
            break;
        }
        pollfd fds[2] = {{process.OutputFD(), POLLIN, 0}, {cancelFD, POLLIN, 0}};
        // Without a descriptor of the switch it is looked at every so often.
        const uint32_t slice = cancel != nullptr && cancelFD < 0 ? 100 : kTimeLimitMs - spent;
        const int n = poll(fds, cancelFD >= 0 ? 2 : 1, static_cast<int>(slice));
        if (n < 0 && errno != EINTR) {
            break;
        }
        if (n <= 0 || (fds[1].revents & POLLIN) != 0) {
            continue;
        }
        char buffer[16384];
        const ssize_t got = ::read(process.OutputFD(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            stopped = true;
            break;
        }
        output.append(buffer, static_cast<std::size_t>(std::min<std::size_t>(
                                  static_cast<std::size_t>(got), kMaxOutputBytes - output.size())));
        stopped = output.size() >= kMaxOutputBytes;
    }
    // At its end it has nothing left to do; otherwise it is stopped at once.
    process.Stop(stopped ? XWorkerProcess::kDefaultGraceMs : 0);
    return output;
}

VAFFmpegInfo VAFFmpegInfo::read(const XStr& ffmpeg, const KillSwitch* cancel) {
    VAFFmpegInfo info;
    info.version = XStr::fromUtf8(outputOf({ffmpeg, "-version"}, cancel));
    info.licence = XStr::fromUtf8(outputOf({ffmpeg, "-L"}, cancel));
    info.codecs = XStr::fromUtf8(outputOf({ffmpeg, "-codecs"}, cancel));
    return info;
}
