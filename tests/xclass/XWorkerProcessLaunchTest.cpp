// What a child is started with, and what a failed start leaves behind.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "ProcessTestSupport.h"
#include "TestSupport.h"
#include "XClock.h"
#include "XSys.h"
#include "XWorkerProcess.h"
#include "clPipe.h"

namespace {

using Args = XWorkerProcess::ArgList;

constexpr int kAllStreams =
    XWorkerProcess::kPipeStdIn | XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr;

// No child of ours exists, reaped or not.
bool noChildren() {
    int status;
    return waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

// The descriptors of this process that a child would inherit.
std::set<int> inheritableFDs() {
    std::set<int> out;
    for (int fd = 0; fd < 1024; ++fd) {
        const int flags = fcntl(fd, F_GETFD);
        if (flags >= 0 && (flags & FD_CLOEXEC) == 0) {
            out.insert(fd);
        }
    }
    return out;
}

std::string linkTarget(const std::string& path) {
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string("none") : std::string(buffer, static_cast<size_t>(n));
}

// Where a running child's three standard streams lead, one line each. Create returns only
// after the program has been executed, so what is seen is what the program got.
std::string childStreamTargets(int flags) {
    XWorkerProcess p;
    if (!p.Create({"/bin/sleep", "5"}, flags)) {
        return "not started";
    }
    const std::string base = "/proc/" + std::to_string(p.Pid()) + "/fd/";
    std::string out;
    for (int fd = 0; fd < 3; ++fd) {
        out += linkTarget(base + std::to_string(fd)) + "\n";
    }
    p.Stop(0);
    return out;
}

// The descriptor numbers a running child holds.
std::set<int> childFDs(pid_t pid) {
    std::set<int> out;
    for (const std::string& name : folderEntries("/proc/" + std::to_string(pid) + "/fd")) {
        out.insert(std::atoi(name.c_str()));
    }
    return out;
}

}  // namespace

TEST(XWorkerProcessLaunch, UnflaggedStreamsAreDevNullInTheRightDirection) {
    EXPECT_EQ(childStreamTargets(0), "/dev/null\n/dev/null\n/dev/null\n");
    const std::string targets = childStreamTargets(XWorkerProcess::kPipeStdOut);
    EXPECT_EQ(targets.substr(0, 10), "/dev/null\n");
    EXPECT_EQ(targets.substr(10, 5), "pipe:");
    EXPECT_EQ(targets.substr(targets.size() - 10), "/dev/null\n");
    XWorkerProcess p;
    // Reading standard input gives end of file at once; writing the outputs succeeds.
    ASSERT_TRUE(
        p.Create({"/bin/sh", "-c", "read x; r=$?; echo out && echo err >&2 && exit $r"}, 0));
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 1);
}

TEST(XWorkerProcessLaunch, ChildInheritsNoneOfOurPipes) {
    XWorkerProcess other;
    ASSERT_TRUE(other.Create({"/bin/cat"}, kAllStreams));
    auto spare = clPipe::newPipe();
    ASSERT_TRUE(spare);
    const std::set<int> allowed = [] {
        std::set<int> s = inheritableFDs();
        s.insert({0, 1, 2});
        return s;
    }();

    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/sleep", "5"}, 0));
    // The kernel closes close-on-exec descriptors one after the other while it execs, and
    // Create may return in between; a real leak stays, so look again for a while.
    std::set<int> held;
    for (int attempt = 0; attempt < 100; ++attempt) {
        held = childFDs(p.Pid());
        bool extra = false;
        for (int fd : held) {
            extra = extra || allowed.count(fd) == 0;
        }
        if (!extra) {
            break;
        }
        usleep(10000);
    }
    p.Stop(0);
    ASSERT_TRUE(held.count(0) && held.count(1) && held.count(2));
    for (int fd : held) {
        EXPECT_TRUE(allowed.count(fd)) << "child holds descriptor " << fd;
    }
    for (int fd :
         {other.InputFD(), other.OutputFD(), other.ErrorFD(), spare->fdRead(), spare->fdWrite()}) {
        EXPECT_FALSE(held.count(fd)) << "leaked " << fd;
    }
}

