// The pieces the effect pages read and write: numbers after markers, texts between them,
// fixed decimals, and the cut page's time texts.
#include <gtest/gtest.h>

#include "VVCDSPPageTrim.h"
#include "VVCDSPPresets.h"
#include "VVCDSPText.h"

TEST(DSPText, ScansNumbersRightAfterTheFirstMarker) {
    EXPECT_EQ(VVCDSPText::scanIntAfter("rotate='-45*PI/180'", "rotate='"), -45);
    EXPECT_EQ(VVCDSPText::scanIntAfter("a=7 a=9", "a="), 7);
    EXPECT_EQ(VVCDSPText::scanIntAfter("a= 7", "a="), 0);
    EXPECT_EQ(VVCDSPText::scanIntAfter("b=7", "a="), 0);
    EXPECT_EQ(VVCDSPText::scanIntAfter("A=7", "a="), 0);
    EXPECT_EQ(VVCDSPText::scanIntAfter("a=12.5", "a="), 12);
    EXPECT_DOUBLE_EQ(VVCDSPText::scanFloatAfter("s=-1.25:x", "s="), -1.25);
    EXPECT_DOUBLE_EQ(VVCDSPText::scanFloatAfter("s=1.5.3", "s="), 1.5);
    EXPECT_DOUBLE_EQ(VVCDSPText::scanFloatAfter("s=e5", "s="), 0);
    EXPECT_DOUBLE_EQ(VVCDSPText::scanFloatAfter("x", "s="), 0);
}

TEST(DSPText, ScansTextsAfterAndBetweenMarkers) {
    EXPECT_EQ(VVCDSPText::scanStringAfter("-vf scale=1:2", "scale="), XStr("1:2"));
    EXPECT_EQ(VVCDSPText::scanStringAfter("-vf crop", "scale="), std::nullopt);
    EXPECT_EQ(VVCDSPText::scanStringAfter("scale=", "scale="), XStr(""));
    EXPECT_EQ(VVCDSPText::scanStringAfterBefore("pad=8:6\" x\"", "pad=", "\""), XStr("8:6"));
    EXPECT_EQ(VVCDSPText::scanStringAfterBefore("pad=8:6", "pad=", "\""), XStr("8:6"));
    // The second marker counts only after the first.
    EXPECT_EQ(VVCDSPText::scanStringAfterBefore(",ih min(3,ih", "min(", ",ih"), XStr("3"));
    EXPECT_EQ(VVCDSPText::scanStringAfterBefore("x", "pad=", "\""), std::nullopt);
}

TEST(DSPText, FixedDecimalsRoundLikePrintf) {
    EXPECT_EQ(VVCDSPText::fixed(0.5, 6), "0.500000");
    EXPECT_EQ(VVCDSPText::fixed(0.125, 2), "0.12");
    EXPECT_EQ(VVCDSPText::fixed(0.375, 2), "0.38");
    EXPECT_EQ(VVCDSPText::fixed(-1.5, 1), "-1.5");
    EXPECT_EQ(VVCDSPText::fixed(-0.04, 1), "-0.0");
    EXPECT_EQ(VVCDSPText::fixed(1e300 * 1e300, 1), "0.0");
}

// Whole hours, minutes and seconds are checked with the cut page's settings.
TEST(DSPText, CutTimesAreWrittenAsHoursMinutesSeconds) {
    const struct {
        double ms;
        const char* text;
    } cases[] = {
        {3599999, "00:59:59.999"},
        {1.5, "00:00:00.002"},
        {0.4, "00:00:00"},
        // Rounding carries into the seconds instead of giving a fourth digit.
        {1999.6, "00:00:02"},
        // Minus one second (a malformed time) cuts from the start.
        {-1000, "00:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VVCDSPPageTrim::exportTime(c.ms), c.text) << c.ms;
    }
}

TEST(DSPText, CutTimesAreReadWithAnyFraction) {
    const struct {
        const char* text;
        double ms;
    } cases[] = {
        {"00:01:30.500", 90500},  {"0:0:1.5", 1500},      {"0:0:1.05", 1050},
        {"100:00:00", 360000000}, {"00:00:10.5x", 10500}, {"1:2:3.1234567", 3723123.4567},
        {" 1:2:3", 3723000},      {"1:2", -1000},         {"x", -1000},
        {"1: 2:3", 3723000},      {"1 :2:3", -1000},      {"", -1000},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(VVCDSPPageTrim::importTime(c.text), c.ms, 1e-6) << c.text;
    }
}

TEST(DSPText, PresetsAreLinePairsAndAnOddLastLineIsLeftOut) {
    const VVCDSPPresets presets = VVCDSPPresets::fromText("One\r\n-a 1\r\nTwo\n-a 2\nOrphan");
    EXPECT_EQ(presets.comboShown, (XStrList{"One", "Two"}));
    EXPECT_EQ(presets.comboValues, (XStrList{"-a 1", "-a 2"}));
    EXPECT_EQ(presets.indexOfValue("-a 2"), 1u);
    EXPECT_EQ(presets.indexOfValue("-a 2 "), std::nullopt);
    EXPECT_EQ(presets.valueAt(2), "");
    EXPECT_EQ(VVCDSPPresets::fromText("").size(), 0u);
    EXPECT_EQ(VVCDSPPresets::load("No Such Data").size(), 0u);
}
