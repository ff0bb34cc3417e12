// The media information of one source file: its ID tags (the container's metadata), its
// media properties ("Length", "Bit Rate", "Resolution", ...), its length and modification
// time, all from one ffprobe report. Built once, then shared read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "VAFileInfoObject.h"
#include "VAFileStat.h"
#include "VAProbeJob.h"
#include "VATag.h"
#include "XStr.h"

class VAMediaFileInfo : public VAFileInfoObject {
public:
    // File time: 100-nanosecond ticks since 1601-01-01 UTC.
    static constexpr uint64_t fileTime1Second = 10000000;
    static constexpr uint64_t kFileTimeUnixEpoch = 116444736000000000;
    static uint64_t fileTimeNow();
    static uint64_t fileTimeFromUnix(int64_t seconds);

    // Nothing when there is no ffprobe. A stopFD that turns readable ends the probe.
    static std::shared_ptr<VAMediaFileInfo> readFromFile(const XStr& path, int stopFD = -1);
    // Never nothing: the empty record when there is no ffprobe.
    static std::shared_ptr<VAMediaFileInfo> infoForFile(const XStr& path, int stopFD = -1);
    // As infoForFile, without special elements and binary values among the ID tags.
    static std::shared_ptr<VAMediaFileInfo> readLiteInfoFromFile(const XStr& path);
    static std::shared_ptr<VAMediaFileInfo> empty();
    static std::shared_ptr<VAMediaFileInfo> infoWithIDTag(const VATag& tag, const XStr& url);

    VAMediaFileInfo() = default;

    // Stores the path and modification time, then probes. False when there is no ffprobe.
    bool initWithFile(const XStr& path, int stopFD = -1);
    // Replaces both tag sets with what a probe of url() finds.
    bool readFFmpegInfo(int stopFD = -1);
    // Replaces both tag sets and the length with what an ffprobe report holds.
    void readReport(std::string_view report);
    // Lets the record describe the file as stat found it (modification time in file time).
    void setFileStat(const std::optional<VAFileStat>& stat);

    XStr getIDTagValueOf(const XStr& name) const { return mIDTags.tag().GetString(name); }
    XStr getAudioPropsValueOf(const XStr& name) const { return mAudioProps.tag().GetString(name); }
    // A deep copy; the length goes along, which progress arithmetic needs.
    std::shared_ptr<VAMediaFileInfo> copy() const;

    const XStr& url() const { return mURL; }
    const VATag& IDTags() const { return mIDTags; }
    const VATag& MediaProps() const { return mAudioProps; }
    uint64_t lengthMS() const { return mLengthMS; }
    uint64_t lastModified() const { return mLastModified; }
    const XStr& formatName() const { return mFormatName; }
    // True when ffprobe ran to its end, so that the record says what the file is and may
    // be kept for the next time.
    bool probedCleanly() const { return mProbedCleanly; }

    void setURL(const XStr& url) { mURL = url; }
    void setIDTags(VATag tags) { mIDTags = std::move(tags); }
    void setMediaProps(VATag props) { mAudioProps = std::move(props); }
    void setLengthMS(uint64_t lengthMS) { mLengthMS = lengthMS; }
    void setLastModified(uint64_t fileTime) { mLastModified = fileTime; }
    void setFormatName(const XStr& name) { mFormatName = name; }
    void setProbedCleanly(bool clean) { mProbedCleanly = clean; }

private:
    VATag mIDTags;
    // Despite the name it holds the video properties too.
    VATag mAudioProps;
    XStr mFormatName;
    XStr mURL;
    uint64_t mLengthMS = 0;
    uint64_t mLastModified = 0;
    bool mProbedCleanly = false;
};
