// Profiles by name: which encoder a name means, who may make a user profile, and which
// profile is active.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VMCConfig.h"
#include "VMCProfile.h"

namespace {

class VMCProfileNames : public ConfigTest {};

}  // namespace

TEST_F(VMCProfileNames, TheNameSaysTheEncoderAndTheUsersPart) {
    struct Case {
        const char* profileName;
        const char* encoderName;
        bool user;
        std::optional<XStr> userName;
    };
    const Case cases[] = {
        {"MP4 (H264)", "MP4 (H264)", false, std::nullopt},
        {"Fast \"MP4 (H264)\"", "MP4 (H264)", true, XStr("Fast")},
        {"  Two words   \"WebM (VP8)\"", "WebM (VP8)", true, XStr("Two words")},
        {"It''s \"AVI\"", "AVI", true, XStr("It''s")},
        {"a\"b \"AVI\"", "AVI", true, XStr("a\"b")},
        {"\"AVI\"", "AVI", true, XStr("")},
        {"odd\"", "odd", true, XStr("odd")},
        {"\"", "\"", true, XStr("")},
    };
    for (const Case& c : cases) {
        VMCProfile profile = VMCProfile::profileNamed(c.profileName, std::nullopt);
        profile.fetchFromRegistry();
        EXPECT_EQ(profile.encoderName(), c.encoderName) << c.profileName;
        EXPECT_EQ(profile.isUserProfile(), c.user) << c.profileName;
        EXPECT_EQ(profile.userProfileName(), c.userName) << c.profileName;
    }
}

TEST_F(VMCProfileNames, ANeverSavedProfileLoadsEmpty) {
    VMCProfile profile = VMCProfile::profileNamed("WebM (VP8)", XStr("Night"));
    profile.fetchFromRegistry();
    EXPECT_EQ(profile.encoderArgsV2(), VAEncoderArgs());
    EXPECT_TRUE(profile.dspEffects().empty());
    EXPECT_EQ(profile.fileNaming().fileNamingType(), VMCFileNaming::kSameFolder);
    EXPECT_EQ(profile.registryKey(),
              "Software\\Quillmere\\VantaroVideo\\vMCCodec\\WebM (VP8)\\Night");
}

TEST_F(VMCProfileNames, UserProfilesAreMadeOnlyUnderAFreeName) {
    allowUserProfiles(true);
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    ASSERT_NE(config.newUserProfile("Mine", "MP4 (H264)"), nullptr);
    struct Case {
        const char* userName;
        const char* encoderName;
        const char* made;  // nullptr: refused
    };
    const Case cases[] = {
        {"Mine", "MP4 (H264)", nullptr},
        {"MINE", "MP4 (H264)", nullptr},
        {"Mine", "MP4 (copy, no encoding)", "Mine \"MP4 (copy, no encoding)\""},
        {"say \"hi\"", "MP4 (H264)", "say ''hi'' \"MP4 (H264)\""},
        {"", "MP4 (H264)", nullptr},
        {"   ", "MP4 (H264)", nullptr},
        {"a\\b", "MP4 (H264)", nullptr},
    };
    for (const Case& c : cases) {
        const VMCConfig::ProfilePtr profile = config.newUserProfile(c.userName, c.encoderName);
        if (c.made == nullptr) {
            EXPECT_EQ(profile, nullptr) << c.userName;
            continue;
        }
        ASSERT_NE(profile, nullptr) << c.userName;
        EXPECT_EQ(profile->profileName(), c.made);
        EXPECT_EQ(profile->encoderName(), c.encoderName);
        EXPECT_EQ(config.profileNamed(c.made), profile);
    }
    EXPECT_EQ(config.userProfiles().size(), 3u);
    // Nothing is written before a save.
    XStrList keys;
    XRegistry::EnumKeys(XStr("HKCU"), XStr(VMCProfile::kCodecKey), keys);
    EXPECT_TRUE(keys.empty());
}

TEST_F(VMCProfileNames, AnActiveNameThatNamesNoProfileFallsBackToStreamCopy) {
    for (const char* stored : {"", "Gone \"MP4 (H264)\"", "mp4 (h264)", "MP4 (H264)"}) {
        XRegistry::SetString("vMCLastCodec", stored);
        const VMCConfig config(std::nullopt, smallCatalogue(), {});
        const XStr expected =
            XStr(stored) == "MP4 (H264)" ? XStr(stored) : VMCProfile::defaultProfileName();
        EXPECT_EQ(config.activeProfileName(), expected) << stored;
        EXPECT_EQ(config.activeEncoder()->name, expected) << stored;
    }
}
