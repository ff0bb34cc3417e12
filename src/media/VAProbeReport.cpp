#include "VAProbeReport.h"

#include <cmath>
#include <limits>
#include <numeric>

#include "VADurationFormat.h"
#include "VANumberFormat.h"

namespace {

// Numbers of a report may be anything; out-of-range ones saturate instead of overflowing.
int truncInt(double v) {
    if (!(v == v)) {
        return 0;
    }
    if (v >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (v <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(v);
}

int64_t truncInt64(double v) {
    constexpr double kLimit = 9.2e18;
    if (!(v == v)) {
        return 0;
    }
    if (v >= kLimit) {
        return static_cast<int64_t>(kLimit);
    }
    if (v <= -kLimit) {
        return -static_cast<int64_t>(kLimit);
    }
    return static_cast<int64_t>(v);
}

uint64_t lengthOf(const XStr& duration) {
    const double ms = duration.toDouble() * 1000.0;
    return ms > 0 ? static_cast<uint64_t>(truncInt64(ms)) : 0;
}

const XStr& stringOf(const XJSON::Object& object, const char* name) {
    return object.Find(name).AsString().Value;
}

double numberOf(const XJSON::Object& object, const char* name) {
    return object.Find(name).AsNumber().Value;
}

// Appends the element unless the first stream of its kind has set it already.
void addOnce(NTag& props, const char* name, const XStr& value) {
    if (props.FindElement(name) == nullptr) {
        props.AddElement(name, value);
    }
}

XStr streamType(const XStr& codecType) {
    if (codecType.empty()) {
        return "(unknown)";
    }
    XStr type = codecType;
    if (type[0] >= U'a' && type[0] <= U'z') {
        type[0] = type[0] - 32;
    }
    return type;
}

void addVideoProps(const XJSON::Object& stream, NTag& props) {
    addOnce(props, VAProbeReport::kProfile, stringOf(stream, "profile"));
    const int width = truncInt(numberOf(stream, "width"));
    const int height = truncInt(numberOf(stream, "height"));
    if (width != 0 && height != 0) {
        addOnce(props, VAProbeReport::kResolution, XStr::format("%d x %d", width, height));
    }
    const XStr& dar = stringOf(stream, "display_aspect_ratio");
    addOnce(props, VAProbeReport::kAspectRatio,
            !dar.empty() ? dar : VAProbeReport::aspectRatioText(width, height));
    XStr rate = stringOf(stream, "r_frame_rate");
    if (rate.empty()) {
        rate = stringOf(stream, "avg_frame_rate");
    }
    addOnce(props, VAProbeReport::kFrameRate, VAProbeReport::frameRateText(rate));
    addOnce(props, VAProbeReport::kPixelFormat, stringOf(stream, "pix_fmt"));
    addOnce(props, VAProbeReport::kColorSpace, stringOf(stream, "color_space"));
    const XStr& frames = stringOf(stream, "nb_frames");
    if (!frames.empty()) {
        addOnce(props, VAProbeReport::kFrameCount, frames);
    }
}

void addAudioProps(const XJSON::Object& stream, NTag& props) {
    const int channels = truncInt(numberOf(stream, "channels"));
    if (channels != 0) {
        addOnce(props, VAProbeReport::kChannels, XStr::number(channels));
    }
    const XStr& rate = stringOf(stream, "sample_rate");
    if (rate.toInt64() != 0) {
        addOnce(props, VAProbeReport::kSampleRate, rate);
    }
    const XStr& bits = stringOf(stream, "bits_per_sample");
    if (bits.toInt64() != 0) {
        addOnce(props, VAProbeReport::kSampleSize, bits);
    }
}

}  // namespace

bool VAProbeReport::read(std::string_view utf8, NTag& idTags, NTag& props, uint64_t& lengthMS) {
    const XJSON::Owned report = XJSON::ParseUtf8(utf8);
    // For a file it cannot read ffprobe prints an empty object: no report either.
    if (!report || (!report->AsObject().Has("format") && !report->AsObject().Has("streams"))) {
        return false;
    }
    read(*report, idTags, props, lengthMS);
    return true;
}

void VAProbeReport::read(const XJSON::AnyType& report, NTag& idTags, NTag& props,
                         uint64_t& lengthMS) {
    const XJSON::Object& format = report.AsObject().Find("format").AsObject();
    lengthMS = lengthOf(stringOf(format, "duration"));

    const XJSON::Object& tags = format.Find("tags").AsObject();
    for (std::size_t i = 0; i < tags.Count(); ++i) {
        if (!tags.NameAt(i).empty()) {
            idTags.AddElement(tags.NameAt(i), tags.ValueAt(i).AsString().Value);
        }
    }

    props.RemoveByName(kLength);
    props.AddElement(kLength, VADurationFormat::clock(lengthMS));
    const int64_t bitRate = stringOf(format, "bit_rate").toInt64();
    props.AddElement(kBitRate, VANumberFormat::grouped(bitRate / 1000) + " kbps");

    XStr description;
    const XJSON::Array& streams = report.AsObject().Find("streams").AsArray();
    for (std::size_t i = 0; i < streams.Count(); ++i) {
        const XJSON::Object& stream = streams.At(i).AsObject();
        const XStr type = streamType(stringOf(stream, "codec_type"));
        if (!description.empty()) {
            description += "; ";
        }
        description += XStr::format("%zu ", i) + type + " : " + stringOf(stream, "codec_long_name");
        if (type.equalsNoCase("video")) {
            addVideoProps(stream, props);
        } else if (type.equalsNoCase("audio")) {
            addAudioProps(stream, props);
        }
    }
    if (!description.empty()) {
        props.AddElement(kStreams, description);
    }
}

XStr VAProbeReport::frameRateText(const XStr& rate) {
    const XStrList parts = rate.split(U'/');
    if (parts.size() != 2) {
        return rate;
    }
    double divisor = parts[1].toDouble();
    if (divisor == 0) {
        divisor = 1;
    }
    const int64_t hundredths = truncInt64(parts[0].toDouble() / divisor * 100.0);
    if (hundredths % 100 == 0) {
        return XStr::number(hundredths / 100);
    }
    return XStr::format("%.2f", static_cast<double>(hundredths) / 100.0);
}

XStr VAProbeReport::aspectRatioText(int width, int height) {
    if (width < 1 || height < 1) {
        return XStr();
    }
    const int divisor = std::gcd(width, height);
    const int w = width / divisor;
    const int h = height / divisor;
    if (w == 8 && h == 5) {
        return "16:10";
    }
    return XStr::format("%i:%i", w, h);
}
