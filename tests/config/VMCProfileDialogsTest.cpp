// The dialogs around profiles as a user meets them: the names they refuse, what accepting
// does to the configuration, and the encoder settings sheet's two ways out.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VMCChooseProfileName.h"
#include "VMCConfig.h"
#include "VMCCreateProfile.h"
#include "VMCEncoderSettingsPopup.h"

namespace {

class RecordingView : public VMCCreateProfileView,
                      public VMCChooseProfileNameView,
                      public VMCEncoderSettingsPopupView {
public:
    void showAlert(const XStr& message) override { alerts.push_back(message); }
    void selectProfile(const XStr& name) override { selected.push_back(name); }
    void endSheet(int code) override { ends.push_back(code); }

    XStrList alerts;
    XStrList selected;
    std::vector<int> ends;
};

class VMCProfileDialogs : public ConfigTest {
protected:
    VMCProfileDialogs() { allowUserProfiles(true); }
};

}  // namespace

TEST_F(VMCProfileDialogs, CreateProfileRefusesTakenNamesAndMakesTheNewProfileActive) {
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    config.newUserProfile("Small", "MP4 (H264)");
    config.newUserProfile("Other", "MP4 (copy, no encoding)");
    config.setActiveProfileName("MP4 (H264)");
    VMCConfig::ProfilePtr active = config.activeProfile();
    VAEncoderArgs edited;
    edited.strArgs = "-crf 19";
    active->setEncoderArgsV2(edited);

    RecordingView view;
    VMCCreateProfile dialog(config, &view);
    EXPECT_EQ(dialog.nameFieldText(), "<type profile name>");
    EXPECT_EQ(dialog.encoderLabel(), "'MP4 (H264)'");
    EXPECT_EQ(dialog.lstProfileNamesTaken(),
              (XStrList{"[Create New Profile]", "[Delete Selected Profile]", "MP4 (H264)",
                        "MP4 (copy, no encoding)", "[Multi Encoder]", "Small"}));

    for (const char* taken : {"[Create New Profile]", "[Delete Selected Profile]", "MP4 (H264)",
                              "[Multi Encoder]", "Small"}) {
        EXPECT_FALSE(dialog.onOK(taken)) << taken;
    }
    EXPECT_EQ(view.alerts, XStrList(5, "Please choose another profile name."));
    EXPECT_EQ(dialog.createdProfile(), nullptr);
    EXPECT_FALSE(XRegistry::KeyExists(XStr("HKCU"), active->registryKey()))
        << "a refused name saves nothing";

    // The name of another encoder's user profile is free for this encoder.
    EXPECT_TRUE(dialog.onOK("Other"));
    ASSERT_NE(dialog.createdProfile(), nullptr);
    EXPECT_EQ(config.activeProfileName(), "Other \"MP4 (H264)\"");
    EXPECT_EQ(XRegistry::GetString("vMCLastCodec"), "Other \"MP4 (H264)\"");
    EXPECT_EQ(XRegistry::GetString("vMC_CLI", XStr("HKCU"), active->registryKey()), "-crf 19")
        << "the profile left behind was saved";
    EXPECT_EQ(view.selected, XStrList{"Other \"MP4 (H264)\""});
}

// Names outside the list that still cannot name a profile are refused with the reason, and
// the sheet stays open; blanks around a name do not count.
TEST_F(VMCProfileDialogs, CreateProfileSaysWhyANameCannotBeUsed) {
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    config.setActiveProfileName("MP4 (H264)");
    config.newUserProfile("small", "MP4 (H264)");
    config.newUserProfile("Two ''inch''", "MP4 (H264)");
    struct Case {
        const char* typed;
        const char* alert;
    };
    const Case cases[] = {
        {"  small ", "Please choose another profile name."},
        {"SMALL",
         "Please choose another profile name.\nIt would be the same as the profile "
         "'small \"MP4 (H264)\"'."},
        {"Two \"inch\"",
         "Please choose another profile name.\nIt would be the same as the "
         "profile 'Two ''inch'' \"MP4 (H264)\"'."},
        {"a\\b",
         "Please choose another profile name.\nA profile name cannot hold a backslash "
         "(\\)."},
        {"<type profile name>", "Please type a name for the new profile."},
        {"   ", "Please type a name for the new profile."},
    };
    for (const Case& c : cases) {
        RecordingView view;
        VMCCreateProfile dialog(config, &view);
        EXPECT_FALSE(dialog.onOK(c.typed)) << c.typed;
        EXPECT_EQ(view.alerts, XStrList{c.alert}) << c.typed;
        EXPECT_EQ(dialog.createdProfile(), nullptr);
    }
    EXPECT_EQ(config.userProfiles().size(), 2u);
    EXPECT_EQ(config.activeProfileName(), "MP4 (H264)");

    RecordingView view;
    VMCCreateProfile dialog(config, &view);
    EXPECT_TRUE(dialog.onOK("  Phone  "));
    EXPECT_EQ(config.activeProfileName(), "Phone \"MP4 (H264)\"");
    EXPECT_TRUE(view.alerts.empty());
}

