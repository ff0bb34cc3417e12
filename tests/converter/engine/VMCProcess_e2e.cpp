// The whole run against the real FFmpeg, on clips made for each test.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "MediaSupport.h"
#include "RecordingCallback.h"
#include "TestSupport.h"
#include "VAConvertSourceConcat.h"
#include "VALocateFFmpeg.h"
#include "VAMediaProbe.h"
#include "VMCProcess.h"
#include "VMCRunningChildren.h"
#include "XOutputFile.h"
#include "XPrivateFolder.h"
#include "XWorkerProcess.h"

namespace {

class RunE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("tmp").c_str(), 0700), 0);
        VALocateFFmpeg::resetCachesForTesting();
    }

    std::shared_ptr<RecordingCallback> run(std::shared_ptr<VAConvertSource> source,
                                           const std::string& to, const XStr& args,
                                           std::shared_ptr<VMCProcessEvents> events = nullptr,
                                           bool overwrite = false) {
        VMCProcessArg arg;
        arg.overwriteExisting = overwrite;
        arg.srcFrom = std::move(source);
        arg.urlTo = XStr(to);
        arg.args = args;
        arg.inputArgs = arg.srcFrom->inputOptions;
        auto callback = std::make_shared<RecordingCallback>();
        arg.callback = callback;
        arg.events = events ? events : std::make_shared<VMCProcessEvents>();
        VMCProcess::convertWithArg(arg);
        return callback;
    }
    std::shared_ptr<RecordingCallback> run(const std::string& from, const std::string& to,
                                           const XStr& args, bool overwrite = false) {
        return run(VAConvertSource::withURL(XStr(from)), to, args, nullptr, overwrite);
    }
    std::string clip(const std::string& name, const TestClip& c = TestClip()) {
        const std::string path = mDir.file(name);
        EXPECT_TRUE(makeTestClip(path, c)) << path;
        return path;
    }
    // A clip of that length read at its own speed, so the run can be watched along the way.
    std::shared_ptr<VAConvertSource> realTime(const std::string& name, double seconds) {
        auto source = VAConvertSource::withURL(XStr(clip(name, {.seconds = seconds})));
        source->inputOptions = XStr("-re");
        return source;
    }
    // Files left by the run: in the temporary folder (the process's own folder there stays
    // until the program ends, but empty), and unfinished outputs beside the destinations.
    int leftoverTempFiles() const { return filesUnder(mDir.file("tmp")) + unfinishedOutputs(); }
    static int filesUnder(const std::string& folder) {
        int n = 0;
        for (const std::string& name : folderEntries(folder)) {
            struct stat st {};
            const std::string path = folder + "/" + name;
            n += lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? filesUnder(path) : 1;
        }
        return n;
    }
    int unfinishedOutputs() const {
        int n = 0;
        for (const std::string& name : folderEntries(mDir.path())) {
            n += XOutputFile::OwnerOf(name.c_str()) != 0 ? 1 : 0;
        }
        return n;
    }

    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("appdata").c_str()};
};

}  // namespace

TEST_F(RunE2E, PlainH264EncodeReportsRisingPercentagesEndingAt100) {
    auto source = realTime("in.mp4", 3);
    const std::string out = mDir.file("out.mp4");
    auto cb = run(source, out, "-c:v libx264 -preset ultrafast -t 00:00:03 -c:a aac");
    EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
    ASSERT_EQ(cb->lengths, std::vector<int64_t>{3000});
    ASSERT_GE(cb->percents.size(), 4u);
    EXPECT_EQ(cb->percents.front(), 0);
    EXPECT_EQ(cb->percents.back(), 100);
    bool between = false;
    for (std::size_t i = 1; i < cb->percents.size(); ++i) {
        EXPECT_GE(cb->percents[i], cb->percents[i - 1]);
        between = between || (cb->percents[i] > 0 && cb->percents[i] < 100);
    }
    EXPECT_TRUE(between) << "no percentage between 0 and 100 was reported";
    EXPECT_EQ(cb->infos.back(), XStr("Encoding exit"));
    EXPECT_EQ(probeValue(out, "v:0", "codec_name"), "h264");
    EXPECT_NEAR(probeDuration(out), 3.0, 0.2);
    EXPECT_EQ(leftoverTempFiles(), 0);
}

