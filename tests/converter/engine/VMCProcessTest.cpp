// The run with stand-in FFmpeg programs, for what the real one cannot be made to do.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RecordingCallback.h"
#include "TestSupport.h"
#include "VALocateFFmpeg.h"
#include "VMCProcess.h"
#include "VMCRunningChildren.h"
#include "VMCStatusCallbackImpl.h"
#include "XRunLoop.h"
#include "XWorkerProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>

namespace {

class FakeFFmpeg : public ::testing::Test {
protected:
    void SetUp() override {
        mkdir(mDir.file("tmp").c_str(), 0700);
        VALocateFFmpeg::resetCachesForTesting();
        writeTextFile(mDir.file("in.mov"), "source");
    }
    // The stand-in is installed as the external FFmpeg of a private data folder.
    std::shared_ptr<RecordingCallback> runWith(const std::string& script,
                                               std::set<XStr> actions = {}) {
        writeTextFile(mDir.file("ffmpeg"), "#!/bin/sh\n" + script);
        chmod(mDir.file("ffmpeg").c_str(), 0755);
        VMCProcessArg arg;
        arg.srcFrom = VAConvertSource::withURL(mDir.xfile("in.mov"));
        arg.urlTo = mDir.xfile("out/out.mp4");
        arg.args = "-c:v libx264";
        arg.specialActions = std::move(actions);
        auto callback = std::make_shared<RecordingCallback>();
        arg.callback = callback;
        arg.events = std::make_shared<VMCProcessEvents>();
        VMCProcess::convertWithArg(arg);
        return callback;
    }

    TestTempDir mDir;
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.path().c_str()};
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
};

}  // namespace

TEST_F(FakeFFmpeg, NonZeroExitWithoutAnErrorLineStillFailsTheJob) {
    auto cb = runWith("exit 3\n", {"Delete Source File"});
    EXPECT_EQ(cb->errors, XStrList{"FFmpeg exited with status 3"});
    EXPECT_TRUE(fileExists(mDir.file("in.mov")));
}

TEST_F(FakeFFmpeg, DeathBySignalIsReported) {
    auto cb = runWith("kill -9 $$\n");
    ASSERT_EQ(cb->errors.size(), 1u);
    EXPECT_TRUE(cb->errors[0].startsWith("FFmpeg was ended by signal 9")) << cb->errors[0];
}

TEST_F(FakeFFmpeg, AnErrorLineIsEnoughAndNoiseIsNot) {
    auto cb = runWith("echo '  [info] chatter' >&2\necho 'Conversion failed!  ' >&2\nexit 1\n");
    EXPECT_EQ(cb->errors, XStrList{"Conversion failed!"});
    auto clean = runWith("echo '[warning] x' >&2\necho 'from stdout'\necho ''\nexit 0\n",
                         {"Delete Source File"});
    EXPECT_TRUE(clean->errors.empty());
    EXPECT_TRUE(clean->infoContains("from stdout"));
    // The output folder was made, and a clean run carries out the post-actions.
    EXPECT_TRUE(fileExists(mDir.file("out")));
    EXPECT_FALSE(fileExists(mDir.file("in.mov")));
}

TEST_F(FakeFFmpeg, ProgressFileIsFollowedAcrossPartialLines) {
    // The progress path is the argument after -progress.
    const std::string script =
        "while [ \"$1\" != -progress ]; do shift; done; p=$2\n"
        "printf 'out_time_ms=1000000\\nfps=12.5\\nout_time_ms=15' >> $p; sleep 0.3\n"
        "printf '00000\\n' >> $p; sleep 0.3\n"
        "exit 0\n";
    auto cb = runWith(script);
    EXPECT_TRUE(cb->errors.empty());
    // Without a known length the time counts against 1 ms; what matters here is that the
    // line written in two pieces was read whole (1.5 s, not 15 microseconds).
    std::vector<int32_t> expected = {0, 100000, 150000, 100};
    EXPECT_EQ(cb->percents, expected);
    ASSERT_FALSE(cb->fpsValues.empty());
    EXPECT_DOUBLE_EQ(cb->fpsValues.front(), 12.5);
    EXPECT_DOUBLE_EQ(cb->fpsValues.back(), 0.0);
}

