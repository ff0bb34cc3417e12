// Probing 200 generated half-second files: the file information cache (several ffprobe
// children at once) against a sequential loop of the same ffprobe command, then a second
// listing served by the probe records kept on disk. Alternating rounds, medians printed.
//   bench_probe [rounds]   (default 5)
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
#include "VAFileInfoCache.h"
#include "VAMediaProbe.h"
#include "VAProbeCache.h"
#include "VAProbeJob.h"
#include "XRunLoop.h"
#include "XWorkerProcess.h"

namespace {

constexpr int kFiles = 200;

// Lists the files through a cache kept in `cacheFile`; answers the seconds it took.
double listThroughCache(XRunLoop& loop, const XStrList& files, const std::string& cacheFile) {
    VAFileInfoCache::Options options;
    options.probeCache = std::make_shared<VAProbeCache>(XStr(cacheFile));
    const double t0 = now();
    VAFileInfoCache cache(files, nullptr, options);
    if (!loop.runUntil([&] { return cache.allLoaded(); }, 600000)) {
        std::fprintf(stderr, "the cache did not finish\n");
        std::exit(1);
    }
    // The records are written to the file when the cache's worker ends, after this.
    return now() - t0;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    char folder[] = "/tmp/vantaro-bench-probe-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string dir = folder;
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    VAProbeCache::setSharedEnabled(false);

    const XStr ffmpeg = "/usr/bin/ffmpeg";
    XStrList files;
    std::printf("making %d half-second clips\n", kFiles);
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = dir + "/clip" + std::to_string(i) + ".mp4";
        if (!run({ffmpeg,
                  "-hide_banner",
                  "-loglevel",
                  "error",
                  "-y",
                  "-f",
                  "lavfi",
                  "-i",
                  "testsrc=size=160x120:rate=25:duration=0.5",
                  "-f",
                  "lavfi",
                  "-i",
                  "sine=duration=0.5",
                  "-metadata",
                  "title=clip " + std::to_string(i),
                  "-c:v",
                  "libx264",
                  "-preset",
                  "ultrafast",
                  "-c:a",
                  "aac",
                  XStr(path)})) {
            std::fprintf(stderr, "could not make %s\n", path.c_str());
            return 1;
        }
        files.emplace_back(path);
    }
    const XStr ffprobe = VAMediaProbe::ffprobePath();

    std::vector<double> cached, loopTimes, kept;
    for (int r = 0; r < rounds; ++r) {
        const std::string cacheFile = dir + "/cache" + std::to_string(r) + ".json";
        // First listing: nothing kept yet, every file is probed.
        cached.push_back(listThroughCache(*loop, files, cacheFile));
        // The same ffprobe command, one file after the other.
        const double t0 = now();
        for (const XStr& file : files) {
            std::string report;
            VAProbeJob::run(ffprobe, file, report);
        }
        loopTimes.push_back(now() - t0);
        // Second listing, as a later run of the program: records from the file on disk.
        kept.push_back(listThroughCache(*loop, files, cacheFile));
        std::printf("round %d: cache %.3f s, loop %.3f s, kept %.3f s\n", r + 1, cached.back(),
                    loopTimes.back(), kept.back());
    }
    const double mc = median(cached);
    const double ml = median(loopTimes);
    const double mk = median(kept);
    std::printf("median: first listing %.3f s, sequential loop %.3f s, second listing %.4f s\n", mc,
                ml, mk);
    std::printf("loop / first listing %.2fx; first / second listing %.1fx (%ld processors)\n",
                ml / mc, mc / mk, sysconf(_SC_NPROCESSORS_ONLN));
    XMainThread::setPoster(nullptr);
    const std::string cleanup = "rm -rf '" + dir + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
