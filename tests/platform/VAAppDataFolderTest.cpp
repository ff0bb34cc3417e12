#include "VAAppDataFolder.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VAUserFolders.h"

namespace {

// Every test starts from a known registration and restores it.
class AppDataFolder : public ::testing::Test {
protected:
    void SetUp() override { VAAppDataFolder::registerAppName("VantaroVideo"); }
    void TearDown() override { VAAppDataFolder::registerAppName(""); }
    TestTempDir mDir;
};

}  // namespace

TEST_F(AppDataFolder, OverrideWinsAndGetsTheAppName) {
    ScopedEnv o("_APPDATA_OVERRIDE", mDir.path().c_str());
    ScopedEnv x("XDG_DATA_HOME", "/elsewhere");
    EXPECT_EQ(VAAppDataFolder::path(), XStr(mDir.path() + "/VantaroVideo"));
}

TEST_F(AppDataFolder, XdgDataHomeThenHomeLocalShare) {
    ScopedEnv o("_APPDATA_OVERRIDE", nullptr);
    {
        ScopedEnv x("XDG_DATA_HOME", "/xdg/data/");
        EXPECT_EQ(VAAppDataFolder::path(), XStr("/xdg/data/VantaroVideo"));
    }
    {
        // A relative XDG_DATA_HOME is invalid and ignored.
        ScopedEnv x("XDG_DATA_HOME", "relative/dir");
        ScopedEnv h("HOME", "/home/u");
        EXPECT_EQ(VAAppDataFolder::path(), XStr("/home/u/.local/share/VantaroVideo"));
    }
}

TEST_F(AppDataFolder, ShortNamesAreNotRegistered) {
    ScopedEnv o("_APPDATA_OVERRIDE", "/base");
    VAAppDataFolder::registerAppName("V");
    EXPECT_EQ(VAAppDataFolder::path(), XStr("/base"));
}

// Made with its parents and private by the settings store's start-up; a second call finds
// it in place, a file in its way fails.
TEST_F(AppDataFolder, EnsureExistsFindsItsFolderAndFailsOnAFile) {
    {
        ScopedEnv o("_APPDATA_OVERRIDE", mDir.file("ok").c_str());
        ASSERT_TRUE(VAAppDataFolder::ensureExists());
        EXPECT_TRUE(VAAppDataFolder::ensureExists());
    }
    writeTextFile(mDir.file("VantaroVideo"), "not a folder");
    ScopedEnv o("_APPDATA_OVERRIDE", mDir.path().c_str());
    EXPECT_FALSE(VAAppDataFolder::ensureExists());
}

TEST(UserFolders, ReadsUserDirsFileAndFallsBackToHome) {
    TestTempDir dir;
    ScopedEnv h("HOME", "/home/u");
    ScopedEnv c("XDG_CONFIG_HOME", dir.path().c_str());
    EXPECT_EQ(VAUserFolders::videosFolder(), XStr("/home/u/Videos"));
    writeTextFile(dir.file("user-dirs.dirs"),
                  "# written by xdg-user-dirs-update\n"
                  "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                  "XDG_VIDEOS_DIR=\"/media/films/\"\n"
                  "XDG_MUSIC_DIR=\"relative\"\n");
    EXPECT_EQ(VAUserFolders::documentsFolder(), XStr("/home/u/Dokumente"));
    EXPECT_EQ(VAUserFolders::videosFolder(), XStr("/media/films"));
    EXPECT_EQ(VAUserFolders::userDir("XDG_MUSIC_DIR"), XStr());
    // Any key: a relative or missing entry falls back to the home folder.
    EXPECT_EQ(VAUserFolders::userFolder("XDG_MUSIC_DIR", "Music"), XStr("/home/u/Music"));
    EXPECT_EQ(VAUserFolders::userFolder("XDG_DESKTOP_DIR", "Desktop"), XStr("/home/u/Desktop"));
    EXPECT_EQ(VAUserFolders::userFolder("XDG_DOCUMENTS_DIR", "Documents"),
              XStr("/home/u/Dokumente"));
}
