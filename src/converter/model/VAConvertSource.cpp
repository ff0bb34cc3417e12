#include "VAConvertSource.h"

#include <mutex>

#include "VAMediaFileInfo.h"
#include "VAProbeCache.h"
#include "XPath.h"

namespace {

// Through the program's probe cache when it has one, so a file listed before is not
// probed again for its length.
int64_t probeWithFFprobe(const XStr& path, int stopFD) {
    const std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared();
    const std::shared_ptr<VAMediaFileInfo> info =
        cache ? cache->infoForFile(path, stopFD) : VAMediaFileInfo::readFromFile(path, stopFD);
    return info ? static_cast<int64_t>(info->lengthMS()) : 0;
}

std::mutex gProberMutex;
VAConvertSource::LengthProber gProber = probeWithFFprobe;

}  // namespace

VAConvertSource::VAConvertSource(const XStr& path) : urlPerceived(path), urlForConversion(path) {}

VAConvertSource::~VAConvertSource() = default;

XStr VAConvertSource::strPerceivedFilename() const {
    if (mPerceivedFilename) {
        return *mPerceivedFilename;
    }
    return XPath::fileName(urlPerceived);
}

int64_t VAConvertSource::probeLength(int stopFD) const {
    return probeLengthOf(urlForConversion, stopFD);
}

std::shared_ptr<VAConvertSource> VAConvertSource::withURL(const XStr& path) {
    return std::make_shared<VAConvertSource>(path);
}

std::vector<std::shared_ptr<VAConvertSource>> VAConvertSource::transformURLs(
    const std::vector<Item>& items) {
    std::vector<std::shared_ptr<VAConvertSource>> sources;
    for (const Item& item : items) {
        if (const auto* source = std::get_if<std::shared_ptr<VAConvertSource>>(&item)) {
            if (*source) {
                sources.push_back(*source);
            }
        } else if (const XStr& path = std::get<XStr>(item); !path.empty()) {
            sources.push_back(withURL(path));
        }
    }
    return sources;
}

std::optional<XStr> VAConvertSource::grabURL(const Item& item) {
    if (const auto* source = std::get_if<std::shared_ptr<VAConvertSource>>(&item)) {
        if (*source && !(*source)->urlPerceived.empty()) {
            return (*source)->urlPerceived;
        }
        return std::nullopt;
    }
    const XStr& path = std::get<XStr>(item);
    if (path.empty()) {
        return std::nullopt;
    }
    return path;
}

XStrList VAConvertSource::grabURLs(const std::vector<Item>& items) {
    XStrList paths;
    for (const Item& item : items) {
        if (std::optional<XStr> path = grabURL(item)) {
            paths.push_back(std::move(*path));
        }
    }
    return paths;
}

void VAConvertSource::setLengthProber(LengthProber prober) {
    const std::lock_guard<std::mutex> lock(gProberMutex);
    gProber = std::move(prober);
}

int64_t VAConvertSource::probeLengthOf(const XStr& path, int stopFD) {
    LengthProber prober;
    {
        const std::lock_guard<std::mutex> lock(gProberMutex);
        prober = gProber;
    }
    if (!prober) {
        return 0;
    }
    // A failed probe counts as unknown; a negative length is no length either.
    const int64_t lengthMS = prober(path, stopFD);
    return lengthMS > 0 ? lengthMS : 0;
}
