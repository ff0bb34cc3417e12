#include "VMCOutputFilter.h"

#include <gtest/gtest.h>

namespace {

std::optional<XStr> filtered(const char* line) {
    return VMCOutputFilter::errorLineFor(line);
}

}  // namespace

TEST(VMCOutputFilter, NoiseIsDroppedWithTheRightLetterCase) {
    const char* dropped[] = {
        "[h264 @ 0x1] [INFO] something",
        "x [Warning] y",
        "Encoded 100 frames",
        "ENCODED 1",
        "2024-01-01 Metal API Validation Enabled",
        "vt GVA info: preferred scaler",
        "   ",
        "",
        "[mov] referenced qt chapter track not found",
        "Co Located POCs unavailable",
        "mjpeg: Unable to decode APP fields: x",
        "Invalidating Cache now",
    };
    for (const char* line : dropped) {
        EXPECT_FALSE(filtered(line).has_value()) << line;
    }
    const char* kept[] = {
        "encodedx frames",                // the word needs its blank
        "metal api validation enabled",   // this test is case-exact
        "Metal API Validation Enabled!",  // and must end the line
        "GVA info: without the blank",    // the blank before GVA belongs to the text
        "[inf] close",
        "Unknown encoder 'foo'",
    };
    for (const char* line : kept) {
        EXPECT_TRUE(filtered(line).has_value()) << line;
    }
}

TEST(VMCOutputFilter, ReportedLinesAreTrimmedAndNvidiaIsExplained) {
    EXPECT_EQ(filtered("   Conversion failed!  "), XStr("Conversion failed!"));
    // Blanks only: tabs are part of the text.
    EXPECT_EQ(filtered("\tx"), XStr("\tx"));
    EXPECT_EQ(filtered("[nvenc] Cannot load NVCUDA.DLL"), XStr(VMCOutputFilter::kNvidiaMissing));
    // The noise test comes first: a dropped line is never replaced.
    EXPECT_FALSE(filtered("[info] cannot load nvcuda.dll").has_value());
}