TEST_F(VMCProfileDialogs, AProfileThatCannotBeMadeLeavesThePreviousActive) {
    allowUserProfiles(false);
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    config.setActiveProfileName("MP4 (H264)");
    RecordingView view;
    VMCCreateProfile dialog(config, &view);
    // User profiles are not allowed in this configuration: the name is fine, the profile
    // cannot be made.
    EXPECT_TRUE(dialog.onOK("Phone"));
    EXPECT_EQ(dialog.createdProfile(), nullptr);
    EXPECT_EQ(config.activeProfileName(), "MP4 (H264)");
    EXPECT_EQ(view.selected, XStrList{"MP4 (H264)"});
    EXPECT_TRUE(view.alerts.empty());
}

TEST_F(VMCProfileDialogs, OnlyUserProfilesAreOfferedForDeletion) {
    VMCConfig config(std::nullopt, smallCatalogue(), {});
    VMCConfig::ProfilePtr mine = config.newUserProfile("Mine", "MP4 (H264)");
    mine->saveProfile();
    VMCConfig::ProfilePtr other = config.newUserProfile("Other", "MP4 (H264)");
    other->saveProfile();
    config.setActiveProfile(*mine);
    EXPECT_TRUE(VMCCreateProfile::deleteProfile(config, other));
    EXPECT_EQ(config.activeProfileName(), "Mine \"MP4 (H264)\"") << "another one goes alone";
    EXPECT_EQ(VMCCreateProfile::deleteQuestion(*mine), "Delete profile 'Mine \"MP4 (H264)\"' ?");
    EXPECT_EQ(VMCCreateProfile::deleteQuestion(*config.profileNamed("MP4 (H264)")), std::nullopt);
    EXPECT_FALSE(VMCCreateProfile::deleteProfile(config, config.profileNamed("MP4 (H264)")));
    EXPECT_EQ(config.activeProfileName(), "Mine \"MP4 (H264)\"");
    EXPECT_TRUE(VMCCreateProfile::deleteProfile(config, mine));
    EXPECT_EQ(config.activeProfileName(), "MP4 (copy, no encoding)");
    EXPECT_FALSE(XRegistry::KeyExists(XStr("HKCU"), mine->registryKey()));
}

TEST_F(VMCProfileDialogs, ChooseProfileNameAcceptsWhatIsNotListed) {
    RecordingView view;
    VMCChooseProfileName dialog(&view);
    EXPECT_EQ(dialog.nameFieldText(), "<profile name here>");
    EXPECT_TRUE(dialog.selectsAllText());
    EXPECT_TRUE(dialog.onOK("Anything")) << "without a list every name goes";
    dialog.setInvalidNames(XStrList{"Night", "Day"});
    EXPECT_FALSE(dialog.onOK("Night"));
    EXPECT_EQ(dialog.chosenName(), "Anything");
    EXPECT_TRUE(dialog.onOK("night"));
    EXPECT_EQ(dialog.chosenName(), "night");
    EXPECT_EQ(view.alerts, XStrList{"Please choose another profile name."});
    dialog.setCopyCurrent(true);
    EXPECT_TRUE(dialog.copyCurrent());
}

TEST_F(VMCProfileDialogs, TheEncoderSettingsSheetEditsTheRecordAndEndsOnce) {
    struct Case {
        bool ok;
        int code;
        const char* args;
    };
    // The remux page writes its defaults into an empty record at once; a second audio
    // choice changes the text.
    const Case cases[] = {{true, 1, nullptr}, {false, 0, "-old"}};
    for (const Case& c : cases) {
        VAEncoderArgs args;
        args.strArgs = c.ok ? "" : "-old";
        RecordingView view;
        VMCEncoderSettingsPopup sheet("MP4 (copy, no encoding)", args, &view);
        ASSERT_TRUE(sheet.viewDidLoad());
        const XStr defaults = args.strArgs;
        EXPECT_EQ(defaults.startsWith("-vcodec copy"), c.ok) << defaults;
        ASSERT_TRUE(sheet.page()->setControl("audio", "#2"));
        EXPECT_NE(args.strArgs, defaults) << "edited in place";
        const XStr edited = args.strArgs;
        if (c.ok) {
            sheet.onOK();
        } else {
            sheet.onCancel();
        }
        sheet.onOK();
        sheet.onCancel();
        EXPECT_EQ(view.ends, std::vector<int>{c.code});
        EXPECT_EQ(sheet.result(), c.code);
        EXPECT_EQ(args.strArgs, c.args == nullptr ? edited : XStr(c.args));
    }
    VAEncoderArgs args;
    VMCEncoderSettingsPopup unknown("No Such Encoder", args, nullptr);
    EXPECT_FALSE(unknown.viewDidLoad());
}
