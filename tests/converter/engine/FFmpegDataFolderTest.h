// The fixture of the tests that find and install FFmpeg: a folder of the test's own that
// holds the application data folder ("data"), and nothing FFmpeg answered an earlier test.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VALocateFFmpeg.h"

class FFmpegDataFolderTest : public ::testing::Test {
protected:
    // A fixture makes its own folders under mDir first.
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("data").c_str(), 0700), 0);
        VAAppDataFolder::registerAppName("VantaroVideo");
        ASSERT_TRUE(VAAppDataFolder::ensureExists());
        VALocateFFmpeg::resetCachesForTesting();
    }
    void TearDown() override {
        VALocateFFmpeg::resetCachesForTesting();
        VAAppDataFolder::registerAppName("");
    }

    TestTempDir mDir;
    ScopedEnv mOverride{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
};
