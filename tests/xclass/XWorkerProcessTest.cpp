// Running, stopping and pausing real children.
#include "XWorkerProcess.h"

#include <errno.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "ProcessTestSupport.h"
#include "XClock.h"

namespace {

using Args = XWorkerProcess::ArgList;

constexpr int kAllStreams =
    XWorkerProcess::kPipeStdIn | XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr;

Args shell(const char* script) {
    return {"/bin/sh", "-c", script};
}

// A child that outlives the end of its input and SIGTERM alike.
const char* const kStubborn = "trap '' TERM; exec sleep 30";

// The stubborn child ignores SIGTERM only once its shell has set the trap and become sleep.
bool becameStubborn(pid_t pid) {
    return waitUntil(
        [pid] {
            std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
            std::string name;
            return std::getline(comm, name) && name == "sleep";
        },
        5000);
}

bool pidExists(pid_t pid) {
    return kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

TEST(XWorkerProcess, FreshObjectHasNothing) {
    XWorkerProcess p;
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_EQ(p.InputFD(), -1);
    EXPECT_EQ(p.OutputFD(), -1);
    EXPECT_EQ(p.ErrorFD(), -1);
    EXPECT_TRUE(p.IsFinished());
    EXPECT_FALSE(p.LastExit().reaped);
    EXPECT_TRUE(p.dieWithParent());
    EXPECT_FALSE(p.Suspend());
    EXPECT_FALSE(p.Resume());
    // Stop without a child answers without waiting out the grace it was given.
    const uint32_t start = XClock::nowMs();
    int code = 0;
    EXPECT_EQ(p.Stop(XWorkerProcess::kDefaultGraceMs, &code), -1);
    EXPECT_EQ(code, -1);
    EXPECT_LT(XClock::elapsedMs(start), XWorkerProcess::kDefaultGraceMs / 2);
    EXPECT_FALSE(p.LastExit().reaped);
}

TEST(XWorkerProcess, CatEchoesInputThroughPipes) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/cat"}, kAllStreams));
    EXPECT_GT(p.Pid(), 0);
    ASSERT_TRUE(writeAll(p.InputFD(), "first line\nsecond line\n"));
    p.CloseInput();
    EXPECT_EQ(p.InputFD(), -1);
    EXPECT_EQ(readAll(p.OutputFD()), "first line\nsecond line\n");
    EXPECT_EQ(readAll(p.ErrorFD()), "");
    int code = 99;
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever, &code), 0);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_EQ(p.OutputFD(), -1);
    EXPECT_EQ(p.ErrorFD(), -1);
    EXPECT_TRUE(p.LastExit().reaped);
    EXPECT_TRUE(p.LastExit().exited);
}

TEST(XWorkerProcess, ArgumentsArriveAsUtf8UnchangedAndTheChildGetsOurEnvironment) {
    setenv("VANTARO_PROCESS_TEST", "from parent", 1);
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/sh", "-c", "printf '%s|' \"$@\" \"$VANTARO_PROCESS_TEST\"", "sh",
                          "a b", "\xC3\xA9\xE2\x82\xAC", "", "\"q\" \\"},
                         XWorkerProcess::kPipeStdOut));
    EXPECT_EQ(readAll(p.OutputFD()), "a b|\xC3\xA9\xE2\x82\xAC||\"q\" \\|from parent|");
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 0);
    unsetenv("VANTARO_PROCESS_TEST");
}

TEST(XWorkerProcess, ExitStatusIsReported) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell("exit 3"), 0));
    int code = 0;
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever, &code), 3);
    EXPECT_EQ(code, 3);
    const XWorkerProcess::ExitInfo& e = p.LastExit();
    EXPECT_TRUE(e.reaped);
    EXPECT_TRUE(e.exited);
    EXPECT_EQ(e.status, 3);
    EXPECT_EQ(e.signal, 0);
    EXPECT_FALSE(e.killedByUs);
    // Death by a signal gives -1 and the signal.
    ASSERT_TRUE(p.Create(shell("kill -9 $$"), 0));
    const uint32_t start = XClock::nowMs();
    EXPECT_EQ(p.Stop(XWorkerProcess::kDefaultGraceMs), -1);
    EXPECT_LT(XClock::elapsedMs(start), 1000u);
    EXPECT_TRUE(e.reaped);
    EXPECT_FALSE(e.exited);
    EXPECT_EQ(e.signal, SIGKILL);
    EXPECT_FALSE(e.killedByUs);
}

