// Values given to "--set" as the controls show them: a slider's shown value in any of its
// spellings, a choice's title in any case and with or without blanks, a position "#N", and
// the list of what a control takes when a value is none of these.
#include <gtest/gtest.h>

#include "VVCControlMatch.h"
#include "VVCPageText.h"

namespace {

struct Row {
    // An encoder or an effect.
    const char* page;
    XStrList settings;
    // The argument text written, or the message when error is set.
    const char* expected;
    bool error = false;
};

// Spellings the pages' own tests do not use.
const Row kRows[] = {
    // A slider's shown value (the CRF, not the slider's position), blanks around it.
    {"MP4 (H264)", {"quality= 51 "}, "-c:v libx264 -crf 51 -acodec aac_at"},
    // Bitrates as shown, in any case, and bare numbers; choices in any case, without blanks,
    // or by position.
    {"MP4 (H264)",
     {"rate-control=average bitrate", "quality=1.5 mbps"},
     "-c:v libx264 -b:v 1.5M -acodec aac_at"},
    {"MP4 (H264)",
     {"rate-control=#2", "quality=800 KBPS"},
     "-c:v libx264 -b:v 800k -minrate 800k -maxrate 800k -acodec aac_at"},
    {"WMV (Windows Media Video)", {"bitrate=2"}, " -c:v wmv2 -c:a wmav2 -b:v 2M"},
    {"MP4 (H264)",
     {"advanced.preset=VERYSLOW"},
     "-c:v libx264 -crf 24 -preset veryslow -acodec aac_at"},
    {"Audio Bitrate", {"bitrate=192"}, "-b:a 192k"},
    {"Audio Bitrate", {"bitrate=#1"}, "-b:a 8k"},
    {"Rotate", {"angle=90 degrees"}, "-vf rotate='90*PI/180'"},
    // What is refused says what would do, one value a line when they are few, and shows
    // control characters escaped.
    {"Audio Bitrate",
     {"bitrate=100k"},
     "Effect 'Audio Bitrate': The control 'bitrate' takes one of these values (or its position "
     "#1 to #20), not '100k':\n  8 kbps\n  12 kbps\n  16 kbps\n  24 kbps\n  32 kbps\n  48 kbps\n"
     "  56 kbps\n  64 kbps\n  80 kbps\n  96 kbps\n  112 kbps\n  128 kbps\n  144 kbps\n  160 kbps\n"
     "  192 kbps\n  224 kbps\n  256 kbps\n  320 kbps\n  384 kbps\n  448 kbps",
     true},
    {"Brightness & Contrast",
     {"brightness=25"},
     "Effect 'Brightness & Contrast': The control 'brightness' takes a value from -1.00 to 1.00 "
     "(or its position #1 to #201), not '25'",
     true},
    {"MP4 (H264)",
     {"advanced.preset=\x1b[2Jfast"},
     "The control 'preset' takes one of these values (or its position #1 to #9), not "
     "'\\033[2Jfast':\n  Ultra fast\n  Super fast\n  Very fast\n  Faster\n  Fast\n  Medium\n"
     "  Slow\n  Slower\n  Very slow",
     true},
};

}  // namespace

TEST(VVCControlValues, ValuesAsShownPositionsAndWhatIsRefused) {
    for (const Row& row : kRows) {
        const XStr context = XStr(row.page) + " " + XStr::join(row.settings, ", ");
        SCOPED_TRACE(context);
        XStr error;
        std::optional<XStr> written;
        if (VVCPageText::effectNamed(row.page, true, true)) {
            const auto made = VVCPageText::effectFor(row.page, row.settings, true, &error);
            written = made ? std::optional<XStr>(made->args) : std::nullopt;
        } else {
            const auto made = VVCPageText::encoderArgsFor(row.page, row.settings, true, &error);
            written = made ? std::optional<XStr>(made->strArgs) : std::nullopt;
        }
        EXPECT_EQ(written.has_value(), !row.error) << error;
        EXPECT_EQ(row.error ? error : written.value_or(""), XStr(row.expected));
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
