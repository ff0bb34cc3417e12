#include "XSpawn.h"

#include <errno.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>

#include "XForkLock.h"
#include "XSys.h"
#include "clFD.h"
#include "clPipe.h"

extern char** environ;

namespace {

// Between vfork and execve only async-signal-safe calls, made directly rather than through
// the test seam: another thread may have held any lock at the moment of the vfork, and the
// child runs on the parent's memory, so it changes nothing there.
[[noreturn]] void failInChild(int reportFD, int error) {
    ssize_t ignored = ::write(reportFD, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

[[noreturn]] void runChild(char* const* argv, const int* streams, int reportFD, bool dieWithParent,
                           pid_t parent) {
    if (dieWithParent) {
        // The parent may have died before the death signal was armed.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) {
            _exit(127);
        }
    }
    // No handler of the parent may run on its memory: every caught signal goes back to its
    // default before the signals the parent blocked for the vfork are let through. A fresh
    // program also expects the default SIGPIPE action.
    for (int sig = 1; sig < NSIG; ++sig) {
        struct sigaction had {};
        if (sigaction(sig, nullptr, &had) == 0 && had.sa_handler != SIG_DFL &&
            had.sa_handler != SIG_IGN) {
            struct sigaction deflt {};
            deflt.sa_handler = SIG_DFL;
            sigaction(sig, &deflt, nullptr);
        }
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction deflt {};
    deflt.sa_handler = SIG_DFL;
    sigaction(SIGPIPE, &deflt, nullptr);

    for (int target = 0; target < 3; ++target) {
        while (dup2(streams[target], target) < 0) {
            if (errno != EINTR) {
                failInChild(reportFD, errno);
            }
        }
    }
    // The environment as it was at the fork; read here, no other thread can change it.
    execve(argv[0], argv, environ);
    failInChild(reportFD, errno);
}

// Reads the error number a failed child sends; end of file means execve succeeded.
int readChildReport(int fd) {
    int error = 0;
    size_t got = 0;
    char* into = reinterpret_cast<char*>(&error);
    while (got < sizeof error) {
        const ssize_t n = XSys().read(fd, into + got, sizeof error - got);
        if (n > 0) {
            got += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    return got == sizeof error ? error : 0;
}

void reap(pid_t pid) {
    int status;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

pid_t XSpawn(const XSpawnRequest& request) {
    if (request.args.empty()) {
        errno = EINVAL;
        return -1;
    }
    std::vector<char*> argv;
    argv.reserve(request.args.size() + 1);
    for (const std::string& a : request.args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    for (int fd : request.streams) {
        if (fd < 3) {
            errno = EBADF;
            return -1;
        }
    }

    std::unique_ptr<clPipe> reportPipe = clPipe::newPipe();
    if (!reportPipe) {
        return -1;
    }
    clFD reportRead(reportPipe->detachReadFD());
    clFD reportWrite(reportPipe->detachWriteFD());
    // The child's dup2 onto 0, 1 and 2 must not overwrite the report pipe.
    if (!reportRead.moveAboveStdStreams() || !reportWrite.moveAboveStdStreams()) {
        return -1;
    }

    const pid_t parent = getpid();
    pid_t pid;
    {
        std::unique_lock lock(XForkLock());
        // vfork, not fork: a fork write-protects every page of this process until the child
        // has gone, and each thread that then writes (the event loop drawing, with FFmpeg
        // or ffprobe started many times a second) takes a fault on each page it touches.
        // Every signal stays blocked until the child has reset the handlers.
        sigset_t all;
        sigset_t previous;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &previous);
        pid = vfork();
        if (pid == 0) {
            runChild(argv.data(), request.streams, reportWrite.fd(), request.dieWithParent, parent);
        }
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    }
    if (pid < 0) {
        return -1;
    }
    reportWrite.close();
    const int childError = readChildReport(reportRead.fd());
    if (childError != 0) {
        reap(pid);
        errno = childError;
        return -1;
    }
    return pid;
}
