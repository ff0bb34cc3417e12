// The destination check before a conversion of 10,000 sources, as the converter window runs
// it (snapshot, worker thread, result on the main thread): once with a naming that needs no
// metadata, once with a template of tags whose records come from the probe cache on disk.
// A tenth of the destinations exist already. Alternating rounds, medians printed.
//   bench_collision [rounds]   (default 5)
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "NTag.h"
#include "VAFileStat.h"
#include "VAProbeCache.h"
#include "VMCCheckingFilenamesProgress.h"
#include "VMCConfig.h"
#include "VVCCodecs.h"
#include "XRegistry.h"
#include "XRunLoop.h"

namespace {

constexpr int kSources = 10000;

void touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "x";
}

class Host : public VMCCheckingFilenamesHost {
public:
    explicit Host(const VMCConfig& config) : mConfig(config) {}
    std::vector<std::shared_ptr<const VAMediaFileInfo>> allInfosLoaded() const override {
        return {};
    }
    const VMCConfig& config() const override { return mConfig; }
    std::vector<VMCPreConvertEntry> conversionEntries() const override { return entries; }
    void checkFileNamesDone(bool anyExists, VMCCheckingFilenamesProgress* progress) override {
        done = true;
        found = anyExists;
        outputs = progress->state()->entries.size();
        existing = progress->state()->alreadyExists.size();
    }

    std::vector<VMCPreConvertEntry> entries;
    bool done = false;
    bool found = false;
    std::size_t outputs = 0;
    std::size_t existing = 0;

private:
    const VMCConfig& mConfig;
};

// One check of every source; answers the seconds from the view's loading to the result.
double runCheck(XRunLoop& loop, const VMCConfig& config,
                const std::vector<VMCPreConvertEntry>& entries,
                VMCCheckingFilenamesProgress::Prober prober, std::size_t expectExisting) {
    Host host(config);
    host.entries = entries;
    const double t0 = now();
    auto progress = VMCCheckingFilenamesProgress::initWithHost(&host);
    progress->setProber(std::move(prober));
    progress->viewDidLoad();
    if (!loop.runUntil([&] { return host.done; }, 600000)) {
        std::fprintf(stderr, "the check did not finish\n");
        std::exit(1);
    }
    const double seconds = now() - t0;
    if (host.outputs != entries.size() || host.existing != expectExisting) {
        std::fprintf(stderr, "unexpected result: %zu outputs, %zu existing\n", host.outputs,
                     host.existing);
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    char folder[] = "/tmp/vantaro-bench-collision-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string dir = folder;
    setenv("XCLASS_XREGISTRY_LOCATION", (dir + "/XRegistry").c_str(), 1);
    setenv("_APPDATA_OVERRIDE", (dir + "/data").c_str(), 1);
    XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
    VAProbeCache::setSharedEnabled(false);
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);

    // The sources, their probe records in a cache file, and a tenth of the outputs of both
    // namings already there.
    const std::string cacheFile = dir + "/ProbeCache.json";
    std::vector<VMCPreConvertEntry> entries;
    {
        VAProbeCache cache(XStr(cacheFile), kSources);
        for (int i = 0; i < kSources; ++i) {
            const std::string name = "clip" + std::to_string(i);
            const std::string path = dir + "/src/" + name + ".mov";
            touch(path);
            entries.push_back(VMCPreConvertEntry::withSource(VAConvertSource::withURL(XStr(path))));
            const std::string artist = "Artist " + std::to_string(i % 50);
            const std::string album = "Album " + std::to_string(i % 500);
            const std::string title = "Title " + std::to_string(i);
            VAMediaFileInfo info;
            info.setURL(XStr(path));
            NTag tags;
            tags.SetString("artist", XStr(artist));
            tags.SetString("album", XStr(album));
            tags.SetString("title", XStr(title));
            info.setIDTags(VATag(tags));
            info.setProbedCleanly(true);
            cache.store(info, *VAFileStat::of(XStr(path)));
            if (i % 10 == 0) {
                touch(dir + "/plain/" + name + ".mp4");
                touch(dir + "/tagged/" + artist + "/" + album + "/" + title + ".mp4");
            }
        }
        if (!cache.save()) {
            std::fprintf(stderr, "the probe cache could not be written\n");
            return 1;
        }
    }

    VMCConfig config(std::nullopt, VVCCodecs::listEncoders(true), {});
    config.setActiveProfileName("MP4 (H264)");
    VMCFileNaming plain = VMCFileNaming::namingPreservePath(XStr(dir + "/plain"));
    plain.setDynamicFormat("[origfilename]");
    VMCFileNaming tagged = VMCFileNaming::namingPreservePath(XStr(dir + "/tagged"));
    tagged.setDynamicFormat("[artist]/[album]/[title]");

    std::vector<double> plainTimes;
    std::vector<double> taggedTimes;
    for (int round = 0; round < rounds; ++round) {
        config.activeProfile()->setFileNaming(plain);
        plainTimes.push_back(runCheck(*loop, config, entries, nullptr, kSources / 10));
        // A cache read from its file as a new run of the program reads it.
        config.activeProfile()->setFileNaming(tagged);
        auto cache = std::make_shared<VAProbeCache>(XStr(cacheFile), kSources);
        taggedTimes.push_back(runCheck(
            *loop, config, entries,
            [cache](const XStr& path, int stopFD) -> std::shared_ptr<const VAMediaFileInfo> {
                return cache->infoForFile(path, stopFD);
            },
            kSources / 10));
    }
    std::printf("%d sources, %d rounds\n", kSources, rounds);
    std::printf("without metadata:               median %.3f s\n", median(plainTimes));
    std::printf("metadata template, probe cache: median %.3f s\n", median(taggedTimes));
    std::filesystem::remove_all(dir);
    return 0;
}
