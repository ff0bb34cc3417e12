// Values given to "--set" as the controls show them: a slider's shown value in any of its
// spellings, a choice's title in any case and with or without blanks, a position "#N", and
// the list of what a control takes when a value is none of these.
#include <gtest/gtest.h>

#include "VVCControlMatch.h"
#include "VVCPageText.h"

namespace {

struct Row {
    // An encoder, or with effect set an effect.
    const char* page;
    bool effect;
    XStrList settings;
    // The argument text written, or the message when error is set.
    const char* expected;
    bool error = false;
};

const Row kRows[] = {
    // CRF slider: its shown value is the CRF, not the slider's position.
    {"MP4 (H264)", false, {"quality=30"}, "-c:v libx264 -crf 30 -acodec aac_at"},
    {"MP4 (H264)", false, {"quality= 51 "}, "-c:v libx264 -crf 51 -acodec aac_at"},
    {"MP4 (H264)", false, {"quality=#1"}, "-c:v libx264 -crf 51 -acodec aac_at"},
    {"MP4 (H264)", false, {"quality=#51"}, "-c:v libx264 -crf 1 -acodec aac_at"},
    {"WebM (VP8)", false, {"quality=10"}, "-acodec libopus -c:v libvpx -crf 10"},
    // Bitrate sliders: "kbps"/"mbps" as shown, FFmpeg's "k"/"M", a bare number.
    {"MP4 (H264)",
     false,
     {"rate-control=average bitrate", "quality=1.5 mbps"},
     "-c:v libx264 -b:v 1.5M -acodec aac_at"},
    {"MP4 (H264)",
     false,
     {"rate-control=Average Bitrate", "quality=1500k"},
     "-c:v libx264 -b:v 1.5M -acodec aac_at"},
    {"MP4 (H264)",
     false,
     {"rate-control=#2", "quality=800 KBPS"},
     "-c:v libx264 -b:v 800k -minrate 800k -maxrate 800k -acodec aac_at"},
    {"WMV (Windows Media Video)", false, {"bitrate=10M"}, " -c:v wmv2 -c:a wmav2 -b:v 10M"},
    {"WMV (Windows Media Video)", false, {"bitrate=2"}, " -c:v wmv2 -c:a wmav2 -b:v 2M"},
    {"AVI", false, {"quality=7"}, " -f avi -qscale 7"},
    // Choices by their shown title in any case, blanks or not, or by position.
    {"MP4 (H264)",
     false,
     {"advanced.preset=ultrafast"},
     "-c:v libx264 -crf 24 -preset ultrafast -acodec aac_at"},
    {"MP4 (H264)",
     false,
     {"advanced.preset=Ultra fast"},
     "-c:v libx264 -crf 24 -preset ultrafast -acodec aac_at"},
    {"MP4 (H264)",
     false,
     {"advanced.preset=VERYSLOW"},
     "-c:v libx264 -crf 24 -preset veryslow -acodec aac_at"},
    {"MP4 (H264)",
     false,
     {"advanced.tune=#7"},
     "-c:v libx264 -crf 24 -tune zerolatency -preset medium -acodec aac_at"},
    {"3GP", false, {"video=h264"}, " -f 3gp -vcodec libx264 -acodec aac"},
    // Effects.
    {"Audio Bitrate", true, {"bitrate=192 kbps"}, "-b:a 192k"},
    {"Audio Bitrate", true, {"bitrate=192k"}, "-b:a 192k"},
    {"Audio Bitrate", true, {"bitrate=192"}, "-b:a 192k"},
    {"Audio Bitrate", true, {"bitrate=#1"}, "-b:a 8k"},
    {"Brightness & Contrast",
     true,
     {"brightness=-0.5", "contrast=1.25"},
     "-vf eq=\"brightness=-0.50:contrast=1.25\""},
    {"Rotate", true, {"angle=90 degrees"}, "-vf rotate='90*PI/180'"},
    {"Rotate", true, {"angle=-45"}, "-vf rotate='-45*PI/180'"},
    {"Sharpen & Blur",
     true,
     {"amount=Blur 0.5"},
     "-vf \"unsharp=luma_amount=-0.5:chroma_amount=-0.5\""},
    {"Denoiser (High Precision 3D)",
     true,
     {"luma-temporal=25"},
     "-vf hqdn3d='luma_spatial=4:chroma_spatial=3:luma_tmp=25'"},
    {"Deinterlace (yadif)",
     true,
     {"parity=bottom field first"},
     "-vf yadif='mode=0:parity=1:deint=0'"},
    // What is refused says what would do, one value a line when they are few.
    {"Audio Bitrate",
     true,
     {"bitrate=100k"},
     "Effect 'Audio Bitrate': The control 'bitrate' takes one of these values (or its position "
     "#1 to #20), not '100k':\n  8 kbps\n  12 kbps\n  16 kbps\n  24 kbps\n  32 kbps\n  48 kbps\n"
     "  56 kbps\n  64 kbps\n  80 kbps\n  96 kbps\n  112 kbps\n  128 kbps\n  144 kbps\n  160 kbps\n"
     "  192 kbps\n  224 kbps\n  256 kbps\n  320 kbps\n  384 kbps\n  448 kbps",
     true},
    {"Brightness & Contrast",
     true,
     {"brightness=25"},
     "Effect 'Brightness & Contrast': The control 'brightness' takes a value from -1.00 to 1.00 "
     "(or its position #1 to #201), not '25'",
     true},
    {"MP4 (H264)",
     false,
     {"quality=#52"},
     "The control 'quality' takes a value from 51 to 1 (or its position #1 to #51), not '#52'",
     true},
    {"MP4 (H264)",
     false,
     {"advanced.tune=Cartoon"},
     "The control 'tune' takes one of these values (or its position #1 to #7), not 'Cartoon':\n"
     "  General\n  Film\n  Animation\n  Grainy film\n  Slideshow\n  Fast decode\n"
     "  Zero latency streaming",
     true},
    {"MP4 (H264)",
     false,
     {"advanced.preset=\x1b[2Jfast"},
     "The control 'preset' takes one of these values (or its position #1 to #9), not "
     "'\\033[2Jfast':\n  Ultra fast\n  Super fast\n  Very fast\n  Faster\n  Fast\n  Medium\n"
     "  Slow\n  Slower\n  Very slow",
     true},
};

}  // namespace

