// The run with stand-in FFmpeg programs, for what the real one cannot be made to do.
#include <fcntl.h>
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
    // The stand-in is installed as the external FFmpeg of a private data folder (none when
    // the script is empty).
    std::shared_ptr<RecordingCallback> runWith(const std::string& script,
                                               std::set<XStr> actions = {}, bool overwrite = false,
                                               const std::string& source = "in.mov") {
        if (!script.empty()) {
            // The encoder listing asked before the run gets an empty answer at once.
            writeExecutable(mDir.file("ffmpeg"),
                            "#!/bin/sh\n[ \"$2\" = -encoders ] && exit 0\n" + script);
        }
        VMCProcessArg arg;
        arg.srcFrom = VAConvertSource::withURL(mDir.xfile(source));
        arg.urlTo = mDir.xfile("out/out.mp4");
        arg.args = "-c:v libx264";
        arg.specialActions = std::move(actions);
        arg.overwriteExisting = overwrite;
        auto callback = std::make_shared<RecordingCallback>();
        arg.callback = callback;
        arg.events = std::make_shared<VMCProcessEvents>();
        VMCProcess::convertWithArg(arg);
        return callback;
    }
    // Names in the output folder other than the final one: unfinished outputs left behind.
    std::vector<std::string> strays() const {
        std::vector<std::string> names = folderEntries(mDir.file("out"));
        std::erase(names, "out.mp4");
        return names;
    }
    // A line of shell that writes some bytes to the output, FFmpeg's last argument.
    static constexpr const char* kWriteOutput = "for o; do :; done; printf 'media' > \"$o\"\n";

    TestTempDir mDir;
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.path().c_str()};
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
};

}  // namespace

TEST_F(FakeFFmpeg, ProgressFileIsFollowedAcrossPartialLines) {
    // The progress path is the argument after -progress.
    const std::string script =
        "while [ \"$1\" != -progress ]; do shift; done; p=$2\n"
        "printf 'out_time_ms=1000000\\nfps=12.5\\nout_time_ms=15' >> $p; sleep 0.3\n"
        "printf '00000\\n' >> $p; sleep 0.3\n" +
        std::string(kWriteOutput) + "exit 0\n";
    auto cb = runWith(script);
    EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
    // The probe finds no length, so the time counts against 1 ms; what matters here is that
    // the line written in two pieces was read whole (1.5 s, not 15 microseconds). A reading
    // made before the probe had answered comes once it has, so 1 s may be skipped.
    ASSERT_GE(cb->percents.size(), 3u);
    EXPECT_EQ(cb->percents.front(), 0);
    EXPECT_EQ(cb->percents[cb->percents.size() - 2], 150000);
    EXPECT_EQ(cb->percents.back(), 100);
    for (const int32_t p : cb->percents) {
        EXPECT_TRUE(p == 0 || p == 100000 || p == 150000 || p == 100) << p;
    }
    ASSERT_FALSE(cb->fpsValues.empty());
    EXPECT_DOUBLE_EQ(cb->fpsValues.front(), 12.5);
    EXPECT_DOUBLE_EQ(cb->fpsValues.back(), 0.0);
}

TEST_F(FakeFFmpeg, MissingFFmpegCannotStart) {
    ScopedEnv path("PATH", mDir.file("nowhere").c_str());
    auto cb = runWith("");
    EXPECT_EQ(cb->errors, XStrList{"Could not start FFmpeg process"});
    EXPECT_EQ(VMCRunningChildren::count(), 0u);
}

