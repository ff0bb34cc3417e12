#include "VAProbeReport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Read {
    NTag ids;
    NTag props;
    uint64_t lengthMS = 0;
    bool json = false;
};

Read readReport(const std::string& report) {
    Read r;
    r.json = VAProbeReport::read(report, r.ids, r.props, r.lengthMS);
    return r;
}

XStrList listing(const NTag& tag) {
    XStrList lines;
    for (const NTag::Element& e : tag.Elements()) {
        lines.push_back(e.name + "=" + e.value);
    }
    return lines;
}

// A report with the given format members and streams, the way ffprobe lays it out.
std::string report(const std::string& format, const std::string& streams) {
    return "{\n    \"streams\": [" + streams + "],\n    \"format\": {" + format + "}\n}\n";
}

const char* const kHDVideo =
    R"({"index": 0, "codec_name": "h264", "codec_long_name": "H.264 / AVC / MPEG-4 AVC",
        "profile": "High", "codec_type": "video", "width": 1920, "height": 1080,
        "display_aspect_ratio": "16:9", "pix_fmt": "yuv420p", "color_space": "bt709",
        "r_frame_rate": "30000/1001", "avg_frame_rate": "30000/1001", "nb_frames": "300"})";
const char* const kStereoAAC =
    R"j({"index": 1, "codec_long_name": "AAC (Advanced Audio Coding)", "codec_type": "audio",
        "sample_rate": "48000", "channels": 2, "bits_per_sample": 0})j";

}  // namespace

TEST(VAProbeReport, AVideoAndAnAudioStreamGiveEveryPropertyInOrder) {
    const Read r = readReport(report(
        R"("duration": "10.010000", "bit_rate": "5123456",
           "tags": {"major_brand": "isom", "title": "Hello", "artist": "Me", "encoder": "Lavf"})",
        std::string(kHDVideo) + "," + kStereoAAC));
    EXPECT_TRUE(r.json);
    EXPECT_EQ(r.lengthMS, 10010u);
    EXPECT_EQ(listing(r.ids),
              (XStrList{"major_brand=isom", "title=Hello", "artist=Me", "encoder=Lavf"}));
    EXPECT_EQ(
        listing(r.props),
        (XStrList{"Length=0:10", "Bit Rate=5,123 kbps", "Profile=High", "Resolution=1920 x 1080",
                  "Aspect Ratio=16:9", "Frame Rate=29.97", "Pixel Format=yuv420p",
                  "Color Space=bt709", "Frame Count=300", "Channels=2", "Sample Rate=48000",
                  "Streams=0 Video : H.264 / AVC / MPEG-4 AVC; "
                  "1 Audio : AAC (Advanced Audio Coding)"}));
}

TEST(VAProbeReport, MissingAspectRatioIsReducedFromTheSize) {
    EXPECT_EQ(VAProbeReport::aspectRatioText(1280, 800), "16:10");
    EXPECT_EQ(VAProbeReport::aspectRatioText(1920, 1080), "16:9");
    EXPECT_EQ(VAProbeReport::aspectRatioText(640, 480), "4:3");
    EXPECT_EQ(VAProbeReport::aspectRatioText(720, 577), "720:577");
    EXPECT_EQ(VAProbeReport::aspectRatioText(0, 480), "");
    EXPECT_EQ(VAProbeReport::aspectRatioText(-640, 480), "");

    const Read r = readReport(report(
        "", R"({"codec_type": "video", "width": 1280, "height": 800, "r_frame_rate": "25/1"})"));
    EXPECT_EQ(r.props.GetString("Aspect Ratio"), "16:10");
    // No width: no resolution, an empty aspect ratio, and the always-present texts.
    const Read bare = readReport(report("", R"({"codec_type": "video", "height": 800})"));
    EXPECT_EQ(listing(bare.props),
              (XStrList{"Length=0:00", "Bit Rate=0 kbps", "Profile=", "Aspect Ratio=",
                        "Frame Rate=", "Pixel Format=", "Color Space=", "Streams=0 Video : "}));
}