TEST(XWorkerProcess, ChildIgnoringEndOfInputIsKilledAfterGrace) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell(kStubborn), XWorkerProcess::kPipeStdIn));
    const pid_t pid = p.Pid();
    ASSERT_TRUE(becameStubborn(pid));
    const uint32_t start = XClock::nowMs();
    int code = 0;
    EXPECT_EQ(p.Stop(300, &code), -1);
    const uint32_t took = XClock::elapsedMs(start);
    EXPECT_GE(took, 300u);
    EXPECT_LT(took, XWorkerProcess::kDefaultGraceMs) << "the given grace, not the default";
    EXPECT_EQ(code, -1);
    EXPECT_TRUE(p.LastExit().killedByUs);
    EXPECT_EQ(p.LastExit().signal, SIGKILL);
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_FALSE(pidExists(pid));
}

TEST(XWorkerProcess, StopWithZeroGraceGivesOnePause) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell(kStubborn), 0));
    ASSERT_TRUE(becameStubborn(p.Pid()));
    const uint32_t start = XClock::nowMs();
    EXPECT_EQ(p.Stop(0), -1);
    const uint32_t took = XClock::elapsedMs(start);
    EXPECT_GE(took, 45u);
    EXPECT_LT(took, 1000u);
    EXPECT_TRUE(p.LastExit().killedByUs);
}

TEST(XWorkerProcess, StopZeroOnEndedChildReportsRealStatusAtOnce) {
    // Shorter than the one pause a living child gets; the best of three, so that a busy
    // machine preempting one attempt does not count.
    uint32_t fastest = UINT32_MAX;
    for (int attempt = 0; attempt < 3; ++attempt) {
        XWorkerProcess p;
        ASSERT_TRUE(p.Create(shell("exit 7"), 0));
        const pid_t pid = p.Pid();
        ASSERT_TRUE(waitUntil([pid] { return processState(pid) == 'Z'; }, 5000));
        const uint32_t start = XClock::nowMs();
        EXPECT_EQ(p.Stop(0), 7);
        fastest = std::min(fastest, XClock::elapsedMs(start));
        EXPECT_FALSE(p.LastExit().killedByUs);
    }
    EXPECT_LT(fastest, 40u);
}

TEST(XWorkerProcess, IsFinishedReapsButKeepsPipesForRemainingOutput) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell("echo last words; exit 2"), XWorkerProcess::kPipeStdOut));
    ASSERT_TRUE(waitUntil([&p] { return p.IsFinished(); }, 5000));
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_TRUE(p.LastExit().exited);
    EXPECT_EQ(p.LastExit().status, 2);
    ASSERT_GE(p.OutputFD(), 0);
    EXPECT_EQ(readAll(p.OutputFD()), "last words\n");
    // Already reaped: Stop has no child left, but closes the pipe and keeps the status.
    EXPECT_EQ(p.Stop(0), -1);
    EXPECT_EQ(p.OutputFD(), -1);
    EXPECT_EQ(p.LastExit().status, 2);
}

TEST(XWorkerProcess, CreateStopsThePreviousChild) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/cat"}, XWorkerProcess::kPipeStdIn));
    XClock::sleepMs(30);
    EXPECT_FALSE(p.IsFinished()) << "still running";
    EXPECT_GT(p.Pid(), 0);
    EXPECT_EQ(p.Stop(XWorkerProcess::kDefaultGraceMs), 0);  // cat ends at end of input
    ASSERT_TRUE(p.Create({"/bin/cat"}, XWorkerProcess::kPipeStdIn));
    const pid_t first = p.Pid();
    ASSERT_TRUE(p.Create(shell("exit 4"), 0));
    EXPECT_NE(p.Pid(), first);
    EXPECT_FALSE(pidExists(first));  // reaped, not left as a zombie
    EXPECT_FALSE(p.LastExit().reaped);
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 4);
}

