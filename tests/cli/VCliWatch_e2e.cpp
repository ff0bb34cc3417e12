// "vantaro watch" converting what arrives: a file written slowly, restarts, a burst that
// overflows the kernel's event queue, a folder that goes and comes back, and a stop while
// a job runs. Every wait is for a condition, with a generous deadline.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <thread>

#include "CliE2E.h"
#include "XClock.h"

namespace {

constexpr uint32_t kDeadlineMs = 240000;

class WatchE2E : public CliE2E {
protected:
    void SetUp() override {
        CliE2E::SetUp();
        ASSERT_EQ(mkdir(watched().c_str(), 0755), 0);
    }
    std::string watched() const { return mDir.file("w"); }
    std::string out() const { return mDir.file("out"); }

    // Starts the watch and waits until it watches.
    void start(CliProcess& p, std::vector<std::string> options) {
        std::vector<std::string> args = {"watch", "--json", "--settle", "1"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(watched());
        ASSERT_TRUE(p.start(args));
        ASSERT_TRUE(waitFor(p, [&] { return has(p, "watching"); })) << p.out << p.err;
    }
    // Pumps the program's output until the condition holds.
    static bool waitFor(CliProcess& p, const std::function<bool()>& done,
                        uint32_t timeoutMs = kDeadlineMs) {
        const uint32_t start = XClock::nowMs();
        while (!done()) {
            if (XClock::elapsedMs(start) > timeoutMs || !p.pump(200)) {
                return done();
            }
        }
        return true;
    }
    // The complete lines of output so far, as JSON (read once each).
    const std::vector<json>& eventsSoFar(const CliProcess& p) {
        Parsed& parsed = mParsed[&p];
        std::size_t end;
        while ((end = p.out.find('\n', parsed.offset)) != std::string::npos) {
            parsed.all.push_back(json::parse(p.out.substr(parsed.offset, end - parsed.offset)));
            const json& e = parsed.all.back();
            parsed.okEnds += e["event"] == "job-end" && e["ok"] == true ? 1 : 0;
            parsed.offset = end + 1;
        }
        return parsed.all;
    }
    bool has(const CliProcess& p, const std::string& event) {
        for (const json& e : eventsSoFar(p)) {
            if (e["event"] == event) {
                return true;
            }
        }
        return false;
    }
    // Per source, how many jobs started and how many ended well.
    std::map<std::string, std::pair<int, int>> jobs(const CliProcess& p) {
        std::map<std::string, std::pair<int, int>> counts;
        for (const json& e : eventsSoFar(p)) {
            if (e["event"] == "job-start") {
                ++counts[e["source"]].first;
            } else if (e["event"] == "job-end" && e["ok"] == true) {
                ++counts[e["source"]].second;
            }
        }
        return counts;
    }
    int succeeded(const CliProcess& p) {
        eventsSoFar(p);
        return mParsed[&p].okEnds;
    }
    int stop(CliProcess& p) {
        EXPECT_EQ(kill(p.pid(), SIGTERM), 0);
        return p.wait(kDeadlineMs);
    }
    struct Parsed {
        std::size_t offset = 0;
        std::vector<json> all;
        int okEnds = 0;
    };
    std::map<const CliProcess*, Parsed> mParsed;

    // Leftovers of unfinished outputs: hidden names the engine writes under.
    static std::vector<std::string> hiddenIn(const std::string& folder) {
        std::vector<std::string> hidden;
        for (const std::string& name : folderEntries(folder)) {
            if (name[0] == '.') {
                hidden.push_back(name);
            }
        }
        return hidden;
    }
};

TEST_F(WatchE2E, AFileWrittenSlowlyIsConvertedOnceWholeAlsoAcrossRestarts) {
    const std::string clipPath = clip("source.mp4", 2.0);
    std::ifstream in(clipPath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> remux = {"--encoder-args", "-c copy", "--ext",
                                            ".mkv",           "-o",      out()};
    CliProcess first;
    start(first, remux);

    // Ten pieces over three seconds, the file open all along.
    const std::string slow = watched() + "/slow.mp4";
    std::thread writer([&] {
        const int fd = open(slow.c_str(), O_WRONLY | O_CREAT, 0644);
        const std::size_t piece = bytes.size() / 10 + 1;
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            const std::size_t n = std::min(piece, bytes.size() - at);
            EXPECT_EQ(write(fd, bytes.data() + at, n), static_cast<ssize_t>(n));
            XClock::sleepMs(300);
        }
        close(fd);
    });
    // A file that arrives whole, moved in.
    std::filesystem::copy_file(clipPath, tmp() + "/quick.mp4");
    std::filesystem::rename(tmp() + "/quick.mp4", watched() + "/quick.mp4");
    ASSERT_TRUE(waitFor(first, [&] { return succeeded(first) >= 2; })) << first.out << first.err;
    writer.join();
    EXPECT_EQ(jobs(first)[slow], std::make_pair(1, 1));
    EXPECT_EQ(jobs(first)[watched() + "/quick.mp4"], std::make_pair(1, 1));
    EXPECT_NEAR(probeDuration(out() + "/slow.mkv"), 2.0, 0.2) << "converted whole";
    EXPECT_EQ(stop(first), 0) << first.err;
    EXPECT_TRUE(has(first, "stopped"));

    // Nothing twice after a restart; what arrived meanwhile is converted.
    std::filesystem::copy_file(clipPath, watched() + "/later.mp4");
    CliProcess second;
    start(second, remux);
    ASSERT_TRUE(waitFor(second, [&] { return succeeded(second) >= 1; })) << second.err;
    EXPECT_EQ(jobs(second).size(), 1u) << second.out;
    EXPECT_EQ(jobs(second)[watched() + "/later.mp4"], std::make_pair(1, 1));
    EXPECT_EQ(stop(second), 0);
    EXPECT_EQ(folderEntries(out()),
              (std::vector<std::string>{"later.mkv", "quick.mkv", "slow.mkv"}));
}

TEST_F(WatchE2E, OutputsBesideTheSourcesAreNeverTakenForSources) {
    const std::string clipPath = clip("source.mp4", 1.0);
    CliProcess p;
    start(p, {"--encoder-args", "-c copy", "--ext", ".mkv"});
    std::filesystem::copy_file(clipPath, tmp() + "/a.mp4");
    std::filesystem::rename(tmp() + "/a.mp4", watched() + "/a.mp4");
    ASSERT_TRUE(waitFor(p, [&] { return succeeded(p) >= 1; })) << p.err;
    EXPECT_TRUE(fileExists(watched() + "/a.mkv"));
    EXPECT_EQ(stop(p), 0);
    EXPECT_EQ(jobs(p).size(), 1u) << p.out;
    EXPECT_EQ(p.err, "") << "the output was never planned as a source";

    CliProcess again;
    start(again, {"--encoder-args", "-c copy", "--ext", ".mkv"});
    // A marker file shows that the restarted watch has looked at what is there.
    std::filesystem::copy_file(clipPath, watched() + "/b.mp4");
    ASSERT_TRUE(waitFor(again, [&] { return succeeded(again) >= 1; })) << again.err;
    EXPECT_EQ(stop(again), 0);
    EXPECT_EQ(jobs(again).size(), 1u) << again.out;
    EXPECT_EQ(again.err, "");
}

TEST_F(WatchE2E, ABurstThatOverflowsTheEventQueueLosesNoFile) {
    const std::string hold = tmp() + "/hold";
    ScopedEnv holding("VANTARO_WATCH_TEST_HOLD", hold.c_str());
    CliProcess p;
    start(p, {"--copy", "-o", out()});
    writeTextFile(hold, "");
    writeTextFile(watched() + "/trigger.mp4", "first");
    // The watcher's reader is held at its next read, as on a machine too busy to keep up.
    const uint32_t begun = XClock::nowMs();
    while (!fileExists(hold + ".held") && XClock::elapsedMs(begun) < kDeadlineMs) {
        p.pump(20);
    }
    ASSERT_TRUE(fileExists(hold + ".held"));
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i) {
        writeTextFile(watched() + "/f" + std::to_string(i) + ".mp4", "file " + std::to_string(i));
    }
    // More events than the kernel keeps: writes to two files in turn, which it cannot fold.
    long limit = 16384;
    std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> limit;
    const int a = open((watched() + "/pad-a.mp4").c_str(), O_WRONLY | O_CREAT, 0644);
    const int b = open((watched() + "/pad-b.mp4").c_str(), O_WRONLY | O_CREAT, 0644);
    for (long i = 0; i < limit / 2 + 100; ++i) {
        ASSERT_EQ(write(a, "x", 1), 1);
        ASSERT_EQ(write(b, "y", 1), 1);
    }
    close(a);
    close(b);
    ASSERT_EQ(unlink(hold.c_str()), 0);