TEST(VAProbeReport, FrameRatesAreTruncatedToHundredths) {
    EXPECT_EQ(VAProbeReport::frameRateText("25/1"), "25");
    EXPECT_EQ(VAProbeReport::frameRateText("0/0"), "0");
    EXPECT_EQ(VAProbeReport::frameRateText("24000/1001"), "23.97");
    EXPECT_EQ(VAProbeReport::frameRateText("30000/1001"), "29.97");
    EXPECT_EQ(VAProbeReport::frameRateText("60000/1001"), "59.94");
    EXPECT_EQ(VAProbeReport::frameRateText("25/0"), "25");
    EXPECT_EQ(VAProbeReport::frameRateText("25"), "25");
    EXPECT_EQ(VAProbeReport::frameRateText("1/2/3"), "1/2/3");
    EXPECT_EQ(VAProbeReport::frameRateText(""), "");
    EXPECT_EQ(VAProbeReport::frameRateText("1" + XStr(40, U'0') + "/1"), "92000000000000000");

    // r_frame_rate wins; avg_frame_rate stands in when it is empty.
    const Read r = readReport(
        report("", R"({"codec_type": "video", "r_frame_rate": "", "avg_frame_rate": "50/2"})"));
    EXPECT_EQ(r.props.GetString("Frame Rate"), "25");
}

TEST(VAProbeReport, TheFirstStreamOfEachKindDecides) {
    const std::string cover =
        R"({"codec_long_name": "PNG", "codec_type": "video", "width": 600, "height": 600,
            "profile": "", "pix_fmt": "rgb24", "r_frame_rate": "90000/1"})";
    const std::string mono =
        R"({"codec_long_name": "MP3", "codec_type": "audio", "channels": 1,
            "sample_rate": "22050", "bits_per_sample": "16"})";
    const Read r = readReport(report(
        R"("duration": "1")", std::string(kHDVideo) + "," + kStereoAAC + "," + cover + "," + mono));
    EXPECT_EQ(r.props.GetString("Resolution"), "1920 x 1080");
    EXPECT_EQ(r.props.GetString("Pixel Format"), "yuv420p");
    EXPECT_EQ(r.props.GetString("Channels"), "2");
    EXPECT_EQ(r.props.GetString("Sample Rate"), "48000");
    // Each property goes to the first stream that has it: the first audio stream gives
    // no sample size as a string, so the second one's counts.
    EXPECT_EQ(r.props.GetString("Sample Size"), "16");
    EXPECT_EQ(r.props.GetString("Streams"),
              "0 Video : H.264 / AVC / MPEG-4 AVC; 1 Audio : AAC (Advanced Audio Coding); "
              "2 Video : PNG; 3 Audio : MP3");
}

TEST(VAProbeReport, AudioOnlyWithAStringSampleSize) {
    const Read r = readReport(
        report(R"("duration": "3.5", "bit_rate": "1411200")",
               R"({"codec_long_name": "PCM signed 16-bit", "codec_type": "audio", "channels": 2,
            "sample_rate": "44100", "bits_per_sample": "16"})"));
    EXPECT_EQ(listing(r.props),
              (XStrList{"Length=0:03", "Bit Rate=1,411 kbps", "Channels=2", "Sample Rate=44100",
                        "Sample Size=16", "Streams=0 Audio : PCM signed 16-bit"}));
}

