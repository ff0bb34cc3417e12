// The vantaro program itself, run on clips made for each test with the real FFmpeg.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <cmath>

#include "CliE2E.h"
#include "MediaSupport.h"
#include "TestSupport.h"

TEST_F(CliE2E, SixFilesOnTwoSlotsProgressWeightedBySizeEndingAt100) {
    // One large file first and five small ones: by size the large one dominates the
    // percentage, which a count of files would not show.
    std::vector<std::string> files;
    files.push_back(clip("0-big.mp4", 30, "640x360"));
    for (int i = 1; i < 6; ++i) {
        files.push_back(clip(std::to_string(i) + "-small.mp4", 1 + 0.3 * i, "160x120"));
    }
    uint64_t total = 0;
    for (const std::string& f : files) {
        total += sizeOf(f);
    }
    std::vector<std::string> args = {"convert",
                                     "-j",
                                     "2",
                                     "--json",
                                     "-o",
                                     mDir.file("out"),
                                     "--encoder-args",
                                     "-c:v libx264 -preset veryfast -c:a aac"};
    args.insert(args.end(), files.begin(), files.end());
    CliProcess p;
    ASSERT_EQ(vantaro(args, p), 0) << p.err;

    std::map<int64_t, uint64_t> sizes;
    std::set<int64_t> done;
    std::set<int64_t> slotsSeen;
    int64_t last = -1;
    int progressEvents = 0;
    // How far a count of files would have been from the sizes at some moment: the test
    // must be able to tell the two apart.
    double countDifference = 0;
    for (const json& e : events(p)) {
        const std::string kind = e.at("event");
        if (kind == "job-start") {
            sizes[e.at("job")] = e.at("size");
            slotsSeen.insert(e.at("slot").get<int64_t>());
            EXPECT_EQ(e.at("size").get<uint64_t>(), sizeOf(e.at("source")));
        } else if (kind == "job-end") {
            EXPECT_TRUE(e.at("ok").get<bool>()) << e.dump();
            done.insert(e.at("job").get<int64_t>());
        } else if (kind == "progress") {
            ++progressEvents;
            const int64_t percent = e.at("percent");
            EXPECT_GE(percent, last) << "the overall percentage never goes back";
            last = percent;
            // What the percentage must be when weighted by size: finished jobs whole, each
            // running job by its own share.
            double weighted = 0;
            for (int64_t job : done) {
                weighted += static_cast<double>(sizes[job]);
            }
            double counted = static_cast<double>(done.size());
            for (const json& running : e.at("jobs")) {
                const int64_t job = running.at("job");
                const double share = running.at("percent").get<double>() / 100.0;
                weighted += static_cast<double>(sizes[job]) * share;
                counted += share;
            }
            const double expected = std::min(100.0, weighted * 100.0 / static_cast<double>(total));
            EXPECT_NEAR(static_cast<double>(percent), expected, 1.0) << e.dump();
            countDifference = std::max(countDifference, std::fabs(expected - counted * 100.0 / 6));
        }
    }
    EXPECT_EQ(last, 100);
    EXPECT_GE(progressEvents, 3);
    EXPECT_EQ(done.size(), 6u);
    EXPECT_EQ(slotsSeen, (std::set<int64_t>{0, 1}));
    EXPECT_GT(countDifference, 10.0);
    const json end = events(p).back();
    EXPECT_EQ(end.at("event"), "done");
    EXPECT_EQ(end.at("percent"), 100);
    EXPECT_EQ(end.at("succeeded"), 6);
    for (const std::string& f : files) {
        const std::string name = f.substr(f.rfind('/') + 1);
        EXPECT_EQ(probeValue(mDir.file("out/" + name), "v:0", "codec_name"), "h264") << name;
    }
    EXPECT_TRUE(folderEntries(tmp()).empty());
}

