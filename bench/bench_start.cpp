// The time from the start of `vantaro convert` to the exec of the FFmpeg of its first job,
// with nothing remembered about FFmpeg yet (an empty application data folder) and with
// everything remembered from the run before. FFmpeg on PATH is bench_standin_ffmpeg under
// the name "ffmpeg": it notes the time and the arguments it was started with, then becomes the
// real FFmpeg. Runs alternate cold and warm; prints the medians per way of choosing the
// encoder, and against starting FFmpeg directly.
//   bench_start [runs]   (default 9; VANTARO=path/to/vantaro to choose the build)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "BenchSupport.h"
#include "VALocateFFmpeg.h"
#include "XWorkerProcess.h"

namespace {

constexpr const char* kLogVar = "VANTARO_BENCH_EXEC_LOG";
constexpr const char* kRealVar = "VANTARO_BENCH_REAL_FFMPEG";

// Milliseconds from t0 to the logged start of the FFmpeg that reads the source; negative
// when there is none.
double firstJobMs(const std::string& log, const std::string& source, int64_t t0, int* otherRuns) {
    std::ifstream in(log);
    std::string line;
    *otherRuns = 0;
    while (std::getline(in, line)) {
        if (line.find(source) == std::string::npos) {
            ++*otherRuns;
            continue;
        }
        return static_cast<double>(std::stoll(line.substr(0, line.find(' '))) - t0) / 1e6;
    }
    return -1;
}

struct Way {
    const char* name;
    std::vector<const char*> args;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const char* chosen = std::getenv("VANTARO");
    const std::string vantaro =
        chosen != nullptr ? chosen : folderOf(selfPath()) + "/../app/cli/vantaro";
    if (access(vantaro.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "No vantaro at %s: set VANTARO\n", vantaro.c_str());
        return 2;
    }
    const XStr real = VALocateFFmpeg::locateFFmpeg();

    char folder[] = "/tmp/vantaro-bench-start-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string dir = folder;
    const std::string bin = dir + "/bin";
    const std::string data = dir + "/data";
    const std::string log = dir + "/exec.log";
    const std::string source = dir + "/clip.mov";
    mkdir(bin.c_str(), 0755);
    mkdir((dir + "/out").c_str(), 0755);
    mkdir((dir + "/tmp").c_str(), 0755);
    if (symlink((folderOf(selfPath()) + "/bench_standin_ffmpeg").c_str(),
                (bin + "/ffmpeg").c_str()) != 0 ||
        !run({real, "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
              "testsrc2=size=160x120:rate=10:duration=0.5", "-c:v", "mpeg4", XStr(source)})) {
        std::fprintf(stderr, "could not prepare %s\n", dir.c_str());
        return 1;
    }
    const char* path = std::getenv("PATH");
    setenv("PATH", (bin + ":" + (path != nullptr ? path : "/usr/bin:/bin")).c_str(), 1);
    setenv("_APPDATA_OVERRIDE", data.c_str(), 1);
    setenv("XTempFolderScope_Location", (dir + "/tmp").c_str(), 1);
    setenv(kLogVar, log.c_str(), 1);
    setenv(kRealVar, real.utf8().c_str(), 1);

    // Typed arguments (the encoders are asked for in the job), a catalogue encoder (asked
    // for while planning) and a platform encoder (replaced after trial encodes).
    const std::vector<Way> ways = {
        {"typed arguments", {"--encoder-args", "-c:v mpeg4 -q:v 8"}},
        {"catalogue encoder", {"--encoder", "MP4 (H264)", "--set", "advanced.preset=Ultra fast"}},
        {"platform encoder", {"--encoder", "MP4 (Apple H264)"}},
    };
    std::printf("%s; FFmpeg %s; %d runs of each, cold and warm alternating, %ld processors\n",
                vantaro.c_str(), real.utf8().c_str(), runs, sysconf(_SC_NPROCESSORS_ONLN));
    // What no program can beat on this machine now: FFmpeg started directly, with no
    // program in between.
    std::vector<double> floor;
    for (int i = 0; i < runs; ++i) {
        unlink(log.c_str());
        const auto t0 = static_cast<int64_t>(now() * 1e9);
        int others = 0;
        if (!run({XStr(bin + "/ffmpeg"), "-hide_banner", "-loglevel", "quiet", "-i", XStr(source),
                  "-frames:v", "1", "-f", "null", "-"})) {
            std::fprintf(stderr, "FFmpeg failed\n");
            return 1;
        }
        floor.push_back(firstJobMs(log, source, t0, &others));
    }
    std::printf("%-18s median %7.1f ms\n", "FFmpeg directly", median(floor));
    bool failed = false;
    for (const Way& way : ways) {
        std::vector<double> cold, warm;
        int coldOthers = 0, warmOthers = 0;
        for (int i = 0; i < 2 * runs; ++i) {
            const bool isCold = i % 2 == 0;
            if (isCold) {
                std::filesystem::remove_all(data);
            }
            unlink(log.c_str());
            XWorkerProcess::ArgList args = {XStr(vantaro), "convert", "--overwrite", "-o",
                                            XStr(dir + "/out")};
            for (const char* a : way.args) {
                args.push_back(a);
            }
            args.push_back(XStr(source));
            const auto t0 = static_cast<int64_t>(now() * 1e9);
            if (!run(args)) {
                std::fprintf(stderr, "%s: vantaro failed\n", way.name);
                failed = true;
                break;
            }
            int others = 0;
            const double ms = firstJobMs(log, source, t0, &others);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no FFmpeg read the source\n", way.name);
                failed = true;
                break;
            }
            (isCold ? cold : warm).push_back(ms);
            (isCold ? coldOthers : warmOthers) = others;
        }
        if (cold.empty() || warm.empty()) {
            continue;
        }
        std::ostringstream all;
        for (double ms : warm) {
            all << ' ' << static_cast<int>(ms + 0.5);
        }
        std::printf(
            "%-18s cold median %7.1f ms (%d FFmpeg runs before)   warm median %6.1f ms "
            "(%d before)   warm runs:%s\n",
            way.name, median(cold), coldOthers, median(warm), warmOthers, all.str().c_str());
    }
    std::filesystem::remove_all(dir);
    return failed ? 1 : 0;
}
