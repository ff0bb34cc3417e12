// What no stop, crash, full disk or second copy of the program may do to a user's files:
// leave a broken file under a final name, replace a file nobody chose to replace, or lose a
// source.
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <thread>

#include "CliE2E.h"
#include "XOutputFile.h"

namespace {

class OutputSafetyE2E : public CliE2E {
protected:
    // A clip long enough to be caught while it converts.
    std::string longClip(const std::string& name) { return clip(name, 40); }
    // Waits until the program has started FFmpeg for `count` jobs.
    static bool waitForRunningJobs(CliProcess& p, std::size_t count) {
        const std::string looping = "\"line\":\"Encoding loop...\"";
        const uint32_t start = XClock::nowMs();
        for (;;) {
            std::size_t seen = 0;
            for (std::size_t at = p.out.find(looping); at != std::string::npos;
                 at = p.out.find(looping, at + 1)) {
                ++seen;
            }
            if (seen >= count) {
                return true;
            }
            if (XClock::elapsedMs(start) > 30000 || !p.pump(20)) {
                return false;
            }
        }
    }
    // Unfinished outputs of ours in a folder.
    static std::size_t unfinishedIn(const std::string& folder) {
        const std::vector<std::string> names = folderEntries(folder);
        return static_cast<std::size_t>(std::count_if(names.begin(), names.end(), [](auto& n) {
            return XOutputFile::OwnerOf(XStr(n)) != 0;
        }));
    }
    void waitUntilNoFFmpeg() {
        for (int i = 0; i < 200 && !processesMentioning(mDir.path() + "/").empty(); ++i) {
            usleep(20000);
        }
    }
};

}  // namespace

TEST_F(OutputSafetyE2E, AProgramKilledMidBatchLeavesNoFileUnderAFinalName) {
    const std::string a = longClip("a.mov");
    const std::string b = longClip("b.mov");
    const std::string sourceA = readTextFile(a);
    struct Row {
        const char* name;
        std::vector<int> signals;
    };
    const Row rows[] = {
        {"SIGKILL", {SIGKILL}},
        {"SIGHUP", {SIGHUP}},
        {"a second Ctrl-C while stopping", {SIGINT, SIGINT}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CliProcess p;
        ASSERT_TRUE(p.start({"convert", "-j", "2", "--json", "-o", mDir.file("out"),
                             "--encoder-args", "-c:v libx264 -preset veryslow -c:a aac", a, b}));
        ASSERT_TRUE(waitForRunningJobs(p, 2)) << p.out << p.err;
        for (const int signal : row.signals) {
            ASSERT_EQ(kill(p.pid(), signal), 0);
        }
        p.wait(10000);
        waitUntilNoFFmpeg();
        EXPECT_FALSE(fileExists(mDir.file("out/a.mp4")));
        EXPECT_FALSE(fileExists(mDir.file("out/b.mp4")));
        EXPECT_EQ(readTextFile(a), sourceA);
    }
    // The next start clears what the killed runs left, and converts as if nothing happened.
    const std::string c = clip("c.mov", 1);
    CliProcess next;
    EXPECT_EQ(vantaro({"convert", "-o", mDir.file("out"), "--encoder-args",
                       "-c:v libx264 -preset ultrafast", c},
                      next),
              0)
        << next.err;
    EXPECT_EQ(unfinishedIn(mDir.file("out")), 0u) << "leftovers of the killed runs are gone";
    EXPECT_EQ(folderEntries(mDir.file("out")), std::vector<std::string>{"c.mp4"});
    EXPECT_TRUE(folderEntries(tmp()).empty()) << "so are their private folders";
}

TEST_F(OutputSafetyE2E, AnFFmpegKilledFromOutsideFailsItsJobAndLeavesNoOutput) {
    const std::string a = longClip("a.mov");
    CliProcess p;
    ASSERT_TRUE(p.start({"convert", "--json", "-o", mDir.file("out"), "--encoder-args",
                         "-c:v libx264 -preset veryslow", a}));
    ASSERT_TRUE(waitForRunningJobs(p, 1)) << p.out << p.err;
    const std::vector<pid_t> ffmpeg = processesMentioning(mDir.file("out") + "/");
    ASSERT_EQ(ffmpeg.size(), 1u);
    kill(ffmpeg.front(), SIGKILL);
    EXPECT_EQ(p.wait(20000), 1) << p.err;
    EXPECT_NE(p.out.find("FFmpeg was ended by signal 9"), std::string::npos) << p.out;
    EXPECT_TRUE(folderEntries(mDir.file("out")).empty());
}

TEST_F(OutputSafetyE2E, AFullDiskLeavesNoFileUnderAFinalName) {
    const std::string disk = mDir.file("small");
    SmallDisk small(disk, "300k");
    if (!small.mounted()) {
        GTEST_SKIP() << "mounting a small disk needs root";
    }
    const std::string a = clip("a.mov", 4);
    const std::string before = readTextFile(a);
    CliProcess p;
    const int status = vantaro(
        {"convert", "-o", disk, "--ext", ".mkv", "--encoder-args", "-c:v ffv1 -c:a pcm_s16le", a},
        p);
    const std::vector<std::string> left = folderEntries(disk);
    EXPECT_EQ(status, 1) << p.out << p.err;
    EXPECT_TRUE(left.empty()) << left.front();
    EXPECT_EQ(readTextFile(a), before);
}

TEST_F(OutputSafetyE2E, InPlaceConversionTouchesNoOtherFile) {
    const std::string x = clip("x.mp4", 1);
    const std::string y = clip("y.tmp.mp4", 1);
    // The name the old fixed scheme used for x's temporary output.
    writeTextFile(mDir.file("in/x.tmp.mp4"), "unrelated");
    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "--overwrite", "--encoder-args",
                       "-vf scale=160:120 -c:v libx264 -preset ultrafast -c:a aac", x, y},
                      p),
              0)
        << p.out << p.err;
    EXPECT_EQ(readTextFile(mDir.file("in/x.tmp.mp4")), "unrelated");
    EXPECT_EQ(probeValue(x, "v:0", "width"), "160");
    EXPECT_EQ(probeValue(y, "v:0", "width"), "160") << "a source named like a temporary file";
    EXPECT_EQ(unfinishedIn(mDir.file("in")), 0u);
}

