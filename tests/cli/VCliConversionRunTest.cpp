// The program's conversion run with scripted jobs in place of FFmpeg: what the plain and
// JSON printers write, the logs at the end, the exit status, and a stop by signal.
#include "VCliConversionRun.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <sstream>
#include <thread>

#include "TestSupport.h"
#include "VCliSignalWatcher.h"
#include "XClock.h"

namespace {

struct Job {
    const char* from;
    const char* to;
    uint64_t size;
};

std::shared_ptr<VAConversionSpec> specOf(const std::vector<Job>& jobs) {
    auto spec = std::make_shared<VAConversionSpec>();
    spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
    for (const Job& job : jobs) {
        VAConversionEntry entry;
        entry.convertFrom = VAConvertSource::withURL(job.from);
        entry.urlTo = job.to;
        entry.sourceSizeBytes = job.size;
        spec->entries.push_back(entry);
    }
    return spec;
}

// What the run of one FFmpeg job reports, in its order; a destination holding "bad" fails.
void scriptedJob(const VMCProcessArg& arg) {
    VMCStatusCallback& cb = *arg.callback;
    cb.onLengthMS(10000);
    cb.onInfoLine("ffmpeg -i " + arg.srcFrom->urlForConversion);
    cb.onInfoLine("Encoding loop...");
    cb.onPercentDone(0);
    cb.onPercentDone(50);
    if (arg.urlTo.contains("bad")) {
        cb.onErrorLine("Invalid data found when processing input");
    }
    cb.onPercentDone(100);
    cb.onInfoLine("Encoding exit");
}

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome runScripted(const std::shared_ptr<VAConversionSpec>& spec, VCliConvertOptions options,
                    VCliConversionRun::Display display,
                    VMCProgressDialog::JobRunner runner = scriptedJob) {
    std::ostringstream out;
    std::ostringstream err;
    VCliConversionRun run(spec, options, out, err, display);
    run.setJobRunner(std::move(runner));
    run.setClock([] { return 5000u; });
    Outcome o;
    o.status = run.run();
    o.out = out.str();
    o.err = err.str();
    return o;
}

std::vector<Job> threeJobs(const char* second = "/out/b.mp4") {
    return {{"/in/a.mov", "/out/a.mp4", 100},
            {"/in/b.mov", second, 300},
            {"/in/c.mov", "/out/c.mp4", 600}};
}

VCliConvertOptions oneAtATime() {
    VCliConvertOptions o;
    o.jobs = 1;
    return o;
}

}  // namespace

TEST(VCliConversionRun, PlainLinesWithProgressWeightedBySize) {
    const Outcome o =
        runScripted(specOf(threeJobs()), oneAtATime(), VCliConversionRun::Display::kPlain);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "Started 1/3: /in/a.mov -> /out/a.mp4\n"
              "Progress: 10% (0 seconds elapsed)\n"
              "Finished 1/3: /out/a.mp4\n"
              "Started 2/3: /in/b.mov -> /out/b.mp4\n"
              "Progress: 25% (0 seconds elapsed)\n"
              "Progress: 40% (0 seconds elapsed)\n"
              "Finished 2/3: /out/b.mp4\n"
              "Started 3/3: /in/c.mov -> /out/c.mp4\n"
              "Progress: 70% (0 seconds elapsed)\n"
              "Progress: 100% (0 seconds elapsed)\n"
              "Finished 3/3: /out/c.mp4\n"
              "Converted 3 files to [Custom FFmpeg settings]\n"
              "Finished in 0 seconds\n");
    EXPECT_EQ(o.err, "");
}

TEST(VCliConversionRun, FailedJobGivesStatusOneAndItsErrorLogInCopyFormat) {
    const Outcome o = runScripted(specOf(threeJobs("/out/bad.mp4")), oneAtATime(),
                                  VCliConversionRun::Display::kPlain);
    EXPECT_EQ(o.status, 1);
    // The failure is told when it happens, with its first error line; the summary counts
    // only what succeeded as converted.
    EXPECT_NE(o.out.find("\nFailed 2/3: /in/b.mov: Invalid data found when processing input\n"
                         "Started 3/3: "),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("\nConverted 2 files to [Custom FFmpeg settings]; 1 file failed\n"
                         "Finished in 0 seconds\n"),
              std::string::npos)
        << o.out;
    EXPECT_EQ(o.err,
              "Error converting to [Custom FFmpeg settings], 'b.mov' to '/out/bad.mp4'\n"
              "   Invalid data found when processing input\n");
}