// Option texts the run rewrites for FFmpeg, each accepted by the FFmpeg in use and doing
// what it asks.
TEST_F(RunE2E, RewrittenOptionsWorkWithThisFFmpeg) {
    clip("long.mp4", {.seconds = 4});
    clip("a.mp4");
    const struct {
        const char* name;
        const char* source;
        int parts;  // more than one: the source joined to itself
        const char* args;
        const char* command;  // a part of the command run
        int64_t lengthMS;
        const char* width;
    } rows[] = {
        {"two filter options", "a.mp4", 1,
         "-vf scale=160:120 -c:v libx264 -preset ultrafast -vf hflip",
         "-vf \"scale=160:120, hflip\" -c:v libx264", 2000, "160"},
        {"seek and duration", "long.mp4", 1, "-ss 1 -t 00:00:02 -c:v libx264 -preset ultrafast",
         " -ss 1  -i ", 2000, "320"},
        {"loop count", "a.mp4", 1, "-loopvideo=3 -c:v libx264 -preset ultrafast", "concat=n=3",
         6000, "320"},
        {"join by re-encoding", "a.mp4", 2,
         "-vf scale=160:120 -vf hflip -c:v libx264 -preset ultrafast",
         "[0:v]scale=160:120, hflip[0v];", 4000, "160"},
        {"platform AAC", "a.mp4", 1, "-c:v libx264 -preset ultrafast -acodec aac_at",
         "-acodec aac ", 2000, "320"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::shared_ptr<VAConvertSource> source = VAConvertSource::withURL(mDir.xfile(row.source));
        if (row.parts > 1) {
            auto concat = std::make_shared<VAConvertSourceConcat>();
            concat->setConcatURLs(XStrList(row.parts, mDir.xfile(row.source)));
            source = concat;
        }
        const std::string out = mDir.file("out.mp4");
        unlink(out.c_str());
        auto cb = run(source, out, row.args);
        EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
        EXPECT_TRUE(cb->command().contains(row.command)) << cb->command();
        ASSERT_FALSE(cb->lengths.empty());
        EXPECT_NEAR(cb->lengths.back(), row.lengthMS, 100);
        EXPECT_EQ(cb->percents.back(), 100);
        EXPECT_NEAR(probeDuration(out), row.lengthMS / 1000.0, 0.3);
        EXPECT_EQ(probeValue(out, "v:0", "width"), row.width);
        EXPECT_EQ(probeValue(out, "a:0", "codec_name"), "aac");
        EXPECT_EQ(cb->infoContains("This FFmpeg has no encoder \"aac_at\"; using \"aac\""),
                  XStr(row.args).contains("aac_at"));
    }
}

TEST_F(RunE2E, SameFileIsReplacedOnlyAfterACleanRunAndNothingElseIsTouched) {
    const std::string in = clip("same.mp4");
    const std::string before = readTextFile(in);
    // Names the old fixed temporary-name scheme would have taken.
    writeTextFile(mDir.file("same.tmp.mp4"), "unrelated");
    const std::string other = clip("other.tmp.mp4");
    // A failing run (unknown encoder) leaves the source as it was and no temporary output.
    auto failed = run(in, in, "-c:v no_such_encoder", true);
    ASSERT_FALSE(failed->errors.empty());
    EXPECT_TRUE(failed->errors.front().contains("no_such_encoder")) << failed->errors.front();
    EXPECT_EQ(readTextFile(in), before);
    // Without the user's choice to convert over it, the source is never replaced.
    auto refused = run(in, in, "-c:v libx264 -preset ultrafast");
    EXPECT_FALSE(refused->errors.empty());
    EXPECT_EQ(readTextFile(in), before);
    // A clean run replaces it.
    auto cb = run(in, in, "-vf scale=160:120 -c:v libx264 -preset ultrafast", true);
    EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
    EXPECT_EQ(probeValue(in, "v:0", "width"), "160");
    auto second = run(other, other, "-vf scale=160:120 -c:v libx264 -preset ultrafast", true);
    EXPECT_TRUE(second->errors.empty()) << second->errors.front();
    EXPECT_EQ(probeValue(other, "v:0", "width"), "160");
    EXPECT_EQ(readTextFile(mDir.file("same.tmp.mp4")), "unrelated");
    EXPECT_EQ(leftoverTempFiles(), 0);
}

TEST_F(RunE2E, JoinsByStreamCopyEvenWithAwkwardNames) {
    auto concat = std::make_shared<VAConvertSourceConcat>();
    concat->setConcatURLs(
        {XStr(clip("a.mp4")), XStr(clip("it's $(touch pwned).mp4")), XStr(clip("c `id`.mp4"))});
    const std::string out = mDir.file("joined.mp4");
    auto cb = run(concat, out, "-vcodec copy -acodec copy");
    EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
    EXPECT_TRUE(cb->command().contains("-f concat -safe 0 -i "));
    EXPECT_NEAR(probeDuration(out), 6.0, 0.3);
    EXPECT_FALSE(fileExists("pwned"));
    EXPECT_FALSE(fileExists(mDir.file("pwned")));
    EXPECT_EQ(leftoverTempFiles(), 0) << "the list file is deleted";
}

TEST_F(RunE2E, StopKillsFFmpegQuicklyAndLeavesNothingBehind) {
    auto source = realTime("long.mp4", 20);
    auto events = std::make_shared<VMCProcessEvents>();
    std::chrono::steady_clock::time_point stoppedAt;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        stoppedAt = std::chrono::steady_clock::now();
        events->requestQuit();
    });
    const std::string in = source->urlForConversion.utf8();
    auto cb = run(source, in, "-c:v libx264 -preset ultrafast", events, true);
    const auto returned = std::chrono::steady_clock::now();
    stopper.join();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(returned - stoppedAt).count();
    // FFmpeg reads the source at its own pace and would need 18 more seconds; how fast a stop
    // is belongs to the benchmarks, not to a test on a busy machine.
    EXPECT_LT(ms, 9000);
    EXPECT_EQ(VMCRunningChildren::count(), 0u);
    EXPECT_TRUE(cb->errors.empty()) << "a stop by the user is no error";
    EXPECT_NE(cb->percents.back(), 100);
    EXPECT_EQ(leftoverTempFiles(), 0);
    // The cut-short output never replaces the source.
    EXPECT_NEAR(probeDuration(in), 20.0, 0.2);
}

