#include "XSpawn.h"

#include <errno.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
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

// Between fork and execve only async-signal-safe calls, made directly rather than through
// the test seam: another thread may have held any lock at the moment of the fork.
[[noreturn]] void failInChild(int reportFD, int error) {
    ssize_t ignored = ::write(reportFD, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

struct ChildStart {
    char* const* argv;
    char* const* envp;
    const int* streams;
    int reportFD;
    bool dieWithParent;
    pid_t parent;
};

[[noreturn]] void runChild(const ChildStart& start) {
    if (start.dieWithParent) {
        // The parent may have died before the death signal was armed.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != start.parent) {
            _exit(127);
        }
    }
    // A fresh program expects no handlers of ours and the default SIGPIPE action; a
    // handler left in place could also run in the memory this child shares with its
    // parent. Then no blocked signals (the parent blocked them all for the start).
    struct sigaction deflt {};
    deflt.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        struct sigaction current {};
        if (sigaction(sig, nullptr, &current) == 0 && current.sa_handler != SIG_DFL &&
            (current.sa_handler != SIG_IGN || sig == SIGPIPE)) {
            sigaction(sig, &deflt, nullptr);
        }
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    for (int target = 0; target < 3; ++target) {
        while (dup2(start.streams[target], target) < 0) {
            if (errno != EINTR) {
                failInChild(start.reportFD, errno);
            }
        }
    }
    execve(start.argv[0], start.argv, start.envp);
    failInChild(start.reportFD, errno);
}

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
#define X_SPAWN_BY_FORK 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
#define X_SPAWN_BY_FORK 1
#endif
#endif

#ifndef X_SPAWN_BY_FORK
int childEntry(void* start) {
    runChild(*static_cast<const ChildStart*>(start));
}

// The child shares the parent's memory until execve and the calling thread waits for it,
// so nothing is copied: a fork from a large process copies its page tables while holding
// the memory map lock, and every other thread that faults on a page (the main thread
// drawing the window) waits for it.
pid_t startChild(const ChildStart& start) {
    constexpr size_t kStackSize = 256 * 1024;
    void* stack = mmap(nullptr, kStackSize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (stack == MAP_FAILED) {
        return -1;
    }
    // No handler of ours may run on the child's stack before it has reset them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = clone(childEntry, static_cast<char*>(stack) + kStackSize,
                            CLONE_VM | CLONE_VFORK | SIGCHLD, const_cast<ChildStart*>(&start));
    const int cloneError = errno;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    munmap(stack, kStackSize);
    errno = cloneError;
    return pid;
}
#else
// The sanitizers cannot follow a child that runs in its parent's memory on a stack of its
// own: they would see the parent's threads and stacks, and leave stale marks behind.
pid_t startChild(const ChildStart& start) {
    const pid_t pid = fork();
    if (pid == 0) {
        runChild(start);
    }
    return pid;
}
#endif

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

    // The environment as it is now: another thread may change it while the child starts.
    std::vector<char*> envp;
    for (char** e = environ; *e != nullptr; ++e) {
        envp.push_back(*e);
    }
    envp.push_back(nullptr);

    const ChildStart start{argv.data(),      envp.data(),           request.streams,
                           reportWrite.fd(), request.dieWithParent, getpid()};
    pid_t pid;
    {
        std::unique_lock lock(XForkLock());
        pid = startChild(start);
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
