// One 10-second 720p H.264 encode through the run and the same FFmpeg command started
// directly, alternating which goes first; prints the median wall times, their ratio, and
// the CPU time of this process against FFmpeg's during the runs.
//   bench_run [runs-per-side]   (default 8)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "BenchSupport.h"
#include "VACommandText.h"
#include "VALocateFFmpeg.h"
#include "VMCProcess.h"
#include "XWorkerProcess.h"

namespace {

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class CommandCatcher : public VMCStatusCallback {
public:
    void onLengthMS(int64_t) override {}
    void onPercentDone(int32_t) override {}
    void onFPS(double) override {}
    void onInfoLine(const XStr& line) override {
        if (command.empty()) {
            command = line;
        }
    }
    void onErrorLine(const XStr& line) override { errors.push_back(line); }
    XStr command;
    XStrList errors;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 8;
    char folder[] = "/tmp/vantaro-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string dir = folder;
    const XStr ffmpeg = VALocateFFmpeg::locateFFmpeg();
    const XStr source = XStr(dir + "/source.mp4");
    std::printf("making the 10 s 1280x720 source with %s\n", ffmpeg.utf8().c_str());
    if (!run({ffmpeg,
              "-hide_banner",
              "-loglevel",
              "error",
              "-y",
              "-f",
              "lavfi",
              "-i",
              "testsrc2=size=1280x720:rate=30:duration=10",
              "-f",
              "lavfi",
              "-i",
              "sine=frequency=440:duration=10",
              "-c:v",
              "libx264",
              "-preset",
              "ultrafast",
              "-c:a",
              "aac",
              source})) {
        std::fprintf(stderr, "could not make the source\n");
        return 1;
    }
    const XStr args = "-c:v libx264 -preset veryfast -crf 23 -c:a aac";

    std::vector<double> oursWall, directWall;
    double oursSelfCpu = 0, oursChildCpu = 0;
    XStr command;
    const auto runOurs = [&](bool measured) {
        VMCProcessArg arg;
        arg.srcFrom = VAConvertSource::withURL(source);
        arg.urlTo = XStr(dir + "/ours.mp4");
        arg.args = args;
        // Every run writes the same output.
        arg.overwriteExisting = true;
        auto catcher = std::make_shared<CommandCatcher>();
        arg.callback = catcher;
        arg.events = std::make_shared<VMCProcessEvents>();
        const double self0 = cpuSeconds(RUSAGE_SELF);
        const double child0 = cpuSeconds(RUSAGE_CHILDREN);
        const double t0 = now();
        VMCProcess::convertWithArg(arg);
        if (measured) {
            oursWall.push_back(now() - t0);
            oursSelfCpu += cpuSeconds(RUSAGE_SELF) - self0;
            oursChildCpu += cpuSeconds(RUSAGE_CHILDREN) - child0;
        }
        if (!catcher->errors.empty()) {
            std::fprintf(stderr, "run failed: %s\n", catcher->errors.front().utf8().c_str());
            return false;
        }
        command = catcher->command;
        return true;
    };
    // The same command, started directly (its progress file is a plain file here).
    const auto runDirect = [&] {
        XWorkerProcess::ArgList direct = VACommandText::Split(command);
        for (std::size_t k = 0; k + 1 < direct.size(); ++k) {
            if (direct[k] == "-progress") {
                direct[k + 1] = XStr(dir + "/progress.txt");
            }
        }
        direct.back() = XStr(dir + "/direct.mp4");
        const double t1 = now();
        if (!run(direct)) {
            std::fprintf(stderr, "direct run failed\n");
            return false;
        }
        directWall.push_back(now() - t1);
        return true;
    };

    // One unmeasured run learns the command and warms every cache; then the two sides take
    // turns going first, so neither gains from its place in the order.
    if (!runOurs(false)) {
        return 1;
    }
    for (int i = 0; i < runs; ++i) {
        const bool oursFirst = i % 2 == 0;
        if (!(oursFirst ? runOurs(true) && runDirect() : runDirect() && runOurs(true))) {
            return 1;
        }
        std::printf("run %d: ours %.3f s, direct %.3f s (%s first)\n", i + 1, oursWall.back(),
                    directWall.back(), oursFirst ? "ours" : "direct");
    }
    const double mo = median(oursWall);
    const double md = median(directWall);
    std::printf("median wall: ours %.3f s, direct %.3f s, ratio %.4f\n", mo, md, mo / md);
    std::printf("CPU during our runs: this process %.3f s, FFmpeg %.3f s (%.3f%%)\n", oursSelfCpu,
                oursChildCpu, 100.0 * oursSelfCpu / oursChildCpu);
    std::string cleanup = "rm -rf '" + dir + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