TEST_F(OutputSafetyE2E, TwoRunsIntoOneFolderGiveCompleteOutputsAndReplaceNothing) {
    std::vector<std::string> sources;
    for (const char* name : {"a.mov", "b.mov", "c.mov"}) {
        sources.push_back(clip(name, 3));
    }
    // Each run writes its own codec, so the file tells which run put it there.
    auto start = [&](CliProcess& p, const char* codec) {
        std::vector<std::string> args = {
            "convert",        "--json",         "-o",
            mDir.file("out"), "--encoder-args", std::string("-c:v ") + codec + " -c:a aac"};
        args.insert(args.end(), sources.begin(), sources.end());
        ASSERT_TRUE(p.start(args));
    };
    CliProcess h264;
    CliProcess mpeg4;
    start(h264, "libx264");
    start(mpeg4, "mpeg4");
    std::thread other([&] { mpeg4.wait(120000); });
    h264.wait(120000);
    other.join();
    for (const char* name : {"a", "b", "c"}) {
        SCOPED_TRACE(name);
        const std::string out = mDir.file(std::string("out/") + name + ".mp4");
        const std::string codec = probeValue(out, "v:0", "codec_name");
        ASSERT_TRUE(codec == "h264" || codec == "mpeg4") << "a complete output: '" << codec << "'";
        EXPECT_NEAR(probeDuration(out), 3.0, 0.2);
        // The run whose file it is reported success for it; the other one failed that job
        // instead of replacing the file.
        const auto succeeded = [&](const CliProcess& p) {
            for (const json& e : events(p)) {
                if (e.at("event") == "job-end" && e.at("destination") == out) {
                    return e.at("ok").get<bool>();
                }
            }
            return false;
        };
        EXPECT_TRUE(succeeded(codec == "h264" ? h264 : mpeg4));
        EXPECT_FALSE(succeeded(codec == "h264" ? mpeg4 : h264));
    }
    EXPECT_EQ(unfinishedIn(mDir.file("out")), 0u);
}

TEST_F(OutputSafetyE2E, AFifoSourceFailsAloneAndTheOthersConvert) {
    const std::string good = clip("good.mov", 1);
    const std::string fifo = mDir.file("in/fifo.mov");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "-o", mDir.file("out"), "--encoder-args",
                       "-c:v libx264 -preset ultrafast", fifo, good},
                      p, 60000),
              1)
        << p.out << p.err;
    EXPECT_NE(p.err.find("is not a regular file"), std::string::npos) << p.err;
    EXPECT_EQ(probeValue(mDir.file("out/good.mp4"), "v:0", "codec_name"), "h264");
    EXPECT_FALSE(fileExists(mDir.file("out/fifo.mp4")));
}

TEST_F(OutputSafetyE2E, AMissingTemporaryFolderCostsNothing) {
    ScopedEnv scope("XTempFolderScope_Location", nullptr);
    ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    ScopedEnv tmpdir("TMPDIR", mDir.file("missing").c_str());
    const std::string a = clip("a.mov", 1);
    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "-o", mDir.file("out"), "--encoder-args",
                       "-c:v libx264 -preset ultrafast", a},
                      p),
              0)
        << p.out << p.err;
    EXPECT_EQ(probeValue(mDir.file("out/a.mp4"), "v:0", "codec_name"), "h264");
}