TEST(VVCControlValues, ValuesAsShownPositionsAndWhatIsRefused) {
    for (const Row& row : kRows) {
        XStr error;
        XStr written;
        bool ok = false;
        if (row.effect) {
            const std::optional<VADSPSpec> made =
                VVCPageText::effectFor(row.page, row.settings, true, &error);
            ok = made.has_value();
            written = made ? made->args : XStr();
        } else {
            const std::optional<VAEncoderArgs> made =
                VVCPageText::encoderArgsFor(row.page, row.settings, true, &error);
            ok = made.has_value();
            written = made ? made->strArgs : XStr();
        }
        const XStr context = XStr(row.page) + " " + XStr::join(row.settings, ", ");
        EXPECT_EQ(ok, !row.error) << context << ": " << error;
        EXPECT_EQ(row.error ? error : written, XStr(row.expected)) << context;
    }
}

TEST(VVCControlMatch, PositionsCountFromOne) {
    EXPECT_EQ(VVCControlMatch::position("#1", 3), 0);
    EXPECT_EQ(VVCControlMatch::position(" #3 ", 3), 2);
    for (const char* bad : {"#0", "#4", "#", "#-1", "1", "# 2", "#2a"}) {
        EXPECT_EQ(VVCControlMatch::position(bad, 3), std::nullopt) << bad;
    }
    EXPECT_TRUE(VVCControlMatch::isPosition("#4"));
    EXPECT_FALSE(VVCControlMatch::isPosition("4"));
}

TEST(VVCControlMatch, TextBeforeQuantityAndTheFirstOfEqualSteps) {
    const XStrList shown = {"0.4", "0.4", "1 mbps", "Blur 1.5", "Sharpen 1.5", "H264"};
    struct Case {
        const char* typed;
        std::optional<int> found;
    };
    const Case cases[] = {
        {"0.40", 0},
        {"1000k", 2},
        {"1M", 2},
        {"1", 2},
        {"blur1.5", 3},
        {"SHARPEN 1.50", 4},
        {"1.5", std::nullopt},
        {"h264", 5},
        {"264", std::nullopt},
        {"", std::nullopt},
        {"1 kbps", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VVCControlMatch::find(c.typed, shown), c.found) << c.typed;
    }
}