TEST(VCliConversionRun, FailureLinesAndLogsShowNamesAndFFmpegsLinesEscaped) {
    // FFmpeg names the input in front of its message; the failure line names it once.
    const auto runner = [](const VMCProcessArg& arg) {
        VMCStatusCallback& cb = *arg.callback;
        cb.onErrorLine(arg.srcFrom->urlForConversion + ": Invalid data\x1b[2J");
        cb.onErrorLine("Conversion failed!");
        cb.onPercentDone(100);
    };
    const Outcome o = runScripted(specOf({{"/in/x\x1b]0;t\a\n.mov", "/out/x.mp4", 10}}),
                                  oneAtATime(), VCliConversionRun::Display::kPlain, runner);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out,
              "Started 1/1: /in/x\\033]0;t\\007\\n.mov -> /out/x.mp4\n"
              "Progress: 100% (0 seconds elapsed)\n"
              "Failed 1/1: /in/x\\033]0;t\\007\\n.mov: Invalid data\\033[2J\n"
              "Converted 0 files to [Custom FFmpeg settings]; 1 file failed\n"
              "Finished in 0 seconds\n");
    EXPECT_EQ(o.err,
              "Error converting to [Custom FFmpeg settings], 'x\\033]0;t\\007\\n.mov' to "
              "'/out/x.mp4'\n"
              "   /in/x\\033]0;t\\007\\n.mov: Invalid data\\033[2J\n"
              "   Conversion failed!\n");
}

TEST(VCliConversionRun, VerboseAddsTheInformationLogAfterTheErrors) {
    VCliConvertOptions options = oneAtATime();
    options.verbose = true;
    const Outcome o = runScripted(specOf({{"/in/a.mov", "/out/bad.mp4", 10}}), options,
                                  VCliConversionRun::Display::kPlain);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err,
              "Error converting to [Custom FFmpeg settings], 'a.mov' to '/out/bad.mp4'\n"
              "   Invalid data found when processing input\n"
              "\n"
              "Information converting to [Custom FFmpeg settings], 'a.mov' to '/out/bad.mp4'\n"
              "   ffmpeg -i /in/a.mov\n"
              "   Encoding loop...\n"
              "   Encoding exit\n");
}

TEST(VCliConversionRun, JsonEventsOnePerLine) {
    const Outcome o = runScripted(
        specOf({{"/in/a.mov", "/out/a.mp4", 100}, {"/in/\"q\".mov", "/out/bad.mp4", 300}}),
        oneAtATime(), VCliConversionRun::Display::kJson);
    EXPECT_EQ(o.status, 1);
    const std::string main1 =
        "\"main\":\"Converting 1 out of 2 files to [Custom FFmpeg settings]\"";
    const std::string main2 =
        "\"main\":\"Converting 2 out of 2 files to [Custom FFmpeg settings]\"";
    const std::string labels = ",\"elapsed\":\"0 seconds elapsed\",\"left\":\"\",\"speed\":\"\"";
    auto progress = [&](int percent, const std::string& main, int job, int jobPercent) {
        return "{\"event\":\"progress\",\"percent\":" + std::to_string(percent) + "," + main +
               labels + ",\"jobs\":[{\"job\":" + std::to_string(job) +
               ",\"percent\":" + std::to_string(jobPercent) + "}]}\n";
    };
    EXPECT_EQ(o.out,
              "{\"event\":\"job-start\",\"job\":0,\"slot\":0,\"source\":\"/in/a.mov\","
              "\"destination\":\"/out/a.mp4\",\"size\":100}\n" +
                  progress(0, main1, 0, 0) +
                  "{\"event\":\"log\",\"job\":0,\"error\":false,\"line\":\"ffmpeg -i /in/a.mov\"}\n"
                  "{\"event\":\"log\",\"job\":0,\"error\":false,\"line\":\"Encoding loop...\"}\n" +
                  progress(13, main1, 0, 50) + progress(25, main1, 0, 100) +
                  "{\"event\":\"log\",\"job\":0,\"error\":false,\"line\":\"Encoding exit\"}\n"
                  "{\"event\":\"job-end\",\"job\":0,\"ok\":true,\"source\":\"/in/a.mov\","
                  "\"destination\":\"/out/a.mp4\"}\n"
                  "{\"event\":\"job-start\",\"job\":1,\"slot\":0,\"source\":\"/in/\\\"q\\\".mov\","
                  "\"destination\":\"/out/bad.mp4\",\"size\":300}\n"
                  "{\"event\":\"log\",\"job\":1,\"error\":false,\"line\":\"ffmpeg -i "
                  "/in/\\\"q\\\".mov\"}\n"
                  "{\"event\":\"log\",\"job\":1,\"error\":false,\"line\":\"Encoding loop...\"}\n" +
                  progress(63, main2, 1, 50) +
                  "{\"event\":\"log\",\"job\":1,\"error\":true,"
                  "\"line\":\"Invalid data found when processing input\"}\n" +
                  progress(100, main2, 1, 100) +
                  "{\"event\":\"log\",\"job\":1,\"error\":false,\"line\":\"Encoding exit\"}\n"
                  "{\"event\":\"job-end\",\"job\":1,\"ok\":false,\"source\":\"/in/\\\"q\\\".mov\","
                  "\"destination\":\"/out/bad.mp4\","
                  "\"error\":\"Invalid data found when processing input\"}\n"
                  "{\"event\":\"done\",\"ok\":false,\"cancelled\":false,\"jobs\":2,\"succeeded\":1,"
                  "\"failed\":1,\"skipped\":0,\"percent\":100,"
                  "\"main\":\"Converted 1 file to [Custom FFmpeg settings]; 1 file failed\","
                  "\"elapsed\":\"Finished in 0 seconds\",\"exit\":1}\n");
}

