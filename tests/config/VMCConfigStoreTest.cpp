// What a configuration leaves in the settings store: every profile's values under its own
// key, the active profile's name, and nothing of what the user took away.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VMCConfig.h"
#include "XRegistryTransaction.h"

namespace {

using json = nlohmann::json;

class VMCConfigStore : public ConfigTest {
protected:
    static void saveAll(const VMCConfig& config) {
        XRegistryTransaction transaction;
        config.saveAllToRegistry(transaction);
        transaction.Commit();
    }
};

// The values a never-edited profile is saved with: no arguments, no effects, the naming
// defaults (beside the source, the videos folder kept as destination).
json untouchedProfile() {
    return json::parse(R"({
        "vMC_CLI": "",
        "VMCDSPEffects": "",
        "VMCUserFolderStr": "/home/tester/Videos",
        "VMCUserFolderFriendlyName": "Videos",
        "VMCDynamicNaming": "[artist]/[artist] - [title]",
        "VMCUserFolder": 0
    })");
}

}  // namespace

TEST_F(VMCConfigStore, ASavedConfigurationIsExactlyItsProfilesAndTheActiveName) {
    allowUserProfiles(true);
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    VMCConfig::ProfilePtr mine = config.newUserProfile("My \"best\"", "MP4 (H264)");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->profileName(), "My ''best'' \"MP4 (H264)\"");

    VAEncoderArgs args;
    args.strArgs = "-vcodec libx264 -crf 23";
    args.customFormatExt = "m4v";
    args.frontendData = {{"preset", "slow"}, {"tune", "film"}};
    mine->setEncoderArgsV2(args);
    mine->setDspEffects({{"Watermark", "-vf \"movie=logo.png\""}, {"Audio Mute", ""}});
    VMCFileNaming naming = VMCFileNaming::namingPreservePath("/data/out");
    naming.setDynamicFormat("[artist]/[title]");
    mine->setFileNaming(naming);
    config.setActiveProfile(*mine);
    saveAll(config);

    json expected = json::object();
    expected["vMCAllowProfiles"] = 1;
    expected["vMCLastCodec"] = "My ''best'' \"MP4 (H264)\"";
    json codec = json::object();
    codec["MP4 (H264)"] = untouchedProfile();
    codec["MP4 (copy, no encoding)"] = untouchedProfile();
    codec["[Multi Encoder]"] = untouchedProfile();
    codec["My ''best'' \"MP4 (H264)\""] = json::parse(R"({
        "vMC_CLI": "-vcodec libx264 -crf 23",
        "vMC_CustomExt": "m4v",
        "encFrontendData": {"preset": "slow", "tune": "film"},
        "VMCDSPEffects": "-dspeffect1=\"Watermark=-vf {qt}movie=logo.png{qt}\" -dspeffect2=\"Audio Mute=\"",
        "VMCUserFolderStr": "/data/out",
        "VMCUserFolderFriendlyName": "/data/out",
        "VMCDynamicNaming": "[artist]/[title]",
        "VMCUserFolder": 2
    })");
    expected["vMCCodec"] = codec;
    EXPECT_EQ(appKey(), expected) << appKey().dump(4);

    // Read back by a new configuration, the profile is what was saved.
    const VMCConfig again(std::nullopt, smallCatalogue(), {});
    const VMCConfig::ProfilePtr read = again.activeProfile();
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->profileName(), mine->profileName());
    EXPECT_EQ(read->encoderName(), "MP4 (H264)");
    EXPECT_EQ(read->encoderArgsV2(), args);
    EXPECT_EQ(read->dspEffects(), mine->dspEffects());
    EXPECT_TRUE(read->fileNaming().isEqualTo(naming));
    EXPECT_EQ(read->fileNaming().encoderName(), "MP4 (H264)");
    EXPECT_EQ(read->fileNaming().encoderExtra(), "-vcodec libx264 -crf 23");
    EXPECT_EQ(read->fileNaming().dspEffectsString(), read->dspString());
}