    const int all = kFiles + 3;
    // Thousands of jobs on a busy machine: most of the test's time, well inside its limit.
    ASSERT_TRUE(waitFor(
        p, [&] { return succeeded(p) >= all; }, 500000))
        << succeeded(p) << p.err;
    bool lost = false;
    for (const json& e : eventsSoFar(p)) {
        lost = lost || (e["event"] == "note" &&
                        e["line"].get<std::string>().find("events were lost") != std::string::npos);
    }
    EXPECT_TRUE(lost) << "the queue overflowed";
    EXPECT_EQ(stop(p), 0);
    const auto counts = jobs(p);
    EXPECT_EQ(counts.size(), static_cast<std::size_t>(all));
    for (const auto& [source, count] : counts) {
        EXPECT_EQ(count, std::make_pair(1, 1)) << source;
    }
    EXPECT_EQ(folderEntries(out()).size(), static_cast<std::size_t>(all));
    EXPECT_EQ(readTextFile(out() + "/f2999.mp4"), "file 2999");
}

TEST_F(WatchE2E, AFolderThatGoesAwayIsWaitedForAndWatchedWhenItIsBack) {
    CliProcess p;
    start(p, {"--copy", "-o", out()});
    std::filesystem::remove_all(watched());
    ASSERT_TRUE(waitFor(p, [&] { return p.out.find("is gone") != std::string::npos; }));
    ASSERT_EQ(mkdir(watched().c_str(), 0755), 0);
    writeTextFile(watched() + "/back.mp4", "back again");
    ASSERT_TRUE(waitFor(p, [&] { return succeeded(p) >= 1; })) << p.out << p.err;
    EXPECT_NE(p.out.find("is back"), std::string::npos);
    EXPECT_EQ(stop(p), 0);
    EXPECT_EQ(readTextFile(out() + "/back.mp4"), "back again");
}

TEST_F(WatchE2E, AStopWhileAJobRunsLeavesNoUnfinishedOutputAndTheFileIsConvertedNextTime) {
    TestClip big;
    big.seconds = 20;
    big.size = "1280x720";
    const std::string clipPath = clip("big.mp4", big);
    const std::vector<std::string> slowEncode = {
        "--encoder-args", "-c:v libx264 -preset veryslow -c:a aac", "--ext", ".mp4", "-o", out()};
    CliProcess first;
    start(first, slowEncode);
    std::filesystem::copy_file(clipPath, tmp() + "/big.mp4");
    std::filesystem::rename(tmp() + "/big.mp4", watched() + "/big.mp4");
    ASSERT_TRUE(waitFor(first, [&] { return !jobs(first).empty(); })) << first.err;
    EXPECT_EQ(stop(first), 0) << first.err;
    EXPECT_FALSE(fileExists(out() + "/big.mp4")) << "no broken file under the final name";
    EXPECT_TRUE(hiddenIn(out()).empty()) << "no unfinished output left";
    EXPECT_TRUE(processesMentioning(mDir.path()).empty()) << "no FFmpeg left running";

    // Started again, the file is converted (quickly now).
    CliProcess second;
    start(second, {"--copy", "-o", out()});
    ASSERT_TRUE(waitFor(second, [&] { return succeeded(second) >= 1; })) << second.err;
    EXPECT_EQ(stop(second), 0);
    EXPECT_TRUE(fileExists(out() + "/big.mp4"));
}

TEST_F(WatchE2E, UsageErrors) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"watch"}, "vantaro: No folders to watch\n"},
        {{"watch", "--on-exists", "ask", watched()},
         "vantaro: Nobody is asked while watching: use '--on-exists' overwrite, skip or rename\n"},
        {{"watch", "--settle", "0", watched()},
         "vantaro: Invalid number of seconds '0' (use 0.1 to 3600)\n"},
        {{"watch", "--join", watched()}, "vantaro: Unknown option '--join'\n"},
    };
    for (const Case& c : cases) {
        CliProcess p;
        EXPECT_EQ(vantaro(c.args, p), 2);
        EXPECT_EQ(p.err, c.err + "Try 'vantaro watch --help'.\n");
    }
    // A second watch of the same folders refuses to start.
    CliProcess first;
    start(first, {"--copy", "-o", out()});
    CliProcess second;
    EXPECT_EQ(vantaro({"watch", "--copy", "-o", out(), watched()}, second), 1);
    EXPECT_NE(second.err.find("Another 'vantaro watch' is watching these folders"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(stop(first), 0);
}

}  // namespace