TEST(XWorkerProcessLaunch, ChildStartsWithDefaultSignalState) {
    // Done in a child of the test, so the test's own signal state stays as it was.
    const int result = runInChild([] {
        signal(SIGPIPE, SIG_IGN);
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGUSR1);
        sigprocmask(SIG_BLOCK, &blocked, nullptr);
        XWorkerProcess p;
        if (!p.Create({"/bin/cat", "/proc/self/status"}, XWorkerProcess::kPipeStdOut)) {
            return 10;
        }
        const std::string status = readAll(p.OutputFD());
        p.Stop(XWorkerProcess::kWaitForever);
        const auto field = [&status](const std::string& name) {
            const size_t at = status.find("\n" + name + ":\t");
            return at == std::string::npos ? std::string("missing")
                                           : status.substr(at + name.size() + 3, 16);
        };
        if (field("SigBlk") != "0000000000000000") {
            return 11;
        }
        const unsigned long long ignored = std::stoull(field("SigIgn"), nullptr, 16);
        return (ignored & (1ull << (SIGPIPE - 1))) == 0 ? 0 : 12;
    });
    EXPECT_EQ(result, 0);
}

// A launch that cannot start leaves no descriptor, no child and no zombie behind.
TEST(XWorkerProcessLaunch, FailedStartsSayWhyWithoutTraces) {
    TestTempDir dir;
    writeTextFile(dir.file("script"), "#!/bin/sh\nexit 0\n");
    ASSERT_EQ(chmod(dir.file("script").c_str(), 0644), 0);
    ASSERT_FALSE(fileExists("sh"));
    struct Row {
        const char* what;
        Args args;
        int flags;
        int error;
    };
    const Row rows[] = {
        {"no arguments", {}, kAllStreams, EINVAL},
        {"a missing path", {"/nonexistent/vantaro/program", "-x"}, kAllStreams, ENOENT},
        // A bare name is not looked for on the PATH.
        {"a bare name", {"sh", "-c", "exit 0"}, kAllStreams, ENOENT},
        {"another bare name", {"vantaro-no-such-program"}, 0, ENOENT},
        {"a file that may not run", {dir.xfile("script")}, kAllStreams, EACCES},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        XWorkerProcess p;
        const int before = openFDCount();
        errno = 0;
        EXPECT_FALSE(p.Create(row.args, row.flags));
        EXPECT_EQ(errno, row.error);
        EXPECT_EQ(openFDCount(), before);
        EXPECT_EQ(p.Pid(), 0);
        EXPECT_EQ(p.InputFD(), -1);
        EXPECT_EQ(p.OutputFD(), -1);
        EXPECT_EQ(p.ErrorFD(), -1);
        EXPECT_FALSE(p.LastExit().reaped);
        EXPECT_TRUE(noChildren());
    }
    // Made executable, the same file starts.
    ASSERT_EQ(chmod(dir.file("script").c_str(), 0755), 0);
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({dir.xfile("script")}, kAllStreams));
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 0);
}

class XWorkerProcessPipeFailure : public ::testing::TestWithParam<int> {};

// Each of the launch's pipes (three streams, then the start report) fails in turn.
TEST_P(XWorkerProcessPipeFailure, CreateAnswersFalseAndClosesEverything) {
    static int failAt;
    static int calls;
    failAt = GetParam();
    calls = 0;
    const int before = openFDCount();
    {
        XSysOverride seam;
        seam.calls().pipe = [](int fds[2]) {
            if (++calls == failAt) {
                errno = EMFILE;
                return -1;
            }
            return XSysReal().pipe(fds);
        };
        XWorkerProcess p;
        errno = 0;
        EXPECT_FALSE(p.Create({"/bin/cat"}, kAllStreams));
        EXPECT_EQ(errno, EMFILE);
        EXPECT_EQ(p.Pid(), 0);
        EXPECT_EQ(calls, failAt);
    }
    EXPECT_EQ(openFDCount(), before);
    EXPECT_TRUE(noChildren());

    // The process goes on, and the next launch works.
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/cat"}, kAllStreams));
    ASSERT_TRUE(writeAll(p.InputFD(), "still here\n"));
    p.CloseInput();
    EXPECT_EQ(readAll(p.OutputFD()), "still here\n");
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryPipe, XWorkerProcessPipeFailure, ::testing::Values(1, 2, 3, 4));

