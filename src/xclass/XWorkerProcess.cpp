#include "XWorkerProcess.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "XClock.h"
#include "XSpawn.h"
#include "XSys.h"
#include "clFD.h"
#include "clPipe.h"

namespace {

constexpr uint32_t kPollIntervalMs = 50;

// Both ends close-on-exec and above the standard streams' numbers, which matters when the
// application runs with its own standard streams closed.
bool makeStreamPipe(clFD& readEnd, clFD& writeEnd) {
    std::unique_ptr<clPipe> pipe = clPipe::newPipe();
    if (!pipe) {
        return false;
    }
    readEnd = clFD(pipe->detachReadFD());
    writeEnd = clFD(pipe->detachWriteFD());
    return readEnd.moveAboveStdStreams() && writeEnd.moveAboveStdStreams();
}

bool openDevNull(clFD& fd, int mode) {
    fd = clFD(XSys().open("/dev/null", mode | O_CLOEXEC, 0));
    return fd.isOpen() && fd.moveAboveStdStreams();
}

}  // namespace

XWorkerProcess::~XWorkerProcess() {
    Stop(kDefaultGraceMs);
}

bool XWorkerProcess::Create(const ArgList& args, int streamFlags) {
    Stop(kDefaultGraceMs);
    mLastExit = ExitInfo{};
    if (args.empty()) {
        errno = EINVAL;
        return false;
    }
    XSpawnRequest request;
    request.dieWithParent = mDieWithParent;
    for (const XStr& a : args) {
        request.args.push_back(a.utf8());
    }
    if (request.args[0].find('/') != std::string::npos) {
        struct stat st;
        if (stat(request.args[0].c_str(), &st) != 0) {
            return false;
        }
    }

    // Index 0 is the child's end, 1 the parent's, per standard stream.
    clFD ends[3][2];
    const int flags[3] = {kPipeStdIn, kPipeStdOut, kPipeStdErr};
    for (int s = 0; s < 3; ++s) {
        bool ok;
        if ((streamFlags & flags[s]) != 0) {
            ok = s == 0 ? makeStreamPipe(ends[s][0], ends[s][1])
                        : makeStreamPipe(ends[s][1], ends[s][0]);
        } else {
            ok = openDevNull(ends[s][0], s == 0 ? O_RDONLY : O_WRONLY);
        }
        if (!ok) {
            return false;
        }
        request.streams[s] = ends[s][0].fd();
    }

    const pid_t pid = XSpawn(request);
    if (pid < 0) {
        return false;
    }
    mPid = pid;
    mInputFD = ends[0][1].detach();
    mOutputFD = ends[1][1].detach();
    mErrorFD = ends[2][1].detach();
    return true;
}

int XWorkerProcess::Stop(uint32_t graceMs, int* exitCode) {
    CloseInput();
    int code = -1;
    if (mPid > 0) {
        bool gone;
        if (graceMs == kWaitForever) {
            gone = reapChild(true, false);
        } else {
            const uint32_t start = XClock::nowMs();
            gone = reapChild(false, false);
            while (!gone && XClock::elapsedMs(start) <= graceMs) {
                gone = WaitFinished(kPollIntervalMs);
            }
        }
        if (!gone) {
            kill(mPid, SIGKILL);
            reapChild(true, true);
        }
        if (mLastExit.reaped && mLastExit.exited) {
            code = mLastExit.status;
        }
    }
    forgetChild();
    closeFD(mOutputFD);
    closeFD(mErrorFD);
    if (exitCode != nullptr) {
        *exitCode = code;
    }
    return code;
}

bool XWorkerProcess::IsFinished() {
    if (mPid <= 0) {
        return true;
    }
    return reapChild(false, false);
}

bool XWorkerProcess::WaitFinished(uint32_t timeoutMs) {
    if (IsFinished()) {
        return true;
    }
    if (const int fd = ExitFD(); fd >= 0) {
        pollfd p = {fd, POLLIN, 0};
        poll(&p, 1, static_cast<int>(std::min<uint32_t>(timeoutMs, INT_MAX)));
    } else {
        // A kernel without pidfd: plain polling.
        XClock::sleepMs(timeoutMs);
    }
    return IsFinished();
}

int XWorkerProcess::ExitFD() {
    if (mPid > 0 && mPidFD < 0) {
        // Still unreaped, so the id cannot belong to another process yet.
        mPidFD = static_cast<int>(syscall(SYS_pidfd_open, mPid, 0));
    }
    return mPidFD;
}

void XWorkerProcess::forgetChild() {
    mPid = 0;
    closeFD(mPidFD);
}

bool XWorkerProcess::reapChild(bool wait, bool killedByUs) {
    int status = 0;
    pid_t r;
    do {
        r = waitpid(mPid, &status, wait ? 0 : WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0) {
        return false;
    }
    if (r == mPid) {
        record(status, killedByUs);
    }
    // Either reaped now or not our child any more (reaped elsewhere); in both cases the id
    // must never be signalled again, as it may already belong to another process.
    forgetChild();
    return true;
}

void XWorkerProcess::record(int waitStatus, bool killedByUs) {
    mLastExit = ExitInfo{};
    mLastExit.reaped = true;
    if (WIFEXITED(waitStatus)) {
        mLastExit.exited = true;
        mLastExit.status = WEXITSTATUS(waitStatus);
    } else if (WIFSIGNALED(waitStatus)) {
        mLastExit.signal = WTERMSIG(waitStatus);
        mLastExit.killedByUs = killedByUs;
    }
}

bool XWorkerProcess::Suspend() {
    return mPid > 0 && kill(mPid, SIGSTOP) == 0;
}

bool XWorkerProcess::Resume() {
    return mPid > 0 && kill(mPid, SIGCONT) == 0;
}

void XWorkerProcess::CloseInput() {
    closeFD(mInputFD);
}

int XWorkerProcess::DetachOutputFD() {
    const int fd = mOutputFD;
    mOutputFD = -1;
    return fd;
}

int XWorkerProcess::DetachErrorFD() {
    const int fd = mErrorFD;
    mErrorFD = -1;
    return fd;
}

void XWorkerProcess::closeFD(int& fd) {
    if (fd >= 0) {
        XSys().close(fd);
        fd = -1;
    }
}