TEST(VCliConversionRun, JsonPercentagesRiseToOneHundredOnTwoSlots) {
    std::vector<Job> jobs;
    static const char* const kNames[] = {"/out/1.mp4", "/out/2.mp4", "/out/3.mp4",
                                         "/out/4.mp4", "/out/5.mp4", "/out/6.mp4"};
    for (int i = 0; i < 6; ++i) {
        jobs.push_back({"/in/x.mov", kNames[i], static_cast<uint64_t>(100 * (i + 1))});
    }
    VCliConvertOptions options;
    options.jobs = 2;
    const Outcome o = runScripted(specOf(jobs), options, VCliConversionRun::Display::kJson);
    EXPECT_EQ(o.status, 0);
    std::istringstream lines(o.out);
    std::string line;
    int last = -1;
    int ends = 0;
    while (std::getline(lines, line)) {
        const std::string key = "\"event\":\"progress\",\"percent\":";
        const std::size_t at = line.find(key);
        if (at != std::string::npos) {
            const int percent = std::stoi(line.substr(at + key.size()));
            EXPECT_GT(percent, last) << line;
            last = percent;
        }
        ends += line.find("\"event\":\"job-end\"") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(last, 100);
    EXPECT_EQ(ends, 6);
}

TEST(VCliConversionRun, SignalStopsTheJobsAndGives130) {
    TestTempDir dir;
    auto spec = specOf({{"/in/a.mov", dir.file("a.mp4").c_str(), 100},
                        {"/in/b.mov", dir.file("b.mp4").c_str(), 100},
                        {"/in/c.mov", dir.file("never.mp4").c_str(), 100}});
    VCliConvertOptions options;
    options.jobs = 2;
    // Each job waits to be stopped like a running FFmpeg; the first is interrupted.
    auto runner = [&](const VMCProcessArg& arg) {
        arg.callback->onPercentDone(40);
        if (arg.urlTo == dir.xfile("a.mp4")) {
            VCliSignalWatcher::dispatch(SIGINT);
        }
        const uint32_t start = XClock::nowMs();
        while (!arg.events->bEvtQuit && XClock::elapsedMs(start) < 5000) {
            XClock::sleepMs(5);
        }
    };
    const Outcome o = runScripted(spec, options, VCliConversionRun::Display::kJson, runner);
    EXPECT_EQ(o.status, 130);
    EXPECT_NE(o.out.find("{\"event\":\"done\",\"ok\":false,\"cancelled\":true,\"jobs\":3,"
                         "\"succeeded\":0,\"failed\":0,"),
              std::string::npos)
        << o.out;
    EXPECT_EQ(o.out.find("\"job\":2,\"slot\""), std::string::npos) << "no job starts after";
}
