#include "clAsyncReadFile.h"

#include "VAProbeReport.h"

std::shared_ptr<const VAMediaFileInfo> clAsyncReadFile::readInfo(
    const XStr& url, const std::shared_ptr<VAProbeCache>& cache) {
    std::shared_ptr<VAMediaFileInfo> info =
        cache ? cache->infoForFile(url) : VAMediaFileInfo::readLiteInfoFromFile(url);
    // ffprobe describes the streams of every media file and of nothing else.
    if (!info || !info->MediaProps().getTagString(VAProbeReport::kStreams)) {
        return nullptr;
    }
    return info;
}

std::shared_ptr<const VAMediaFileInfo> clAsyncReadFile::readInfo(
    const XStr& url, const std::shared_ptr<VAProbeCache>& cache, int64_t size, int64_t modifiedNs) {
    if (cache) {
        VAFileStat stat;
        stat.size = size;
        stat.modifiedSeconds = modifiedNs / 1000000000;
        stat.modifiedNanoseconds = modifiedNs % 1000000000;
        if (std::shared_ptr<VAMediaFileInfo> kept = cache->find(url, stat)) {
            if (kept->MediaProps().getTagString(VAProbeReport::kStreams)) {
                return kept;
            }
            return nullptr;
        }
    }
    return readInfo(url, cache);
}

uint64_t clAsyncReadFile::fileTimeOf(int64_t unixNs) {
    const int64_t ticks = unixNs / 100;
    const int64_t fileTime = static_cast<int64_t>(VAMediaFileInfo::kFileTimeUnixEpoch) + ticks;
    return fileTime > 0 ? static_cast<uint64_t>(fileTime) : 0;
}