TEST(VMCRunningChildren, KillAllEndsEveryRegisteredChild) {
    XWorkerProcess child;
    ASSERT_TRUE(child.Create({"/bin/sleep", "30"}, 0));
    // Stop forgets the pid, so it is kept for the removal.
    const pid_t pid = child.Pid();
    VMCRunningChildren::add(pid);
    VMCRunningChildren::killAll();
    EXPECT_EQ(child.Stop(XWorkerProcess::kWaitForever), -1);
    EXPECT_EQ(child.LastExit().signal, SIGKILL);
    VMCRunningChildren::remove(pid);
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

TEST(VMCStatusCallbackImpl, ReportsForAHostThatIsGoneAreDropped) {
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    auto host = std::make_shared<RecordingHost>();
    std::weak_ptr<RecordingHost> watch = host;
    {
        VMCStatusCallbackImpl callback(host, 1);
        callback.onInfoLine("late");
    }
    // A job never keeps its host alive.
    host.reset();
    EXPECT_TRUE(watch.expired());
    loop->runPending();
    XMainThread::setPoster(nullptr);
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

TEST_F(FakeFFmpeg, OutputsAppearOnlyWhenCompleteAndNeverOverAFileNobodyChose) {
    struct Row {
        const char* name;
        std::string script;
        bool existsBefore;
        bool overwrite;
        const char* expectedError;  // empty: the job succeeds
        const char* finalContent;   // what out.mp4 holds afterwards; empty: no such file
    };
    const std::string write = kWriteOutput;
    const std::string started = "touch " + mDir.file("started") + "\n";
    const Row rows[] = {
        // The first run also makes the output folder; noise on either stream is no error.
        {"clean run", write + "echo '[warning] x' >&2\necho 'from stdout'\necho ''\nexit 0\n",
         false, false, "", "media"},
        {"success without output", "exit 0\n", false, false, "FFmpeg wrote no output", ""},
        // Only the error line is reported, without its blanks.
        {"half-written, then failing",
         write + "echo '  [info] chatter' >&2\necho 'Conversion failed!  ' >&2\nexit 1\n", false,
         false, "Conversion failed!", ""},
        {"non-zero exit without an error line", write + "exit 3\n", false, false,
         "FFmpeg exited with status 3", ""},
        {"killed from outside", write + "kill -9 $$\n", false, false,
         "FFmpeg was ended by signal 9", ""},
        // FFmpeg is never started.
        {"exists, not chosen", started + write + "exit 0\n", true, false,
         "already exists and was not replaced", "theirs"},
        {"exists, overwrite chosen", write + "exit 0\n", true, true, "", "media"},
        {"appears while converting",
         write + "printf 'theirs' > \"$(dirname \"$o\")/out.mp4\"\nexit 0\n", false, false,
         "appeared while converting and was not replaced", "theirs"},
        {"progress log trouble costs only percentages",
         write + "echo 'Error closing progress log, loss of information possible: No space left "
                 "on device' >&2\nexit 0\n",
         false, false, "", "media"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeTextFile(mDir.file("in.mov"), "source");
        unlink(mDir.file("out/out.mp4").c_str());
        if (row.existsBefore) {
            mkdir(mDir.file("out").c_str(), 0755);
            writeTextFile(mDir.file("out/out.mp4"), "theirs");
        }
        auto cb = runWith(row.script, {"Delete Source File"}, row.overwrite);
        const std::string expected = row.expectedError;
        if (expected.empty()) {
            EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
        } else {
            ASSERT_EQ(cb->errors.size(), 1u);
            EXPECT_TRUE(cb->errors.front().contains(XStr(expected))) << cb->errors.front();
        }
        EXPECT_EQ(readTextFile(mDir.file("out/out.mp4")), row.finalContent);
        EXPECT_EQ(fileExists(mDir.file("out/out.mp4")), *row.finalContent != 0);
        EXPECT_TRUE(strays().empty()) << strays().front();
        EXPECT_EQ(fileExists(mDir.file("in.mov")), !expected.empty())
            << "the source goes only after a clean run";
    }
    EXPECT_FALSE(fileExists(mDir.file("started")));
}

TEST_F(FakeFFmpeg, ASourceThatIsNoRegularFileFailsAtOnce) {
    ASSERT_EQ(mkfifo(mDir.file("pipe.mov").c_str(), 0600), 0);
    for (const char* source : {"pipe.mov", "missing.mov", "."}) {
        SCOPED_TRACE(source);
        auto cb = runWith("touch " + mDir.file("started") + "\n", {}, false, source);
        ASSERT_EQ(cb->errors.size(), 1u);
        EXPECT_TRUE(cb->errors[0].contains(mDir.xfile(source))) << cb->errors[0];
    }
    EXPECT_FALSE(fileExists(mDir.file("started")));
}

TEST_F(FakeFFmpeg, AnOutputWithoutANameFailsAtOnce) {
    writeExecutable(mDir.file("ffmpeg"), "#!/bin/sh\n[ \"$2\" = -encoders ] && exit 0\ntouch " +
                                             mDir.file("started") + "\n");
    VMCProcessArg arg;
    arg.srcFrom = VAConvertSource::withURL(mDir.xfile("in.mov"));
    arg.args = "-c:v libx264";
    auto callback = std::make_shared<RecordingCallback>();
    arg.callback = callback;
    arg.events = std::make_shared<VMCProcessEvents>();
    VMCProcess::convertWithArg(arg);
    EXPECT_EQ(callback->errors, XStrList{"No name could be made for the output of this file"});
    EXPECT_FALSE(fileExists(mDir.file("started")));
}

TEST_F(FakeFFmpeg, ChattyPipesAndAGrandchildHoldingThemDoNotStallTheRun) {
    // Far more than a pipe holds on both streams, a last line without a line end, and a
    // grandchild that keeps both pipes open long after FFmpeg has gone.
    const std::string script = std::string(kWriteOutput) +
                               "i=0; while [ $i -lt 3000 ]; do echo \"out line $i with some text\";"
                               " echo \"[info] err line $i\" >&2; i=$((i+1)); done\n"
                               "printf 'last words' >&2\n"
                               "sleep 30 &\n"
                               "exit 0\n";
    const auto began = std::chrono::steady_clock::now();
    auto cb = runWith(script);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began);
    EXPECT_LT(seconds.count(), 20) << "the run waited for the grandchild";
    EXPECT_EQ(cb->errors, XStrList{"last words"});
    EXPECT_TRUE(cb->infoContains("out line 2999 with some text"));
    EXPECT_EQ(readTextFile(mDir.file("out/out.mp4")), "");  // failed: nothing placed
    EXPECT_TRUE(strays().empty());
}