TEST(XWorkerProcess, DestructorStopsAndReapsTheChild) {
    pid_t pid;
    {
        XWorkerProcess p;
        ASSERT_TRUE(
            p.Create({"/bin/cat"}, XWorkerProcess::kPipeStdIn | XWorkerProcess::kPipeStdOut));
        pid = p.Pid();
    }
    EXPECT_FALSE(pidExists(pid));
}

TEST(XWorkerProcess, DetachedOutputStaysOpenAfterStop) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell("echo out; echo err >&2"),
                         XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr));
    const int out = p.DetachOutputFD();
    const int err = p.DetachErrorFD();
    EXPECT_EQ(p.OutputFD(), -1);
    EXPECT_EQ(p.ErrorFD(), -1);
    EXPECT_EQ(p.Stop(XWorkerProcess::kWaitForever), 0);
    EXPECT_EQ(readAll(out), "out\n");
    EXPECT_EQ(readAll(err), "err\n");
    close(out);
    close(err);
}

TEST(XWorkerProcess, SuspendAndResumeTheChild) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create({"/bin/sleep", "30"}, 0));
    const pid_t pid = p.Pid();
    ASSERT_TRUE(p.Suspend());
    EXPECT_TRUE(waitUntil([pid] { return processState(pid) == 'T'; }, 2000));
    EXPECT_FALSE(p.IsFinished());  // stopped is not finished
    ASSERT_TRUE(p.Resume());
    EXPECT_TRUE(waitUntil([pid] { return processState(pid) == 'S'; }, 2000));
    EXPECT_EQ(p.Stop(0), -1);
    EXPECT_TRUE(p.LastExit().killedByUs);
    // A suspended child can still be stopped.
    ASSERT_TRUE(p.Create({"/bin/sleep", "30"}, 0));
    const pid_t second = p.Pid();
    ASSERT_TRUE(p.Suspend());
    ASSERT_TRUE(waitUntil([second] { return processState(second) == 'T'; }, 2000));
    const uint32_t start = XClock::nowMs();
    EXPECT_EQ(p.Stop(0), -1);
    EXPECT_LT(XClock::elapsedMs(start), 1000u);
    EXPECT_FALSE(pidExists(second));
}

TEST(XWorkerProcess, IsFinishedAndStopLetGoOfChildReapedElsewhere) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell("exit 6"), 0));
    int status = 0;
    ASSERT_EQ(waitpid(p.Pid(), &status, 0), p.Pid());
    // Its id is free for any new process now; the object must let go of it.
    EXPECT_TRUE(p.IsFinished());
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_FALSE(p.LastExit().reaped);
    // Nor does Stop wait out the grace.
    ASSERT_TRUE(p.Create(shell("exit 6"), 0));
    ASSERT_EQ(waitpid(p.Pid(), &status, 0), p.Pid());
    const uint32_t start = XClock::nowMs();
    EXPECT_EQ(p.Stop(XWorkerProcess::kDefaultGraceMs), -1);
    EXPECT_LT(XClock::elapsedMs(start), XWorkerProcess::kDefaultGraceMs / 2);
    EXPECT_FALSE(p.LastExit().killedByUs);
    EXPECT_EQ(p.Pid(), 0);
}

TEST(XWorkerProcess, WaitFinishedWakesWhenTheChildEnds) {
    XWorkerProcess p;
    ASSERT_TRUE(p.Create(shell("sleep 0.2; exit 5"), 0));
    EXPECT_FALSE(p.WaitFinished(20)) << "still running";
    const uint32_t start = XClock::nowMs();
    // A long limit: the answer must come when the child ends, not when the time is up.
    EXPECT_TRUE(p.WaitFinished(20000));
    EXPECT_LT(XClock::elapsedMs(start), 10000u);
    EXPECT_EQ(p.Pid(), 0);
    EXPECT_EQ(p.LastExit().status, 5);
    EXPECT_TRUE(p.WaitFinished(20000)) << "no child: at once";
    // The next child is waited for afresh.
    ASSERT_TRUE(p.Create(shell("exit 3"), 0));
    EXPECT_TRUE(p.WaitFinished(20000));
    EXPECT_EQ(p.LastExit().status, 3);
}
