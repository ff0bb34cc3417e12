#include "VAMediaFileInfo.h"

#include <ctime>

#include "VAMediaProbe.h"
#include "VAProbeReport.h"

uint64_t VAMediaFileInfo::fileTimeNow() {
    return fileTimeFromUnix(static_cast<int64_t>(std::time(nullptr)));
}

uint64_t VAMediaFileInfo::fileTimeFromUnix(int64_t seconds) {
    return static_cast<uint64_t>(seconds) * fileTime1Second + kFileTimeUnixEpoch;
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::readFromFile(const XStr& path, int stopFD) {
    auto info = std::make_shared<VAMediaFileInfo>();
    if (!info->initWithFile(path, stopFD)) {
        return nullptr;
    }
    return info;
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::infoForFile(const XStr& path, int stopFD) {
    std::shared_ptr<VAMediaFileInfo> info = readFromFile(path, stopFD);
    return info ? info : empty();
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::readLiteInfoFromFile(const XStr& path) {
    std::shared_ptr<VAMediaFileInfo> info = readFromFile(path);
    if (!info) {
        return empty();
    }
    NTag ids = info->mIDTags.tag();
    ids.RemoveSpecial(0);
    ids.RemoveBinary();
    info->mIDTags = VATag(std::move(ids));
    return info;
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::empty() {
    return std::make_shared<VAMediaFileInfo>();
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::infoWithIDTag(const VATag& tag, const XStr& url) {
    std::shared_ptr<VAMediaFileInfo> info = empty();
    info->mIDTags = tag;
    info->mURL = url;
    return info;
}

bool VAMediaFileInfo::initWithFile(const XStr& path, int stopFD) {
    mURL = path;
    const std::optional<VAFileStat> stat = VAFileStat::of(path);
    setFileStat(stat);
    if (stat && stat->waits) {
        // Nothing to learn from a pipe, and ffprobe would wait for a writer.
        mIDTags = VATag();
        mAudioProps = VATag();
        return true;
    }
    return readFFmpegInfo(stopFD);
}

void VAMediaFileInfo::setFileStat(const std::optional<VAFileStat>& stat) {
    mLastModified = stat ? fileTimeFromUnix(stat->modifiedSeconds) : 0;
}

bool VAMediaFileInfo::readFFmpegInfo(int stopFD) {
    NTag ids;
    NTag props;
    uint64_t lengthMS = mLengthMS;
    const VAProbeJob::Outcome outcome = VAMediaProbe::probe(mURL, ids, props, lengthMS, stopFD);
    mIDTags = VATag(std::move(ids));
    mAudioProps = VATag(std::move(props));
    mLengthMS = lengthMS;
    mProbedCleanly = outcome == VAProbeJob::Outcome::kFinished;
    return outcome != VAProbeJob::Outcome::kNotStarted;
}

void VAMediaFileInfo::readReport(std::string_view report) {
    NTag ids;
    NTag props;
    VAProbeReport::read(report, ids, props, mLengthMS);
    mIDTags = VATag(std::move(ids));
    mAudioProps = VATag(std::move(props));
}

std::shared_ptr<VAMediaFileInfo> VAMediaFileInfo::copy() const {
    return std::make_shared<VAMediaFileInfo>(*this);
}
