// Listing and collecting a tree of 20,000 media files in 2,000 folders through the batch
// converter's folder tree (a Recursive root, everything loaded on the spot), against
// `find` on the same tree; then the same collection with a property filter whose answers
// come from the probe cache (in memory, and read from its file first). Alternating rounds,
// medians printed.
//   bench_batch [rounds]   (default 5)
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "VAFileStat.h"
#include "VAProbeCache.h"
#include "VAProbeReport.h"
#include "VMCBatchSelection.h"
#include "VMCFileListGrabber.h"

namespace {

constexpr int kTop = 40;
constexpr int kPerTop = 50;
constexpr int kFilesPerFolder = 10;

// The files `find` lists.
double timeFind(const std::string& root, std::size_t& count) {
    const std::string command = "find '" + root + "' -type f -name '*.mp4'";
    const double t0 = now();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        std::exit(1);
    }
    count = 0;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        ++count;
    }
    pclose(pipe);
    return now() - t0;
}

double timeCollect(const std::string& root, const VMCFileFilter& filter,
                   const std::shared_ptr<VAProbeCache>& cache, std::size_t& count) {
    const double t0 = now();
    auto globals = std::make_shared<folderListGlobals>(std::weak_ptr<clFolderListOwner>(),
                                                       VAMediaFormatFilter::init(true));
    globals->setFileFilter(filter);
    globals->setProbeCache(cache);
    XPropertyDictionary selection;
    selection.set(XStr(root), XStr("Recursive"));
    const auto roots = VMCBatchSelection::makeRoots(selection, globals);
    count = VMCFileListGrabber::collect(roots, true).urls.size();
    return now() - t0;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    char folder[] = "/tmp/vantaro-bench-batch-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string root = std::string(folder) + "/tree";
    mkdir(root.c_str(), 0755);
    std::printf("making %d folders of %d files\n", kTop * kPerTop, kFilesPerFolder);
    const std::string cacheFile = std::string(folder) + "/ProbeCache.json";
    auto cache = std::make_shared<VAProbeCache>(XStr(cacheFile), 30000);
    int n = 0;
    for (int t = 0; t < kTop; ++t) {
        const std::string top = root + "/Season " + std::to_string(t);
        mkdir(top.c_str(), 0755);
        for (int s = 0; s < kPerTop; ++s) {
            const std::string dir = top + "/Disc " + std::to_string(s);
            mkdir(dir.c_str(), 0755);
            for (int f = 0; f < kFilesPerFolder; ++f, ++n) {
                const std::string path = dir + "/Episode " + std::to_string(f) + ".mp4";
                FILE* file = std::fopen(path.c_str(), "w");
                std::fputs("stand-in", file);
                std::fclose(file);
                // A probe record as ffprobe would have left it.
                VAMediaFileInfo info;
                info.setURL(XStr(path));
                NTag props;
                props.SetString(VAProbeReport::kStreams, "1 Video : H.264");
                props.SetString(VAProbeReport::kResolution,
                                n % 2 == 0 ? "640 x 360" : "1920 x 1080");
                info.setMediaProps(VATag(props));
                info.setProbedCleanly(true);
                cache->store(info, *VAFileStat::of(XStr(path)));
            }
        }
    }
    if (!cache->save()) {
        std::fprintf(stderr, "the probe cache could not be written\n");
        return 1;
    }
    VMCFileFilter none;
    VMCFileFilter byResolution;
    byResolution.setFilterMeta(VAProbeReport::kResolution, VMCFileFilter::ValueSet{"640 x 360"});

    std::vector<double> finds, plain, filtered, fromDisk;
    for (int r = 0; r < rounds; ++r) {
        std::size_t found = 0;
        std::size_t listed = 0;
        std::size_t kept = 0;
        std::size_t keptCold = 0;
        finds.push_back(timeFind(root, found));
        plain.push_back(timeCollect(root, none, cache, listed));
        filtered.push_back(timeCollect(root, byResolution, cache, kept));
        // As a later run of the program: the records are read from the cache's file first.
        const double t0 = now();
        auto cold = std::make_shared<VAProbeCache>(XStr(cacheFile), 30000);
        timeCollect(root, byResolution, cold, keptCold);
        fromDisk.push_back(now() - t0);
        if (found != 20000 || listed != found || kept != found / 2 || keptCold != kept) {
            std::fprintf(stderr, "counts differ: find %zu, tree %zu, filtered %zu / %zu\n", found,
                         listed, kept, keptCold);
            return 1;
        }
        std::printf("round %d: find %.3f s, tree %.3f s, filtered %.3f s, cache from disk %.3f s\n",
                    r + 1, finds.back(), plain.back(), filtered.back(), fromDisk.back());
    }
    const double f = median(finds);
    const double p = median(plain);
    const double k = median(filtered);
    const double d = median(fromDisk);
    std::printf(
        "median: find %.3f s, tree %.3f s (%.2fx find), filtered from the probe cache "
        "%.3f s (%.2fx find), with the cache read from disk %.3f s (%.2fx find)\n",
        f, p, p / f, k, k / f, d, d / f);
    const std::string cleanup = "rm -rf '" + std::string(folder) + "'";
    return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
