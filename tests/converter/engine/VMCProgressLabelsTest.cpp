#include "VMCProgressLabels.h"

#include <gtest/gtest.h>

using namespace VMCProgressLabels;

TEST(VMCProgressLabels, TimeTexts) {
    const std::pair<uint32_t, const char*> seconds[] = {
        {0, "0 seconds"},          {1, "1 second"},
        {59, "59 seconds"},        {60, "1 minute"},
        {61, "1 minute 1 second"}, {119, "1 minute 59 seconds"},
        {120, "2 minutes"},        {3700, "61 minutes 40 seconds"},
    };
    for (const auto& [value, text] : seconds) {
        EXPECT_EQ(formatTimeSeconds(value), XStr(text)) << value;
    }
    EXPECT_EQ(formatTimeMS(1999), XStr("1 second"));
    // Rounding adds 0.49 in the last place, so a half goes down.
    const std::pair<double, const char*> decimals[] = {
        {29.97, "30"}, {23.94, "23.9"}, {0.25, "0.2"}, {0.26, "0.3"}, {0.04, "0"}, {-1.5, "-1.5"},
    };
    for (const auto& [value, text] : decimals) {
        EXPECT_EQ(formatOneDecimal(value), XStr(text)) << value;
    }
}

TEST(VMCProgressLabels, LabelTexts) {
    EXPECT_EQ(mainText(0, 1, "WebM"), XStr("Converting 1 file to WebM"));
    EXPECT_EQ(mainText(1, 3, "WebM"), XStr("Converting 2 out of 3 files to WebM"));
    EXPECT_EQ(mainText(3, 3, "WebM"), XStr("Converted 3 files to WebM"));
    EXPECT_EQ(mainText(0, 0, "WebM"), XStr("Converted 0 files to WebM"));
    EXPECT_EQ(mainText(1, 1, "WebM"), XStr("Converted 1 file to WebM"));

    EXPECT_EQ(elapsedText(90'500, false), XStr("1 minute 30 seconds elapsed"));
    EXPECT_EQ(elapsedText(90'500, true), XStr("Finished in 1 minute 30 seconds"));

    // 90 s at a quarter of the work: 270 s to go.
    EXPECT_EQ(leftText(90'000, 0.25), XStr("4 minutes 30 seconds left"));
    EXPECT_EQ(leftText(90'000, 0.0), XStr());
    EXPECT_EQ(leftText(90'000, 1.0), XStr()) << "nothing left";
    EXPECT_EQ(leftText(1'000, 0.9995), XStr()) << "less than a second is not shown";

    EXPECT_EQ(speedText(90'000, 50'000, 29.97), XStr("0.6x encoding speed, 30 FPS"));
    EXPECT_EQ(speedText(10'000, 20'000, 0), XStr("2.0x encoding speed"));
    EXPECT_EQ(speedText(0, 20'000, 25), XStr());
    EXPECT_EQ(speedText(10'000, 0, 25), XStr());
}