TEST_F(CliE2E, BrokenFileFailsAloneAndTheOthersConvert) {
    const std::string a = clip("a.mov", 1);
    const std::string broken = mDir.file("in/x.mp4");
    writeTextFile(broken, "this is not a video\n");
    const std::string b = clip("b.mov", 1);
    const std::string out = mDir.file("out");
    CliProcess p;
    const int status = vantaro({"convert", "-j", "2", "-o", out, "--encoder-args",
                                "-c:v libx264 -preset ultrafast -c:a aac", a, broken, b},
                               p);
    EXPECT_EQ(status, 1) << p.out << p.err;
    EXPECT_EQ(probeValue(out + "/a.mp4", "v:0", "codec_name"), "h264");
    EXPECT_EQ(probeValue(out + "/b.mp4", "v:0", "codec_name"), "h264");
    // The failure is told as it happens, with FFmpeg's first error line.
    const std::size_t failed = p.out.find("Failed 2/3: " + broken + ": ");
    ASSERT_NE(failed, std::string::npos) << p.out;
    EXPECT_NE(p.out.substr(failed, p.out.find('\n', failed) - failed).find("moov atom not found"),
              std::string::npos)
        << p.out;
    EXPECT_NE(p.out.find("Finished 1/3: " + out + "/a.mp4\n"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("Finished 3/3: " + out + "/b.mp4\n"), std::string::npos) << p.out;
    EXPECT_NE(p.out.find("\nConverted 2 files to [Custom FFmpeg settings]; 1 file failed\n"),
              std::string::npos)
        << p.out;
    // The error log, in the copy format: the job's header, then its lines indented.
    const std::string header =
        "Error converting to [Custom FFmpeg settings], 'x.mp4' to '" + out + "/x.mp4'\n   ";
    EXPECT_EQ(p.err.rfind(header, 0), 0u) << p.err;
    EXPECT_NE(p.err.find("Invalid data found when processing input"), std::string::npos) << p.err;
    EXPECT_EQ(p.err.find("'a.mov'"), std::string::npos) << "only the failed job is in the log";
}

TEST_F(CliE2E, InterruptStopsEveryFFmpegAndLeavesNoTemporaryFile) {
    const std::string a = clip("long-a.mov", 60);
    const std::string b = clip("long-b.mov", 60);
    CliProcess p;
    ASSERT_TRUE(p.start({"convert", "-j", "2", "--json", "-o", mDir.file("out"), "--encoder-args",
                         "-c:v libx264 -preset veryslow -c:a aac", a, b}));
    // Both jobs have started FFmpeg.
    const std::string looping = "\"line\":\"Encoding loop...\"";
    ASSERT_TRUE(p.waitForOutput(looping, 20000)) << p.out << p.err;
    const uint32_t started = XClock::nowMs();
    while (p.out.find(looping) == p.out.rfind(looping) && XClock::elapsedMs(started) < 20000) {
        p.pump(20);
    }
    EXPECT_EQ(processesMentioning(tmp() + "/").size(), 2u) << "both FFmpeg children run";
    ASSERT_EQ(kill(p.pid(), SIGINT), 0);
    const uint32_t interrupted = XClock::nowMs();
    const int status = p.wait(5000);
    const uint32_t tookMs = XClock::elapsedMs(interrupted);
    EXPECT_EQ(status, 130) << p.err;
    EXPECT_LE(tookMs, 500u);
    std::cerr << "stopped " << tookMs << " ms after SIGINT\n";
    EXPECT_TRUE(processesMentioning(tmp() + "/").empty()) << "no FFmpeg left";
    EXPECT_TRUE(folderEntries(tmp()).empty()) << "no temporary file left";
    EXPECT_FALSE(fileExists(mDir.file("out/long-a.mp4"))) << "no half output";
    EXPECT_FALSE(fileExists(mDir.file("out/long-b.mp4")));
    const json end = events(p).back();
    EXPECT_EQ(end.at("event"), "done");
    EXPECT_EQ(end.at("cancelled"), true);
    EXPECT_EQ(end.at("exit"), 130);
}

TEST_F(CliE2E, TerminateSignalStopsLikeAnInterrupt) {
    const std::string a = clip("long.mov", 30);
    CliProcess p;
    ASSERT_TRUE(p.start(
        {"convert", "-o", mDir.file("out"), "--encoder-args", "-c:v libx264 -preset veryslow", a}));
    ASSERT_TRUE(p.waitForOutput("Started 1/1", 20000)) << p.err;
    p.pump(300);
    ASSERT_EQ(kill(p.pid(), SIGTERM), 0);
    EXPECT_EQ(p.wait(5000), 128 + SIGTERM);
    EXPECT_TRUE(processesMentioning(tmp() + "/").empty());
    EXPECT_TRUE(folderEntries(tmp()).empty());
    EXPECT_NE(p.out.find("Stopping..."), std::string::npos) << p.out;
}

TEST_F(CliE2E, DryRunAsTextPrintsTheRunsOwnCommandTextsAndStartsNothing) {
    writeTextFile(mDir.file("in/a b.mov"), "not read by a dry run");
    writeTextFile(mDir.file("in/part2.mov"), "x");
    const std::string src = mDir.file("in/a b.mov");
    const std::string part2 = mDir.file("in/part2.mov");
    const std::string out = mDir.file("out");
    const std::string tail = " -loglevel 16 -y -ignore_unknown -hide_banner -progress /dev/null ";

    CliProcess normal;
    ASSERT_EQ(vantaro({"convert", "--dry-run=text", "-o", out, "--encoder-args",
                       "-c:v libx264 -crf 23 -vf \"scale=1280:-2, fps=30\"", src},
                      normal),
              0)
        << normal.err;
    EXPECT_EQ(normal.out, q(mFFmpeg) + "   -i " + q(src) +
                              " -c:v libx264 -crf 23 -vf \"scale=1280:-2, fps=30\"" + tail +
                              q(out + "/a b.mp4") + "\n");

    CliProcess seek;
    ASSERT_EQ(vantaro({"convert", "--dry-run=text", "-o", out, "--encoder-args",
                       "-ss 5 -c:v libx264 -t 00:00:10", src},
                      seek),
              0);
    EXPECT_EQ(seek.out, q(mFFmpeg) + "  -ss 5  -i " + q(src) + " -c:v libx264 -t 00:00:10" + tail +
                            q(out + "/a b.mp4") + "\n");

    CliProcess join;
    ASSERT_TRUE(join.start({"convert", "--dry-run=text", "--join", "-o", out, "--ext", ".mov",
                            "--encoder-args", "-vcodec copy -acodec copy", src, part2}));
    // The list file a run would make is named after the process.
    const std::string list = tmp() + "/vavXTempFile-" + std::to_string(join.pid()) + "-1.txt";
    ASSERT_EQ(join.wait(60000), 0) << join.err;
    EXPECT_EQ(join.out, q(mFFmpeg) + "   -f concat -safe 0 -i " + q(list) +
                            " -vcodec copy -acodec copy" + tail + q(out + "/a b.mov") + "\n");

    CliProcess loop;
    ASSERT_EQ(vantaro({"convert", "--dry-run=text", "-o", out, "--encoder-args",
                       "-loopvideo=3 -c:v libx264", part2},
                      loop),
              0);
    const std::string in = " -i " + q(part2);
    EXPECT_EQ(loop.out, q(mFFmpeg) + "   " + in + in + in +
                            " -filter_complex \"[0:v][0:a][1:v][1:a][2:v][2:a] "
                            "concat=n=3:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\" -c:v libx264" +
                            tail + q(out + "/part2.mp4") + "\n");

    EXPECT_FALSE(fileExists(out)) << "a dry run makes no folder";
    EXPECT_TRUE(folderEntries(tmp()).empty()) << "nor a list file";
}

TEST_F(CliE2E, CopyJobsCopyAndReplaceOnlyWhenAsked) {
    writeTextFile(mDir.file("in/a.mov"), "first file");
    writeTextFile(mDir.file("in/b.mov"), "second file");
    ASSERT_EQ(mkdir(mDir.file("out").c_str(), 0755), 0);
    writeTextFile(mDir.file("out/b.mov"), "old");
    CliProcess skipped;
    EXPECT_EQ(vantaro({"convert", "--copy", "-o", mDir.file("out"), mDir.file("in")}, skipped), 0);
    EXPECT_EQ(readTextFile(mDir.file("out/b.mov")), "old");
    EXPECT_EQ(readTextFile(mDir.file("out/a.mov")), "first file");
    CliProcess p;
    EXPECT_EQ(
        vantaro({"convert", "--copy", "--overwrite", "-o", mDir.file("out"), mDir.file("in")}, p),
        0)
        << p.err;
    EXPECT_EQ(readTextFile(mDir.file("out/a.mov")), "first file");
    EXPECT_EQ(readTextFile(mDir.file("out/b.mov")), "second file");
}

TEST_F(CliE2E, UsageErrorsNameTheProblemAndGiveStatusTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string missing = mDir.file("in/nothing.mov");
    const std::vector<Case> cases = {
        {{}, "vantaro: No command given\nTry 'vantaro --help'.\n"},
        {{"transmogrify"}, "vantaro: Unknown command 'transmogrify'\nTry 'vantaro --help'.\n"},
        {{"--frobnicate"}, "vantaro: Unknown option '--frobnicate'\nTry 'vantaro --help'.\n"},
        {{"convert", "--frobnicate", "x"},
         "vantaro: Unknown option '--frobnicate'\nTry 'vantaro convert --help'.\n"},
        {{"convert", "x", "--ext"},
         "vantaro: The option '--ext' needs a value\nTry 'vantaro convert --help'.\n"},
        {{"convert", "-j", "none", "x"},
         "vantaro: Invalid number of jobs 'none' (use 1 to 256)\nTry 'vantaro convert --help'.\n"},
        {{"convert", "--dry-run=json", "x"},
         "vantaro: Invalid value 'json' of '--dry-run' (use --dry-run or --dry-run=text)\n"
         "Try 'vantaro convert --help'.\n"},
        {{"convert"}, "vantaro: No input files\nTry 'vantaro convert --help'.\n"},
        {{"convert\x1b[2J"}, "vantaro: Unknown command 'convert\\033[2J'\nTry 'vantaro --help'.\n"},
        {{"convert", missing}, "vantaro: No such file: '" + missing + "'\n"},
    };
    for (const Case& c : cases) {
        CliProcess p;
        EXPECT_EQ(vantaro(c.args, p), 2) << c.err;
        EXPECT_EQ(p.err, c.err);
        EXPECT_EQ(p.out, "");
    }
}

TEST_F(CliE2E, HelpGoesToStandardOutput) {
    CliProcess top;
    EXPECT_EQ(vantaro({"--help"}, top), 0);
    EXPECT_EQ(top.out.rfind("Usage: vantaro COMMAND", 0), 0u);
    CliProcess convert;
    EXPECT_EQ(vantaro({"convert", "--help"}, convert), 0);
    EXPECT_EQ(convert.out.rfind("Usage: vantaro convert [options] FILE...\n", 0), 0u);
    EXPECT_NE(convert.out.find("--encoder-args TEXT"), std::string::npos);
    EXPECT_EQ(convert.err, "");
}
