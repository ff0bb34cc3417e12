// Reading ffprobe's JSON report ("-of json -show_format -show_streams") into the file's ID
// tags, its media properties and its length. Report text is outside input: anything that
// is not a report reads as no information, never as a failure.
#pragma once

#include <cstdint>
#include <string_view>

#include "NTag.h"
#include "XJSON.h"

class VAProbeReport {
public:
    // The media property names every layer shares.
    static constexpr const char* kLength = "Length";
    static constexpr const char* kBitRate = "Bit Rate";
    static constexpr const char* kProfile = "Profile";
    static constexpr const char* kResolution = "Resolution";
    static constexpr const char* kAspectRatio = "Aspect Ratio";
    static constexpr const char* kFrameRate = "Frame Rate";
    static constexpr const char* kPixelFormat = "Pixel Format";
    static constexpr const char* kColorSpace = "Color Space";
    static constexpr const char* kFrameCount = "Frame Count";
    static constexpr const char* kChannels = "Channels";
    static constexpr const char* kSampleRate = "Sample Rate";
    static constexpr const char* kSampleSize = "Sample Size";
    static constexpr const char* kStreams = "Streams";

    // Appends what the report holds. Without a report (no JSON, or a document with neither
    // "format" nor "streams", which is what ffprobe prints for a file that is no media)
    // both sets and the length stay untouched and the answer is false.
    static bool read(std::string_view utf8, NTag& idTags, NTag& props, uint64_t& lengthMS);
    static void read(const XJSON::AnyType& report, NTag& idTags, NTag& props, uint64_t& lengthMS);

    // "25", "29.97" from "25/1", "30000/1001"; other texts unchanged.
    static XStr frameRateText(const XStr& rate);
    // Reduced width:height, 8:5 written 16:10; empty unless both are at least 1.
    static XStr aspectRatioText(int width, int height);
};
