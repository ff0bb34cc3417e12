#include <gtest/gtest.h>

#include "VADurationFormat.h"
#include "VANumberFormat.h"
#include "VAStringTools.h"
#include "VAUnitConvert.h"

namespace {

constexpr uint64_t kHour = 3600000;
constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = kKiB * 1024;
constexpr uint64_t kGiB = kMiB * 1024;

}  // namespace

TEST(VANumberFormat, GroupsInThreesWithTheSignInFront) {
    EXPECT_EQ(VANumberFormat::grouped(int64_t{0}), "0");
    EXPECT_EQ(VANumberFormat::grouped(int64_t{999}), "999");
    EXPECT_EQ(VANumberFormat::grouped(int64_t{1000}), "1,000");
    EXPECT_EQ(VANumberFormat::grouped(int64_t{1234567}), "1,234,567");
    EXPECT_EQ(VANumberFormat::grouped(int64_t{-1234}), "-1,234");
    EXPECT_EQ(VANumberFormat::grouped(INT64_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(VANumberFormat::grouped(UINT64_MAX), "18,446,744,073,709,551,615");
}

TEST(VANumberFormat, DecimalsRoundFromPointFiftyOneAndDropTrailingZeros) {
    EXPECT_EQ(VANumberFormat::decimal(48.0, 1), "48");
    EXPECT_EQ(VANumberFormat::decimal(1.5, 2), "1.5");
    EXPECT_EQ(VANumberFormat::decimal(44.1, 1), "44.1");
    EXPECT_EQ(VANumberFormat::decimal(1.25, 1), "1.2");
    EXPECT_EQ(VANumberFormat::decimal(1.26, 1), "1.3");
    EXPECT_EQ(VANumberFormat::decimal(-2.5, 1), "-2.5");
    EXPECT_EQ(VANumberFormat::decimal(1234.5, 2), "1,234.5");
    EXPECT_EQ(VANumberFormat::decimal(0.004, 2), "0");
    EXPECT_EQ(VANumberFormat::decimal(-0.001, 2), "0");
    EXPECT_EQ(VANumberFormat::decimal(0.05, 2), "0.05");
}

TEST(VADurationFormat, Words) {
    EXPECT_EQ(VADurationFormat::words(0), "0");
    EXPECT_EQ(VADurationFormat::words(1), "1 mili-second");
    EXPECT_EQ(VADurationFormat::words(250), "250 mili-seconds");
    EXPECT_EQ(VADurationFormat::words(1000), "1 second");
    EXPECT_EQ(VADurationFormat::words(1500), "1.5 seconds");
    EXPECT_EQ(VADurationFormat::words(1040), "1 second");
    EXPECT_EQ(VADurationFormat::words(1960), "2 seconds");
    EXPECT_EQ(VADurationFormat::words(45000), "45 seconds");
    EXPECT_EQ(VADurationFormat::words(60000), "1 minute");
    EXPECT_EQ(VADurationFormat::words(61000), "1 minute 1 second");
    EXPECT_EQ(VADurationFormat::words(185000), "3 minutes 5 seconds");
    EXPECT_EQ(VADurationFormat::words(kHour), "1 hour");
    EXPECT_EQ(VADurationFormat::words(kHour + 2 * 60000 + 5000), "1 hour 2 minutes");
    EXPECT_EQ(VADurationFormat::words(30 * kHour + 60000), "30 hours 1 minute");
}

TEST(VADurationFormat, ClockStyles) {
    const uint64_t t = 75040;
    EXPECT_EQ(VADurationFormat::clock(t), "1:15");
    EXPECT_EQ(VADurationFormat::clock(3725000), "1:02:05");
    EXPECT_EQ(VADurationFormat::clock(0), "0:00");
    EXPECT_EQ(VADurationFormat::clock(59999), "0:59");
    EXPECT_EQ(VADurationFormat::fullClock(t), "00:01:15");
    EXPECT_EQ(VADurationFormat::fullClock(0), "00:00:00");
    EXPECT_EQ(VADurationFormat::fullClock(100 * kHour), "100:00:00");
    EXPECT_EQ(VADurationFormat::precise(t), "00:01:15.040");
    EXPECT_EQ(VADurationFormat::precise(0), "00:00:00.000");
    EXPECT_EQ(VADurationFormat::format(t, 1), "1:15");
    EXPECT_EQ(VADurationFormat::format(t, 4), "1 minute 15 seconds");
}

TEST(VAStringTools, AutomaticFileSizes) {
    EXPECT_EQ(VAStringTools::formatFileSize(0, 0), "0 bytes");
    EXPECT_EQ(VAStringTools::formatFileSize(1, 0), "1 byte");
    EXPECT_EQ(VAStringTools::formatFileSize(1023, 1), "1023 bytes");
    EXPECT_EQ(VAStringTools::formatFileSize(1024, 0), "1 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1025, 0), "1 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1536, 0), "2 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1000 * kKiB, 0), "1,000 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(kMiB + kMiB / 2, 0), "1.5 MB");
    EXPECT_EQ(VAStringTools::formatFileSize(2 * kGiB, 0), "2 GB");
    EXPECT_EQ(VAStringTools::formatFileSize(3 * kGiB * 1024 + kGiB * 256, 0), "3.25 TB");
}

TEST(VAStringTools, KilobyteAndExactFileSizes) {
    EXPECT_EQ(VAStringTools::formatFileSize(0, 2), "0 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1, 2), "1 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1536, 2), "2 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(2 * kGiB, 2), "2,097,152 KB");
    EXPECT_EQ(VAStringTools::formatFileSize(1234567, 3), "1,234,567 bytes");
    EXPECT_EQ(VAStringTools::formatFileSize(1, 3), "1 bytes");
}

TEST(VAStringTools, SampleRates) {
    EXPECT_EQ(VAStringTools::formatSampleRate(0, 0, true), "[as source]");
    EXPECT_EQ(VAStringTools::formatSampleRate(44100, 0, true), "44.1 kHz  (CD)");
    EXPECT_EQ(VAStringTools::formatSampleRate(48000, 0, true), "48 kHz  (DAT)");
    EXPECT_EQ(VAStringTools::formatSampleRate(96000, 0, true), "96 kHz  (DVD)");
    EXPECT_EQ(VAStringTools::formatSampleRate(22050, 0, true), "22 kHz");
    EXPECT_EQ(VAStringTools::formatSampleRate(11025, 0, true), "11 kHz");
    EXPECT_EQ(VAStringTools::formatSampleRate(22060, 0, true), "22.1 kHz");
    EXPECT_EQ(VAStringTools::formatSampleRate(44100, 0, false), "44.1 kHz");
    EXPECT_EQ(VAStringTools::formatSampleRate(44100, 1, true), "44,100 Hz  (CD)");
    EXPECT_EQ(VAStringTools::formatSampleRate(8000, 5, false), "8,000 Hz");
}

TEST(VAStringTools, ChannelsInEachMode) {
    EXPECT_EQ(VAStringTools::formatChannels(0, 2, true), "[as source]");
    EXPECT_EQ(VAStringTools::formatChannels(1, 2, true), "Mono");
    EXPECT_EQ(VAStringTools::formatChannels(2, 2, true), "Stereo  (CD)");
    EXPECT_EQ(VAStringTools::formatChannels(2, 2, false), "Stereo");
    EXPECT_EQ(VAStringTools::formatChannels(3, 2, true), "3 channels");
    EXPECT_EQ(VAStringTools::formatChannels(6, 2, true), "5.1 surround  (DVD)");
    EXPECT_EQ(VAStringTools::formatChannels(8, 2, true), "7.1 theater");
    EXPECT_EQ(VAStringTools::formatChannels(2, 0, true), "2  'stereo'  (CD)");
    EXPECT_EQ(VAStringTools::formatChannels(4, 0, true), "4  'quadraphonic'");
    EXPECT_EQ(VAStringTools::formatChannels(6, 0, false), "6  '5.1 surround'");
    EXPECT_EQ(VAStringTools::formatChannels(7, 0, true), "7");
    EXPECT_EQ(VAStringTools::formatChannels(6, 1, true), "6");
}

TEST(VAStringTools, BitRatesAndTheirHints) {
    EXPECT_EQ(VAStringTools::formatBitRate(1234567, 0, 0, 0, true), "1,234 kbps");
    EXPECT_EQ(VAStringTools::formatBitRate(1234567, 0, 0, 2, true), "1,234,567 bps");
    // 44.1 kHz stereo at 16 bits: 705,600 bits per channel.
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 44100, 0, true), "1,411 kbps  (CD)");
    EXPECT_EQ(VAStringTools::formatBitRate(1414000, 2, 44100, 0, true), "1,414 kbps  (CD)");
    EXPECT_EQ(VAStringTools::formatBitRate(1414002, 2, 44100, 0, true), "1,414 kbps");
    EXPECT_EQ(VAStringTools::formatBitRate(1536000, 2, 48000, 0, true), "1,536 kbps  (DAT)");
    EXPECT_EQ(VAStringTools::formatBitRate(6000000, 6, 48000, 0, true), "6,000 kbps  (DVD)");
    // Hints only with both channel count and rate, the kbps setting 0 and hints on.
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 0, 0, true), "1,411 kbps");
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 44100, 1, true), "1,411 kbps");
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 44100, 0, false), "1,411 kbps");
}

