// ffprobe's duration text as milliseconds.
#include "VCliLengthProbe.h"

#include <gtest/gtest.h>

TEST(VCliLengthProbe, SecondsWithFractionRoundToMilliseconds) {
    EXPECT_EQ(VCliLengthProbe::parseSeconds("12.345000"), 12345);
    EXPECT_EQ(VCliLengthProbe::parseSeconds("2.0405\n"), 2041);
    EXPECT_EQ(VCliLengthProbe::parseSeconds("60"), 60000);
}

TEST(VCliLengthProbe, AnythingButADurationIsUnknown) {
    for (const char* text : {"", "N/A", "-1.5", "0", "0.000000", "inf", "nan", "1e300"}) {
        EXPECT_EQ(VCliLengthProbe::parseSeconds(text), 0) << text;
    }
}
