#include "VAUnitPrefs.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VAStringTools.h"
#include "XRegistry.h"

namespace {

// Each test reads its own settings store.
class VAUnitPrefsTest : public ::testing::Test {
protected:
    VAUnitPrefsTest() : mLocation("XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()) {}

    static void set(const char* name, int value) {
        XRegistry::SetInt(name, value, XStr(VAUnitPrefs::kRoot), XStr(VAUnitPrefs::kKey));
    }

private:
    TestTempDir mDir;
    ScopedEnv mLocation;
};

}  // namespace

TEST_F(VAUnitPrefsTest, AbsentSettingsGiveTheDefaultForms) {
    EXPECT_EQ(VAStringTools::formatDuration(75040), "1 minute 15 seconds");
    EXPECT_EQ(VAStringTools::formatFileSize(1536), "2 KB");
    EXPECT_EQ(VAStringTools::formatSampleRate(44100), "44.1 kHz  (CD)");
    EXPECT_EQ(VAStringTools::formatChannels(2), "2  'stereo'  (CD)");
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 44100), "1,411 kbps  (CD)");
}

TEST_F(VAUnitPrefsTest, StoredPreferencesChangeTheFormsAtOnce) {
    set(VAUnitPrefs::kUnitsTime, 2);
    set(VAUnitPrefs::kUnitsFileSize, 3);
    set(VAUnitPrefs::kUnitsFreq, 1);
    set(VAUnitPrefs::kUnitsChannels, 2);
    set(VAUnitPrefs::kUnitsBitRate, 2);
    EXPECT_EQ(VAStringTools::formatDuration(75040), "00:01:15");
    EXPECT_EQ(VAStringTools::formatFileSize(1536), "1,536 bytes");
    EXPECT_EQ(VAStringTools::formatSampleRate(48000), "48,000 Hz  (DAT)");
    EXPECT_EQ(VAStringTools::formatChannels(6), "5.1 surround  (DVD)");
    EXPECT_EQ(VAStringTools::formatBitRate(1411200, 2, 44100), "1,411,200 bps");

    set(VAUnitPrefs::kNoHints, 1);
    EXPECT_EQ(VAStringTools::formatSampleRate(48000), "48,000 Hz");
    EXPECT_EQ(VAStringTools::formatChannels(6), "5.1 surround");
    EXPECT_EQ(VAStringTools::channelModeLabels(),
              (XStrList{"[as source]", "Mono", "Stereo", "3 channels", "Quadraphonic", "Surround",
                        "5.1 surround", "7 channels", "7.1 theater"}));
    EXPECT_EQ(VAStringTools::channelModeLabelsNo0().front(), "Mono");
    EXPECT_EQ(VAStringTools::channelModeLabelsNo0().size(), 8u);
}

TEST_F(VAUnitPrefsTest, DurationStylesOutsideTheRangeCountAsWords) {
    for (int style : {4, 5, -1}) {
        set(VAUnitPrefs::kUnitsTime, style);
        EXPECT_EQ(VAStringTools::formatDuration(61000), "1 minute 1 second") << style;
    }
    set(VAUnitPrefs::kUnitsTime, 3);
    EXPECT_EQ(VAStringTools::formatDuration(61000), "00:01:01.000");
    set(VAUnitPrefs::kUnitsTime, 1);
    EXPECT_EQ(VAStringTools::formatDuration(61000), "1:01");
    EXPECT_EQ(VAStringTools::formatDurationLong(61000), "1 minute 1 second");
    EXPECT_EQ(VAStringTools::formatDurationPrecise(61000), "00:01:01.000");
}
