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

uint64_t clAsyncReadFile::fileTimeOf(int64_t unixNs) {
    const int64_t ticks = unixNs / 100;
    const int64_t fileTime = static_cast<int64_t>(VAMediaFileInfo::kFileTimeUnixEpoch) + ticks;
    return fileTime > 0 ? static_cast<uint64_t>(fileTime) : 0;
}