TEST_F(FakeFFmpeg, MissingFFmpegCannotStart) {
    ScopedEnv path("PATH", mDir.file("nowhere").c_str());
    VMCProcessArg arg;
    arg.srcFrom = VAConvertSource::withURL(mDir.xfile("in.mov"));
    arg.urlTo = mDir.xfile("out.mp4");
    auto cb = std::make_shared<RecordingCallback>();
    arg.callback = cb;
    VMCProcess::convertWithArg(arg);
    EXPECT_EQ(cb->errors, XStrList{"Could not start FFmpeg process"});
    EXPECT_EQ(VMCRunningChildren::count(), 0u);
}

TEST(VMCRunningChildren, KillAllEndsEveryRegisteredChild) {
    XWorkerProcess child;
    ASSERT_TRUE(child.Create({"/bin/sleep", "30"}, 0));
    VMCRunningChildren::add(child.Pid());
    VMCRunningChildren::killAll();
    EXPECT_EQ(child.Stop(XWorkerProcess::kWaitForever), -1);
    EXPECT_EQ(child.LastExit().signal, SIGKILL);
    VMCRunningChildren::remove(child.Pid());
}

namespace {

class RecordingHost : public VMCStatusHost {
public:
    void onStatusAction(const XStr& s, uint32_t arg) override { log("action " + s, arg); }
    void onLengthMS(int64_t ms, uint32_t arg) override {
        log(XStr::format("length %lld", (long long)ms), arg);
    }
    void onFPS(double fps, uint32_t arg) override { log(XStr::format("fps %.1f", fps), arg); }
    void onStatusPercentDone(int32_t p, uint32_t arg) override {
        log(XStr::format("percent %d", p), arg);
    }
    void onStatusInfoLine(const XStr& l, uint32_t arg) override { log("info " + l, arg); }
    void onStatusErrorLine(const XStr& l, uint32_t arg) override { log("error " + l, arg); }
    void log(const XStr& what, uint32_t arg) { seen.push_back(XStr::format("%u ", arg) + what); }
    XStrList seen;
};

}  // namespace

TEST(VMCStatusCallbackImpl, ReportsReachTheHostOnTheMainThreadInOrder) {
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    auto host = std::make_shared<RecordingHost>();
    VMCStatusCallbackImpl callback(host, 4);
    std::thread worker([&] {
        callback.onLengthMS(3000);
        callback.onPercentDone(50);
        callback.onFPS(24);
        callback.onInfoLine("hello");
        callback.onErrorLine("bad");
    });
    worker.join();
    EXPECT_TRUE(host->seen.empty()) << "nothing runs before the main thread gets to it";
    loop->runPending();
    XMainThread::setPoster(nullptr);
    EXPECT_EQ(host->seen, (XStrList{"4 length 3000", "4 percent 50", "4 fps 24.0", "4 info hello",
                                    "4 error bad"}));
}

TEST(VMCRunningChildren, ChildrenAreKilledWhenTheProgramExits) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t program = fork();
    if (program == 0) {
        XWorkerProcess child;
        // Only the exit handler can end this one: it does not die with its parent.
        child.setDieWithParent(false);
        if (!child.Create({"/bin/sleep", "30"}, 0)) {
            _exit(1);
        }
        VMCRunningChildren::add(child.Pid());
        const pid_t pid = child.Pid();
        if (write(report[1], &pid, sizeof pid) != sizeof pid) {
            _exit(1);
        }
        std::exit(0);
    }
    close(report[1]);
    pid_t grandchild = 0;
    ASSERT_EQ(read(report[0], &grandchild, sizeof grandchild),
              static_cast<ssize_t>(sizeof grandchild));
    close(report[0]);
    int status = 0;
    waitpid(program, &status, 0);
    // The grandchild was re-parented; once killed it disappears or stays a zombie.
    bool gone = false;
    for (int i = 0; i < 100 && !gone; ++i) {
        const std::string stat = readTextFile("/proc/" + std::to_string(grandchild) + "/stat");
        gone = stat.empty() || stat.find(") Z") != std::string::npos;
        usleep(20000);
    }
    EXPECT_TRUE(gone);
}