TEST(VAProbeReport, StreamTypesAreCapitalisedOrUnknown) {
    const Read r = readReport(report(
        "", R"({"codec_long_name": "X"}, {"codec_type": "subtitle", "codec_long_name": "SRT"},
               {"codec_type": "Data"}, {"codec_type": "1st"})"));
    EXPECT_EQ(r.props.GetString("Streams"),
              "0 (unknown) : X; 1 Subtitle : SRT; 2 Data : ; 3 1st : ");
}

TEST(VAProbeReport, LengthAndBitRateAreTruncated) {
    Read r = readReport(report(R"("duration": "12.3456", "bit_rate": "999")", ""));
    EXPECT_EQ(r.lengthMS, 12345u);
    EXPECT_EQ(listing(r.props), (XStrList{"Length=0:12", "Bit Rate=0 kbps"}));
    r = readReport(report(R"("duration": "3725.999", "bit_rate": "1234567")", ""));
    EXPECT_EQ(r.lengthMS, 3725999u);
    EXPECT_EQ(listing(r.props), (XStrList{"Length=1:02:05", "Bit Rate=1,234 kbps"}));
}

TEST(VAProbeReport, NotJSONLeavesEverythingAsItWas) {
    Read r;
    r.lengthMS = 7;
    // ffprobe's answer for a file that is no media is the empty object.
    for (const char* text : {"", "Invalid data found when processing input", "{\"format\": {",
                             "\xff\xfe", "{\n\n}\n", "[1, 2]", "{\"programs\": []}"}) {
        EXPECT_FALSE(VAProbeReport::read(text, r.ids, r.props, r.lengthMS)) << text;
    }
    EXPECT_EQ(r.lengthMS, 7u);
    EXPECT_TRUE(r.ids.Empty());
    EXPECT_TRUE(r.props.Empty());
}

TEST(VAProbeReport, PartialAndOddReportsGiveWhatIsThere) {
    // An empty format still gives the two texts that are always there.
    Read r = readReport(R"({"format": {}})");
    EXPECT_TRUE(r.json);
    EXPECT_EQ(listing(r.props), (XStrList{"Length=0:00", "Bit Rate=0 kbps"}));
    r = readReport(R"({"streams": []})");
    EXPECT_TRUE(r.json);
    EXPECT_EQ(listing(r.props), (XStrList{"Length=0:00", "Bit Rate=0 kbps"}));

    // Members of the wrong type read as empty or 0; tags that are no strings are empty.
    r = readReport(R"({"format": {"duration": 12, "bit_rate": 5000,
                                  "tags": {"track": 3, "": "nameless", "title": "T"}},
                       "streams": {"codec_type": "video"}})");
    EXPECT_EQ(r.lengthMS, 0u);
    EXPECT_EQ(listing(r.ids), (XStrList{"track=", "title=T"}));
    EXPECT_EQ(listing(r.props), (XStrList{"Length=0:00", "Bit Rate=0 kbps"}));

    r = readReport(report("", R"({"codec_type": "video", "width": "640", "height": 480})"));
    EXPECT_EQ(r.props.FindElement("Resolution"), nullptr);
    EXPECT_EQ(r.props.GetString("Aspect Ratio"), "");
}

TEST(VAProbeReport, OutlandishNumbersSaturateInsteadOfOverflowing) {
    Read r = readReport(report(
        R"("duration": "-5", "bit_rate": "-99999999999999999999999")",
        R"({"codec_type": "video", "width": 1000000000000000000000000000000, "height": -1000000000000000000000000000000},
                                  {"codec_type": "audio", "channels": 1000000000000000000000000000000})"));
    EXPECT_EQ(r.lengthMS, 0u);
    EXPECT_EQ(r.props.GetString("Bit Rate"), "-9,223,372,036,854,775 kbps");
    EXPECT_EQ(r.props.GetString("Resolution"), "2147483647 x -2147483648");
    EXPECT_EQ(r.props.GetString("Aspect Ratio"), "");
    EXPECT_EQ(r.props.GetString("Channels"), "2147483647");
    r = readReport(report(R"("duration": "1e400")", ""));
    EXPECT_GT(r.lengthMS, uint64_t{1} << 62);
    r = readReport(report(R"("duration": ")" + std::string(400, '9') + "\"", ""));
    EXPECT_GT(r.lengthMS, uint64_t{1} << 62);
}

TEST(VAProbeReport, DuplicateTagNamesAreAllKeptInDocumentOrder) {
    const Read r =
        readReport(report(R"("tags": {"artist": "A", "ARTIST": "B", "artist": "C"})", ""));
    EXPECT_EQ(listing(r.ids), (XStrList{"artist=A", "ARTIST=B", "artist=C"}));
}
