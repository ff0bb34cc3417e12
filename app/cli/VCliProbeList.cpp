#include "VCliProbeList.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include "VAFileInfoCache.h"
#include "VAProbeJob.h"
#include "VAProbeReport.h"
#include "XMainThread.h"
#include "XRunLoop.h"

namespace {

// What keeps a path from being probed at all; empty when ffprobe should look at it.
XStr problemBeforeProbe(const XStr& path, int64_t& size) {
    struct stat st {};
    if (::stat(path.utf8().c_str(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? XStr("no such file") : XStr(strerror(errno));
    }
    if (S_ISDIR(st.st_mode)) {
        return "a folder, not a file";
    }
    // ffprobe would wait for ever on a pipe, a socket or a terminal, or read a device to
    // no end.
    if (!S_ISREG(st.st_mode)) {
        return "not a regular file";
    }
    // ffprobe's own words for a file it cannot open would make it look like no media.
    if (const int refused = VAProbeJob::refusal(path); refused != 0) {
        return refused == EINVAL ? XStr("not a regular file") : XStr(strerror(refused));
    }
    size = st.st_size;
    return {};
}

// Nobody needs to be told; listening keeps the cache probing past its first files.
class Listener : public VAFileInfoCacheCallback {
public:
    void onInfosLoaded(std::size_t) override {}
};

}  // namespace

std::vector<VCliProbeList::Probed> VCliProbeList::probeAll(const XStrList& paths) {
    std::vector<Probed> results(paths.size());
    XStrList probed;
    std::vector<std::size_t> probedAt;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        results[i].path = paths[i];
        results[i].problem = problemBeforeProbe(paths[i], results[i].size);
        if (results[i].problem.empty()) {
            probed.push_back(paths[i]);
            probedAt.push_back(i);
        }
    }
    if (probed.empty()) {
        return results;
    }
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    {
        const std::unique_ptr<VAFileInfoCache> cache = VAFileInfoCache::initForURLs(probed);
        auto listener = std::make_shared<Listener>();
        cache->addCallback(listener);
        while (!loop->runUntil([&] { return cache->allLoaded(); }, 60000)) {
        }
        for (std::size_t k = 0; k < probed.size(); ++k) {
            Probed& p = results[probedAt[k]];
            p.info = cache->mediaInfoForIndex(k);
            // ffprobe describes every media file's streams; for anything else it has none.
            if (!p.info || !p.info->MediaProps().getTagString(VAProbeReport::kStreams)) {
                p.problem = p.size == 0 ? "empty file, not media" : "not a media file";
            }
        }
    }
    XMainThread::setPoster(nullptr);
    return results;
}
