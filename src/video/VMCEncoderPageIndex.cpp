#include "VMCEncoderPageIndex.h"

#include <functional>

#include "VVCEncoderPage3GP.h"
#include "VVCEncoderPageAVI.h"
#include "VVCEncoderPageApple.h"
#include "VVCEncoderPageCustom.h"
#include "VVCEncoderPageExtractAudioAAC.h"
#include "VVCEncoderPageExtractAudioMP3.h"
#include "VVCEncoderPageExtractAudioWAV.h"
#include "VVCEncoderPageFlash.h"
#include "VVCEncoderPageGIF.h"
#include "VVCEncoderPageH264.h"
#include "VVCEncoderPageH265.h"
#include "VVCEncoderPageRemux.h"
#include "VVCEncoderPageVOB.h"
#include "VVCEncoderPageVP8.h"
#include "VVCEncoderPageVP9.h"
#include "VVCEncoderPageWMV.h"

#include <map>
#include <mutex>

namespace {

using Factory = VMCEncoderPageIndex::Factory;

struct Entry {
    const char* name;
    Factory make;
};

template <class Page>
Factory hostOnly() {
    return [](VMCEncoderPageHost* host) { return std::make_unique<Page>(host); };
}

template <class Page>
Factory withFormat(const char* format) {
    return [format](VMCEncoderPageHost* host) { return std::make_unique<Page>(host, format); };
}

Factory apple(const char* format, const char* codec) {
    return [format, codec](VMCEncoderPageHost* host) {
        return std::make_unique<VVCEncoderPageApple>(host, format, codec);
    };
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = {
        {"AVI", hostOnly<VVCEncoderPageAVI>()},
        {"GIF Animation", hostOnly<VVCEncoderPageGIF>()},
        {"MP4 (copy, no encoding)", withFormat<VVCEncoderPageRemux>("mp4")},
        {"Matroska (copy, no encoding)", withFormat<VVCEncoderPageRemux>("matroska")},
        {"WMV (Windows Media Video)", hostOnly<VVCEncoderPageWMV>()},
        {"Matroska (VP9)", withFormat<VVCEncoderPageVP9>("matroska")},
        {"Audio Extract (WAVE)", hostOnly<VVCEncoderPageExtractAudioWAV>()},
        {"WebM (VP8)", withFormat<VVCEncoderPageVP8>("webm")},
        {"WebM (VP9)", withFormat<VVCEncoderPageVP9>("webm")},
        {"Flash Video", hostOnly<VVCEncoderPageFlash>()},
        {"Audio Extract (AAC)", hostOnly<VVCEncoderPageExtractAudioAAC>()},
        {"Audio Extract (MP3)", hostOnly<VVCEncoderPageExtractAudioMP3>()},
        {"MP4 (Apple H264)", apple("mp4", "H264")},
        {"MP4 (Apple H265)", apple("mp4", "H265")},
        {"Matroska (Apple H264)", apple("matroska", "H264")},
        {"Matroska (Apple H265)", apple("matroska", "H265")},
        {"[Custom FFmpeg settings]", hostOnly<VVCEncoderPageCustom>()},
        {"3GP", hostOnly<VVCEncoderPage3GP>()},
        {"Matroska (H264)", withFormat<VVCEncoderPageH264>("matroska")},
        {"Matroska (H265)", withFormat<VVCEncoderPageH265>("matroska")},
        {"MOV (Quicktime Movie)", withFormat<VVCEncoderPageH264>("mov")},
        {"MP4 (H264)", withFormat<VVCEncoderPageH264>("mp4")},
        {"MP4 (H265)", withFormat<VVCEncoderPageH265>("mp4")},
        {"VOB", hostOnly<VVCEncoderPageVOB>()},
    };
    return table;
}

std::mutex gRegisteredMutex;

std::map<XStr, Factory>& registered() {
    static std::map<XStr, Factory> table;
    return table;
}

Factory find(const XStr& name) {
    for (const Entry& entry : entries()) {
        if (name == entry.name) {
            return entry.make;
        }
    }
    const std::lock_guard<std::mutex> lock(gRegisteredMutex);
    const auto it = registered().find(name);
    return it == registered().end() ? Factory() : it->second;
}

}  // namespace

std::unique_ptr<VMCEncoderPage> VMCEncoderPageIndex::createFor(const XStr& name,
                                                               VMCEncoderPageHost* host) {
    const Factory make = find(name);
    if (!make || host == nullptr) {
        return nullptr;
    }
    return make(host);
}

bool VMCEncoderPageIndex::hasPageFor(const XStr& name) {
    return static_cast<bool>(find(name));
}

void VMCEncoderPageIndex::registerPage(const XStr& name, Factory make) {
    const std::lock_guard<std::mutex> lock(gRegisteredMutex);
    registered()[name] = std::move(make);
}