TEST_F(RunE2E, DebugLogGetsEveryLineAndFFmpegIsNotQuietened) {
    ScopedDebugLog debug(true);
    ScopedEnv docs("XDG_CONFIG_HOME", mDir.path().c_str());
    ScopedEnv home("HOME", mDir.path().c_str());
    const std::string in = clip("a.mp4");
    auto cb = run(in, mDir.file("b.mp4"), "-c:v no_such_encoder");
    EXPECT_FALSE(cb->command().contains("-loglevel 16"));
    std::string log;
    for (const std::string& name : folderEntries(mDir.file("Documents"))) {
        if (name.rfind("VADebug-", 0) == 0) {
            log = readTextFile(mDir.file("Documents/" + name));
        }
    }
    ASSERT_FALSE(log.empty()) << "no debug log in Documents";
    EXPECT_NE(log.find("no_such_encoder"), std::string::npos) << log;
}

TEST_F(RunE2E, FFmpegKilledFromOutsideLeavesNoOutput) {
    auto source = realTime("long.mp4", 20);
    std::thread killer([] {
        // Once FFmpeg has written for a while, kill it as another program would.
        for (int i = 0; i < 100 && VMCRunningChildren::count() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        for (const pid_t pid : VMCRunningChildren::pids()) {
            kill(pid, SIGKILL);
        }
    });
    const std::string out = mDir.file("out.mp4");
    auto cb = run(source, out, "-c:v libx264 -preset ultrafast");
    killer.join();
    ASSERT_FALSE(cb->errors.empty());
    EXPECT_TRUE(cb->errors.back().startsWith("FFmpeg was ended by signal 9")) << cb->errors.back();
    EXPECT_FALSE(fileExists(out));
    EXPECT_EQ(leftoverTempFiles(), 0);
}

TEST_F(RunE2E, AFullDiskLeavesNoFileUnderTheFinalName) {
    SmallDisk disk(mDir.file("small"), "300k");
    if (!disk.mounted()) {
        GTEST_SKIP() << "mounting a small disk needs root";
    }
    const std::string in = clip("in.mp4", {.seconds = 4});
    const std::string out = mDir.file("small/out.mkv");
    // Lossless video fills 300 KB within the first second.
    auto cb = run(in, out, "-c:v ffv1 -c:a pcm_s16le");
    ASSERT_FALSE(cb->errors.empty());
    EXPECT_FALSE(fileExists(out));
    EXPECT_EQ(filesUnder(mDir.file("small")), 0) << "the unfinished output is removed";
    EXPECT_TRUE(fileExists(in));
}

TEST_F(RunE2E, AMissingOrFullTemporaryFolderCostsOnlyThePercentages) {
    SmallDisk disk(mDir.file("fulltmp"), "16k");
    for (const bool full : {false, true}) {
        SCOPED_TRACE(full ? "full" : "missing");
        if (full && !disk.mounted()) {
            continue;
        }
        ScopedEnv scope("XTempFolderScope_Location",
                        full ? mDir.file("fulltmp").c_str() : mDir.file("none").c_str());
        ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
        ScopedEnv tmpdir("TMPDIR", mDir.file("none").c_str());
        XPrivateFolder::remove();
        if (full) {
            // Room for the folder and an empty file, none for the progress reports.
            writeTextFile(mDir.file("fulltmp/filler"), std::string(16 * 1024, 'x'));
        }
        const std::string out = mDir.file(full ? "full.mp4" : "missing.mp4");
        auto cb = run(clip(full ? "a.mp4" : "b.mp4", {.seconds = 3}), out,
                      "-c:v libx264 -preset ultrafast -c:a aac");
        EXPECT_TRUE(cb->errors.empty()) << cb->errors.front();
        EXPECT_NEAR(probeDuration(out), 3.0, 0.2);
        XPrivateFolder::remove();
    }
}

TEST_F(RunE2E, AProbeThatHangsNeitherDelaysAStopNorTheEnd) {
    writeExecutable(mDir.file("ffprobe"),
                    "#!/bin/sh\necho $$ >> '" + mDir.file("probes") + "'\nexec sleep 60\n");
    VAMediaProbe::setFFprobePath(mDir.xfile("ffprobe"));
    auto source = realTime("long.mp4", 20);
    auto events = std::make_shared<VMCProcessEvents>();
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        events->requestQuit();
    });
    const auto began = std::chrono::steady_clock::now();
    auto stopped = run(source, mDir.file("a.mp4"), "-c:v libx264 -preset ultrafast", events);
    stopper.join();
    const auto stopSeconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began);
    EXPECT_LT(stopSeconds.count(), 10);
    // A job FFmpeg has finished waits only a little for the length.
    const auto before = std::chrono::steady_clock::now();
    auto done = run(clip("short.mp4"), mDir.file("b.mp4"), "-c:v libx264 -preset ultrafast");
    const auto doneSeconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - before);
    VAMediaProbe::setFFprobeLocator(nullptr);
    EXPECT_TRUE(done->errors.empty()) << done->errors.front();
    EXPECT_LT(doneSeconds.count(), 20);
    std::istringstream pids(readTextFile(mDir.file("probes")));
    int probes = 0;
    for (pid_t pid = 0; pids >> pid; ++probes) {
        EXPECT_NE(kill(pid, 0), 0) << "a probe was left behind";
    }
    EXPECT_EQ(probes, 2);
}