TEST_F(VMCConfigStore, ABatchConverterProfileKeepsItsOwnKeysAndActiveName) {
    VMCConfig config(XStr("Night"), smallCatalogue(), {});
    VMCConfig::ProfilePtr h264 = config.profileNamed("MP4 (H264)");
    ASSERT_NE(h264, nullptr);
    VAEncoderArgs args;
    args.strArgs = "-crf 30";
    h264->setEncoderArgsV2(args);
    h264->setFileNaming(VMCFileNaming::namingSameFolder());
    config.setActiveProfileName("MP4 (H264)");
    EXPECT_EQ(appKey()["vMCLastCodecNight"], "MP4 (H264)") << "written at once";
    h264->saveProfile();

    const json key = appKey()["vMCCodec"]["MP4 (H264)"];
    EXPECT_EQ(key, json::parse(R"({"Night": {
        "vMC_CLI": "-crf 30",
        "VMCDSPEffects": "",
        "VMCUserFolderStr": "/",
        "VMCUserFolderFriendlyName": "/",
        "VMCDynamicNaming": "[origpath]/[origfilename]",
        "VMCUserFolder": 2
    }})"))
        << key.dump(4);
    EXPECT_FALSE(appKey().contains("vMCLastCodec"));

    // The main configuration does not see the batch converter's profile.
    const VMCConfig main(std::nullopt, smallCatalogue(), {});
    EXPECT_EQ(main.profileNamed("MP4 (H264)")->encoderArgsV2().strArgs, "");
    EXPECT_EQ(main.activeProfileName(), "MP4 (copy, no encoding)");
    const VMCConfig night(XStr("Night"), smallCatalogue(), {});
    EXPECT_EQ(night.profileNamed("MP4 (H264)")->encoderArgsV2().strArgs, "-crf 30");
    EXPECT_EQ(night.activeProfileName(), "MP4 (H264)");
}

TEST_F(VMCConfigStore, ValuesTakenAwayInMemoryGoFromTheStore) {
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    VMCConfig::ProfilePtr profile = config.profileNamed("MP4 (H264)");
    VAEncoderArgs args;
    args.strArgs = "-crf 20";
    args.customFormatExt = "mkv";
    args.frontendData = {{"a", "1"}, {"b", "2"}};
    profile->setEncoderArgsV2(args);
    profile->saveProfile();
    json key = appKey()["vMCCodec"]["MP4 (H264)"];
    EXPECT_EQ(key["encFrontendData"], json::parse(R"({"a": "1", "b": "2"})"));
    EXPECT_EQ(key["vMC_CustomExt"], "mkv");

    args.customFormatExt = "";
    args.frontendData.erase("a");
    profile->setEncoderArgsV2(args);
    profile->saveProfile();
    key = appKey()["vMCCodec"]["MP4 (H264)"];
    EXPECT_EQ(key["encFrontendData"], json::parse(R"({"b": "2"})"));
    EXPECT_FALSE(key.contains("vMC_CustomExt"));

    args.frontendData.clear();
    profile->setEncoderArgsV2(args);
    profile->saveProfile();
    EXPECT_FALSE(appKey()["vMCCodec"]["MP4 (H264)"].contains("encFrontendData"));
    const VMCConfig again(std::nullopt, smallCatalogue(), {});
    EXPECT_EQ(again.profileNamed("MP4 (H264)")->encoderArgsV2(), args);
}