TEST(VAStringTools, CommandLineQuoting) {
    EXPECT_EQ(VAStringTools::escapeCommandLineArg("/usr/bin/ffprobe-5.1_x+y"),
              "/usr/bin/ffprobe-5.1_x+y");
    EXPECT_EQ(VAStringTools::escapeCommandLineArg("My Clip.mp4"), "\"My Clip.mp4\"");
    EXPECT_EQ(VAStringTools::escapeCommandLineArg("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(VAStringTools::escapeCommandLineArg(""), "");
    EXPECT_EQ(VAStringTools::escapeCommandLineArg("caf\u00e9"), "\"caf\u00e9\"");
}

TEST(VAStringTools, ColourMarkersBecomeStyledRuns) {
    using Run = VAStringTools::StyledRun;
    const std::vector<Run> runs = VAStringTools::importColorsW(
        "File: _RGB_-RGB-000-000-120Title_RGB_-RGB-000-000-000 and "
        "_RGB_-RGB-000-120-000[IF]_RGB_-RGB-000-000-000");
    const std::vector<Run> expected = {
        {"File: ", 0, 0, 0}, {"Title", 0, 0, 120}, {" and ", 0, 0, 0}, {"[IF]", 0, 120, 0}};
    EXPECT_EQ(runs, expected);
    EXPECT_EQ(VAStringTools::importColorsW("plain"), (std::vector<Run>{{"plain", 0, 0, 0}}));
    EXPECT_EQ(VAStringTools::importColorsW("a_RGB_-RGB-12-x"),
              (std::vector<Run>{{"a_RGB_-RGB-12-x", 0, 0, 0}}));
    EXPECT_EQ(VAStringTools::importColorsW("_RGB_-RGB-999-000-001x"),
              (std::vector<Run>{{"x", 255, 0, 1}}));
    EXPECT_TRUE(VAStringTools::importColorsW("").empty());
}

TEST(VAUnitConvert, SplitAndMergeTime) {
    int64_t h = -1;
    int64_t m = -1;
    int64_t s = -1;
    int64_t ms = -1;
    const uint64_t t = 2 * kHour + 3 * 60000 + 4000 + 5;
    VAUnitConvert::splitTime(t, &h, &m, &s, &ms);
    EXPECT_EQ((std::vector<int64_t>{h, m, s, ms}), (std::vector<int64_t>{2, 3, 4, 5}));
    VAUnitConvert::splitTime(t, nullptr, &m, &s, &ms);
    EXPECT_EQ(m, 123);
    EXPECT_EQ(VAUnitConvert::mergeTime(2, 3, 4, 5), static_cast<int64_t>(t));
    EXPECT_EQ(VAUnitConvert::mergeTime(0, 123, 4, 5), static_cast<int64_t>(t));
}

TEST(VAUnitConvert, DecibelsFactorsAndPercentages) {
    EXPECT_NEAR(VAUnitConvert::dBToMultiply(0), 1.0, 1e-12);
    EXPECT_NEAR(VAUnitConvert::dBToMultiply(-6.0206), 0.5, 1e-4);
    EXPECT_NEAR(VAUnitConvert::dBToPercent(6.0206), 200.0, 1e-2);
    EXPECT_EQ(VAUnitConvert::dBToPercentInt(0), 100);
    EXPECT_EQ(VAUnitConvert::dBToPercentInt(-6.0206), 50);
    EXPECT_EQ(VAUnitConvert::percentToDB(0), -96.3);
    EXPECT_EQ(VAUnitConvert::percentToDB(-5), -96.3);
    EXPECT_EQ(VAUnitConvert::percentToDB(100.5), -96.3);
    EXPECT_NEAR(VAUnitConvert::percentToDB(100), 0.0, 1e-9);
    EXPECT_NEAR(VAUnitConvert::percentToDB(50), -6.0206, 1e-4);
    EXPECT_NEAR(VAUnitConvert::multiplyToDB(0.5), -6.0206, 1e-4);
    for (double dB : {-40.0, -12.5, -1.0, 0.0}) {
        EXPECT_NEAR(VAUnitConvert::percentToDB(VAUnitConvert::dBToPercent(dB)), dB, 1e-9);
    }
    EXPECT_GE(VAUnitConvert::dBToMultiply(-1000), 0.0);
    EXPECT_EQ(VAUnitConvert::dBToPercentInt(1e6), INT64_MAX);
}
