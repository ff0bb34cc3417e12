#include "VAProbeJob.h"

#include <errno.h>
#include <poll.h>
#include <signal.h>

#include "XFile.h"
#include "XSys.h"

namespace {

constexpr std::size_t kChunk = 65536;

}  // namespace

XWorkerProcess::ArgList VAProbeJob::arguments(const XStr& ffprobe, const XStr& mediaPath) {
    XStr file = mediaPath;
    if (!file.startsWith("/")) {
        file = "./" + file;
    }
    return {ffprobe, "-hide_banner", "-of", "json", "-show_format", "-show_streams", file};
}

int VAProbeJob::refusal(const XStr& mediaPath) {
    XFile file;
    if (file.Open(mediaPath, XFile::Access::kReadOnly,
                  XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly)) {
        return 0;
    }
    return errno != 0 ? errno : EIO;
}

bool VAProbeJob::start(const XStr& ffprobe, const XStr& mediaPath) {
    mOutput.clear();
    mEnded = false;
    mTooLong = false;
    mReadFailed = false;
    mRefused = 0;
    if (!ffprobe.empty() && !mediaPath.empty()) {
        mRefused = refusal(mediaPath);
    }
    mStarted = !ffprobe.empty() && !mediaPath.empty() && mRefused == 0 &&
               mProcess.Create(arguments(ffprobe, mediaPath), XWorkerProcess::kPipeStdOut);
    mEnded = !mStarted;
    return mStarted;
}

bool VAProbeJob::readAvailable() {
    if (mEnded) {
        return false;
    }
    const int fd = mProcess.OutputFD();
    if (fd < 0) {
        mEnded = true;
        return false;
    }
    const std::size_t before = mOutput.size();
    mOutput.resize(before + kChunk);
    ssize_t n;
    do {
        n = XSys().read(fd, mOutput.data() + before, kChunk);
    } while (n < 0 && errno == EINTR);
    mOutput.resize(before + (n > 0 ? static_cast<std::size_t>(n) : 0));
    if (n <= 0) {
        mReadFailed = n < 0;
        mEnded = true;
        return false;
    }
    if (mOutput.size() > kMaxReportBytes) {
        mTooLong = true;
        mEnded = true;
        mOutput.clear();
        return false;
    }
    return true;
}

VAProbeJob::Outcome VAProbeJob::finish(int stopFD) {
    if (!mStarted) {
        return mRefused != 0 ? Outcome::kRefused : Outcome::kNotStarted;
    }
    for (;;) {
        if (stopFD >= 0 && mProcess.OutputFD() >= 0) {
            pollfd fds[2] = {{mProcess.OutputFD(), POLLIN, 0}, {stopFD, POLLIN, 0}};
            while (poll(fds, 2, -1) < 0 && errno == EINTR) {
            }
            if (fds[1].revents != 0) {
                kill();
                mOutput.clear();
                return Outcome::kFailed;
            }
        }
        if (!readAvailable()) {
            break;
        }
    }
    if (mTooLong || mReadFailed) {
        kill();
        return Outcome::kFailed;
    }
    // The output has ended, so the child is exiting: wait for it without a limit.
    mProcess.Stop(XWorkerProcess::kWaitForever);
    mStarted = false;
    const XWorkerProcess::ExitInfo& exit = mProcess.LastExit();
    return exit.reaped && exit.exited ? Outcome::kFinished : Outcome::kFailed;
}

void VAProbeJob::kill() {
    if (mProcess.Pid() > 0) {
        ::kill(mProcess.Pid(), SIGKILL);
    }
    mProcess.Stop(XWorkerProcess::kWaitForever);
    mStarted = false;
    mEnded = true;
}

VAProbeJob::Outcome VAProbeJob::run(const XStr& ffprobe, const XStr& mediaPath, std::string& output,
                                    int stopFD) {
    VAProbeJob job;
    job.start(ffprobe, mediaPath);
    const Outcome outcome = job.finish(stopFD);
    output = outcome == Outcome::kFinished ? job.takeOutput() : std::string();
    return outcome;
}