TEST(XWorkerProcessLaunch, DevNullOpenFailureFailsTheLaunch) {
    const int before = openFDCount();
    XSysOverride seam;
    seam.calls().open = [](const char*, int, mode_t) {
        errno = ENFILE;
        return -1;
    };
    XWorkerProcess p;
    EXPECT_FALSE(p.Create({"/bin/cat"}, XWorkerProcess::kPipeStdIn));
    EXPECT_EQ(errno, ENFILE);
    EXPECT_EQ(openFDCount(), before);
    EXPECT_TRUE(noChildren());
}

TEST(XWorkerProcessLaunch, WorksWhenOurStandardStreamsAreClosed) {
    const int result = runInChild([] {
        close(0);
        close(1);
        close(2);
        XWorkerProcess p;
        if (!p.Create({"/bin/sh", "-c", "cat; echo done >&2"}, kAllStreams)) {
            return 10;
        }
        if (p.InputFD() <= 2 || p.OutputFD() <= 2 || p.ErrorFD() <= 2) {
            return 11;
        }
        for (int fd = 0; fd < 3; ++fd) {
            if (fcntl(fd, F_GETFD) != -1) {
                return 12;  // a moved pipe end left its low number open
            }
        }
        if (!writeAll(p.InputFD(), "round\ntrip\n")) {
            return 13;
        }
        p.CloseInput();
        if (readAll(p.OutputFD()) != "round\ntrip\n") {
            return 14;
        }
        if (readAll(p.ErrorFD()) != "done\n") {
            return 15;
        }
        if (p.Stop(XWorkerProcess::kWaitForever) != 0) {
            return 16;
        }
        return childStreamTargets(0) == "/dev/null\n/dev/null\n/dev/null\n" ? 0 : 17;
    });
    EXPECT_EQ(result, 0);
}

namespace {

// A launcher process starts `sleep 30` and is then killed. Answers 0 when the grandchild
// ended (dies = true) or outlived the launcher (dies = false) as expected.
int launcherKilled(bool dies) {
    // Orphans come to us, so we can see exactly how the grandchild ends.
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        return 20;
    }
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        return 21;
    }
    const pid_t launcher = fork();
    if (launcher == 0) {
        close(report[0]);
        XWorkerProcess p;
        p.setDieWithParent(dies);
        if (!p.Create({"/bin/sleep", "30"}, 0)) {
            _exit(1);
        }
        const pid_t grandchild = p.Pid();
        writeAll(report[1],
                 std::string(reinterpret_cast<const char*>(&grandchild), sizeof grandchild));
        pause();
        _exit(0);
    }
    close(report[1]);
    // The launcher keeps its end open, so read the id alone rather than up to end of file.
    pid_t grandchild = 0;
    if (read(report[0], &grandchild, sizeof grandchild) != sizeof grandchild) {
        return 22;
    }
    if (kill(grandchild, 0) != 0) {
        return 23;
    }
    kill(launcher, SIGKILL);
    waitpid(launcher, nullptr, 0);

    int status = 0;
    const uint32_t start = XClock::nowMs();
    while (XClock::elapsedMs(start) < (dies ? 2000u : 300u)) {
        if (waitpid(grandchild, &status, WNOHANG) == grandchild) {
            return dies && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL ? 0 : 24;
        }
        XClock::sleepMs(10);
    }
    kill(grandchild, SIGKILL);
    waitpid(grandchild, nullptr, 0);
    return dies ? 25 : 0;
}

}  // namespace

TEST(XWorkerProcessLaunch, ChildDiesWithTheThreadThatStartedItUnlessAllowedToOutliveIt) {
    EXPECT_EQ(runInChild([] { return launcherKilled(true); }), 0);
    EXPECT_EQ(runInChild([] { return launcherKilled(false); }), 0);
}
