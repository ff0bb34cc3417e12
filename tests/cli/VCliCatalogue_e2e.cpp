// The catalogue commands and conversions that choose their encoder and effects by name.
#include <gtest/gtest.h>

#include "CliE2E.h"

namespace {

bool hasLine(const CliProcess& p, const std::string& line) {
    const std::vector<std::string> lines = p.outLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST_F(CliE2E, EncodersAndEffectsAreListedInAlignedColumns) {
    CliProcess encoders;
    ASSERT_EQ(vantaro({"encoders"}, encoders), 0) << encoders.err;
    const std::vector<std::string> lines = encoders.outLines();
    ASSERT_GE(lines.size(), 18u);
    EXPECT_EQ(lines[0].rfind("3GP ", 0) == 0 || lines[0].rfind("AVI ", 0) == 0, true) << lines[0];
    // Every extension starts in the same column.
    std::size_t column = std::string::npos;
    for (const std::string& line : lines) {
        const std::size_t dot = line.find("  .");
        if (dot == std::string::npos) {
            continue;
        }
        const std::size_t at = line.find_first_not_of(' ', dot);
        if (column == std::string::npos) {
            column = at;
        }
        EXPECT_EQ(at, column) << line;
    }
    EXPECT_TRUE(hasLine(encoders, "WebM (VP8)" + std::string(column - 10, ' ') + ".webm"));
    EXPECT_TRUE(hasLine(encoders, "[Custom FFmpeg settings]"));

    CliProcess all;
    ASSERT_EQ(vantaro({"encoders", "--all"}, all), 0);
    EXPECT_EQ(all.outLines().size(), 25u);

    CliProcess effects;
    ASSERT_EQ(vantaro({"effects"}, effects), 0);
    EXPECT_TRUE(hasLine(effects, "Crop"));
    EXPECT_TRUE(hasLine(effects, "Scale Maximum"));

    CliProcess extra;
    EXPECT_EQ(vantaro({"effects", "Crop"}, extra), 2);
    EXPECT_EQ(extra.err,
              "vantaro: The command 'effects' takes no file or name\nTry 'vantaro effects "
              "--help'.\n");
}

TEST_F(CliE2E, EncoderAndEffectShowTheirControlsAndTheTextTheyGive) {
    CliProcess vp8;
    ASSERT_EQ(vantaro({"encoder", "webm (vp8)"}, vp8), 0) << vp8.err;
    EXPECT_EQ(vp8.out,
              "Encoder: WebM (VP8)\n"
              "Extension: .webm\n"
              "Controls:\n"
              "  rate-control (choice) \"Rate control\": 'Average bitrate', 'Constant "
              "bitrate', 'Constant quality (CRF)' (or #1 to #3); now 'Constant quality (CRF)'\n"
              "  quality (slider) \"Quality\": 51 to 1 (or #1 to #51); now 24, Quality (CRF) 24\n"
              "  audio (choice) \"Audio\": 'Audio Stream: Re-encode to Opus' (or #1 to #1); now "
              "'Audio Stream: Re-encode to Opus'\n"
              "Arguments: -acodec libopus -c:v libvpx -crf 24\n");

    CliProcess set;
    ASSERT_EQ(vantaro({"encoder", "WebM (VP8)", "--set", "quality=30"}, set), 0) << set.err;
    EXPECT_TRUE(hasLine(set, "Arguments: -acodec libopus -c:v libvpx -crf 30")) << set.out;

    CliProcess crop;
    ASSERT_EQ(vantaro({"effect", "Crop", "-s", "width=100"}, crop), 0) << crop.err;
    EXPECT_EQ(crop.out,
              "Effect: Crop\n"
              "Controls:\n"
              "  width (number) \"Width\": 1 to 16384; now 100\n"
              "  height (number) \"Height\": 1 to 16384; now 768\n"
              "  x (number) \"Left\": 0 to 16384; now 0\n"
              "  y (number) \"Top\": 0 to 16384; now 0\n"
              "Arguments: -vf crop=100:768:0:0\n");

    CliProcess mark;
    ASSERT_EQ(vantaro({"effect", "Watermark"}, mark), 0);
    EXPECT_TRUE(hasLine(mark, "Not ready: Choose a PNG image for the watermark."));

    CliProcess mute;
    ASSERT_EQ(vantaro({"effect", "audio mute"}, mute), 0) << mute.err;
    EXPECT_TRUE(hasLine(mute, "Effect: Audio Mute"));
    EXPECT_TRUE(hasLine(mute, "Arguments: -frames:a 0")) << mute.out;

    CliProcess bad;
    EXPECT_EQ(vantaro({"encoder", "WebM (VP8)", "--set", "crf=20"}, bad), 2);
    EXPECT_EQ(bad.err,
              "vantaro: No control 'crf'. The controls are:\n"
              "  rate-control\n"
              "  quality\n"
              "  audio\n"
              "Try 'vantaro encoder --help'.\n");
    CliProcess none;
    EXPECT_EQ(vantaro({"effect"}, none), 2);
    EXPECT_EQ(none.err,
              "vantaro: The command 'effect' takes one name\nTry 'vantaro effect --help'.\n");
}

TEST_F(CliE2E, ConvertsThroughTheNamedEncoderAndEffectPages) {
    const std::string src = clip("clip.mov", 1);
    CliProcess p;
    ASSERT_EQ(vantaro({"convert", "--encoder", "WebM (VP8)", "--set", "quality=10", "--effect",
                       "Crop", "--set", "Crop.width=160", "--set", "Crop.height=96", "--effect",
                       "Audio Channel Count", src},
                      p),
              0)
        << p.err << p.out;
    const std::string out = mDir.file("in/clip.webm");
    EXPECT_EQ(probeValue(out, "v:0", "codec_name"), "vp8");
    EXPECT_EQ(probeValue(out, "a:0", "codec_name"), "opus");
    EXPECT_EQ(probeValue(out, "v:0", "width"), "160");
    EXPECT_EQ(probeValue(out, "v:0", "height"), "96");

    CliProcess wrong;
    EXPECT_EQ(vantaro({"convert", "--effect", "Crop", "--set", "Crop.width=none", src}, wrong), 2);
    EXPECT_NE(wrong.err.find("Effect 'Crop': The control 'width' "), std::string::npos)
        << wrong.err;
    EXPECT_FALSE(fileExists(mDir.file("in/clip.mp4"))) << "nothing ran";
}