TEST_F(VMCConfigStore, UserProfilesAreOnlySeenWhileAllowed) {
    const XStr key = "Software\\Quillmere\\VantaroVideo\\vMCCodec\\Fast \"MP4 (H264)\"";
    XRegistry::SetString("vMC_CLI", "-preset fast", XStr("HKCU"), key);
    XRegistry::SetDWORD("VMCUserFolder", 0, XStr("HKCU"), key);
    XRegistry::SetString("vMCLastCodec", "Fast \"MP4 (H264)\"");

    allowUserProfiles(false);
    {
        VMCConfig config(std::nullopt, smallCatalogue(), {});
        EXPECT_FALSE(config.allowUserProfiles());
        EXPECT_TRUE(config.userProfiles().empty());
        EXPECT_EQ(config.profileNamed("Fast \"MP4 (H264)\""), nullptr);
        EXPECT_EQ(config.activeProfileName(), "MP4 (copy, no encoding)");
        EXPECT_EQ(config.newUserProfile("Other", "MP4 (H264)"), nullptr);
        XRegistryTransaction transaction;
        config.saveAllToRegistry(transaction);
        transaction.Commit();
    }
    EXPECT_EQ(XRegistry::GetString("vMC_CLI", XStr("HKCU"), key), "-preset fast")
        << "a save while they are not allowed leaves them alone";

    allowUserProfiles(true);
    // The save above wrote the fallback as the active name.
    EXPECT_EQ(XRegistry::GetString("vMCLastCodec"), "MP4 (copy, no encoding)");
    XRegistry::SetString("vMCLastCodec", "Fast \"MP4 (H264)\"");
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    ASSERT_EQ(config.userProfiles().size(), 1u);
    EXPECT_EQ(config.activeProfileName(), "Fast \"MP4 (H264)\"");
    EXPECT_EQ(config.activeProfile()->encoderArgsV2().strArgs, "-preset fast");
    EXPECT_EQ(config.activeEncoder()->name, "MP4 (H264)");
}

TEST_F(VMCConfigStore, DeletingAUserProfileTakesEveryBatchCopyAlong) {
    allowUserProfiles(true);
    {
        VMCConfig config(std::nullopt, smallCatalogue(), {});
        config.newUserProfile("Small", "MP4 (H264)")->saveProfile();
    }
    VMCConfig::cloneBatchConverterDataFromTo(std::nullopt, XStr("Night"));
    EXPECT_TRUE(appKey()["vMCCodec"]["Small \"MP4 (H264)\""].contains("Night"));

    VMCConfig config(std::nullopt, smallCatalogue(), {});
    EXPECT_FALSE(config.deleteProfile(config.profileNamed("MP4 (H264)")))
        << "encoder profiles stay";
    EXPECT_TRUE(config.deleteProfile(config.profileNamed("Small \"MP4 (H264)\"")));
    EXPECT_EQ(config.profileNamed("Small \"MP4 (H264)\""), nullptr);
    EXPECT_TRUE(config.userProfiles().empty());
    EXPECT_FALSE(appKey()["vMCCodec"].contains("Small \"MP4 (H264)\""));
    EXPECT_TRUE(appKey()["vMCCodec"]["MP4 (H264)"].contains("Night"));
}

TEST_F(VMCConfigStore, CloningCopiesEveryProfileOfTheSourceAndItsActiveName) {
    {
        VMCConfig source(XStr("Day"), smallCatalogue(), {});
        VAEncoderArgs args;
        args.strArgs = "-crf 18";
        source.profileNamed("MP4 (H264)")->setEncoderArgsV2(args);
        source.profileNamed("MP4 (H264)")->setDspString("-dspeffect1=\"Audio Mute=\"");
        source.profileNamed("MP4 (H264)")->saveProfile();
        source.setActiveProfileName("MP4 (H264)");
    }
    VMCConfig::cloneBatchConverterDataFromTo(XStr("Day"), XStr("Night"), smallCatalogue());
    EXPECT_FALSE(appKey()["vMCCodec"].contains("WebM (VP8)")) << "only the catalogue's";
    json codec = appKey()["vMCCodec"];
    EXPECT_EQ(codec["MP4 (H264)"]["Night"], codec["MP4 (H264)"]["Day"]);
    // A profile the source never saved starts at the defaults.
    EXPECT_FALSE(codec["[Multi Encoder]"].contains("Day"));
    EXPECT_EQ(codec["[Multi Encoder]"]["Night"], untouchedProfile());
    EXPECT_EQ(appKey()["vMCLastCodecNight"], "MP4 (H264)");
    const VMCConfig night(XStr("Night"), smallCatalogue(), {});
    EXPECT_EQ(night.activeProfile()->encoderArgsV2().strArgs, "-crf 18");
    EXPECT_EQ(night.activeProfile()->dspEffects().size(), 1u);
}
