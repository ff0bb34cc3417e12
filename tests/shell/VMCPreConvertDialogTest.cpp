// The setup panel as a user drives it: the encoder picker and its profiles, the page of
// the active profile, the file count, and Convert with its check of the destination.
#include "VMCPreConvertDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ShellTestSupport.h"
#include "VMCConfig.h"
#include "VMCPanelHost.h"
#include "XRegistry.h"

namespace {

struct Recorder : VMCPreConvertDialog::View {
    int pickerChanges = 0;
    int pageChanges = 0;
    int countChanges = 0;
    int installs = 0;
    XStrList alerts;
    std::vector<std::pair<XStr, XStr>> nameRequests;
    XStrList deleteQuestions;

    void encoderPickerChanged() override { ++pickerChanges; }
    void encoderPageChanged() override { ++pageChanges; }
    void fileCountChanged() override { ++countChanges; }
    void showAlert(const XStr& message) override { alerts.push_back(message); }
    void askNewProfileName(const XStr& field, const XStr& encoder) override {
        nameRequests.emplace_back(field, encoder);
    }
    void askDeleteProfile(const XStr& question) override { deleteQuestions.push_back(question); }
    void showFFmpegInstall() override { ++installs; }
};

// The picker's rows as the user reads them: separators as "---", rows that cannot be
// chosen in brackets.
XStrList rows(const VMCPreConvertDialog& dialog) {
    XStrList out;
    for (const VMCPreConvertDialog::PickerItem& item : dialog.pickerItems()) {
        if (item.kind == VMCPreConvertDialog::PickerItem::Kind::kSeparator) {
            out.push_back("---");
        } else {
            out.push_back(item.enabled ? item.title : "(" + item.title + ")");
        }
    }
    return out;
}

XStr selectedRow(const VMCPreConvertDialog& dialog) {
    const std::optional<std::size_t> at = dialog.selectedPickerIndex();
    return at ? dialog.pickerItems()[*at].title : XStr("(none)");
}

const XRegistryName kRoot{XStr("HKCU")};

XStr stored(const VMCProfile& profile, const char* value) {
    return XRegistry::GetString(value, kRoot, profile.registryKey());
}

class VMCPreConvertDialogTest : public ShellTest {
protected:
    std::shared_ptr<VMCConfig> config(std::vector<VAEncoderDesc> encoders = smallCatalogue()) {
        return std::make_shared<VMCConfig>(std::nullopt, std::move(encoders),
                                           std::vector<VADSPDesc>());
    }
    void addEntries(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            mHost.entries().push_back(VMCPreConvertEntry::withSource(
                VAConvertSource::withURL(XStr::format("/clips/%zu.mp4", i))));
        }
    }

    VMCPanelHost mHost;
    Recorder mView;
};

TEST_F(VMCPreConvertDialogTest, ThePickerListsEncodersSeparatorsAndProfiles) {
    const XStr install = VMCPreConvertDialog::kInstallCodecs;
    struct Row {
        const char* name;
        std::vector<VAEncoderDesc> encoders;
        bool allowProfiles;
        XStrList userNames;
        XStrList expected;
    };
    const Row table[] = {
        {"GPL encoders offered",
         smallCatalogue(),
         false,
         {},
         {"[Multi Encoder]", "---", "MP4 (copy, no encoding)", "MP4 (H264)"}},
        {"without them",
         catalogueWithoutGPL(),
         false,
         {},
         {"[Multi Encoder]", "---", "AVI", "MP4 (copy, no encoding)", "---", install}},
        {"profiles allowed, none made",
         smallCatalogue(),
         true,
         {},
         {"[Multi Encoder]", "---", "MP4 (copy, no encoding)", "MP4 (H264)", "---",
          "[Create New Profile]", "([Delete Selected Profile])"}},
        {"user profiles",
         catalogueWithoutGPL(),
         true,
         {"Big", "Small"},
         {"[Multi Encoder]", "---", "AVI", "MP4 (copy, no encoding)", "---", install, "---",
          "[Create New Profile]", "([Delete Selected Profile])", "---", "Big \"AVI\"",
          "Small \"AVI\""}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        allowUserProfiles(row.allowProfiles);
        {
            VMCConfig maker(std::nullopt, row.encoders, {});
            for (const XStr& user : row.userNames) {
                maker.newUserProfile(user, "AVI")->saveProfile();
            }
        }
        VMCPreConvertDialog dialog(mHost, config(row.encoders));
        EXPECT_EQ(rows(dialog), row.expected);
        EXPECT_EQ(selectedRow(dialog), XStr("MP4 (copy, no encoding)"));
        for (const VMCPreConvertDialog::PickerItem& item : dialog.pickerItems()) {
            const bool profile = item.kind == VMCPreConvertDialog::PickerItem::Kind::kProfile;
            EXPECT_EQ(item.logoPath.empty(), !profile) << item.title;
        }
        XRegistry::DeleteKey("vMCCodec", kRoot, XStr(VMCConfig::kAppKey));
    }
}

TEST_F(VMCPreConvertDialogTest, RowsThatAreNoProfileLeaveTheActiveProfileAlone) {
    VMCPreConvertDialog dialog(mHost, config(catalogueWithoutGPL()));
    dialog.setView(&mView);
    const XStr before = dialog.activeProfileName();
    VMCEncoderPage* page = dialog.encoderPage();
    for (const XStr& title : {XStr(VMCPreConvertDialog::kInstallCodecs), XStr(before)}) {
        ASSERT_TRUE(dialog.encoderSelected(title)) << title;
    }
    dialog.encoderSelected(std::size_t{1});  // the separator
    dialog.encoderSelected(std::size_t{99});
    EXPECT_EQ(mView.installs, 1) << "the install row only asks the view";
    EXPECT_EQ(dialog.activeProfileName(), before);
    EXPECT_EQ(dialog.encoderPage(), page) << "the page stays";
    EXPECT_EQ(mView.pageChanges, 0);
    EXPECT_EQ(mView.pickerChanges, 4) << "the picker shows the active profile again each time";
}

// Leaving a profile saves it; the new profile brings its page, destination and effects.
TEST_F(VMCPreConvertDialogTest, ChoosingAnEncoderSavesTheOldProfileAndShowsTheNew) {
    const TestTempDir out;
    {
        VMCConfig maker(std::nullopt, smallCatalogue(), {});
        const VMCConfig::ProfilePtr h264 = maker.profileNamed("MP4 (H264)");
        h264->setDspString("-dspeffect1=\"Crop=-vf crop=10:10:0:0\"");
        h264->setFileNaming(VMCFileNaming::namingSingleFolder(XStr(out.path())));
        h264->saveProfile();
    }
    VMCPreConvertDialog dialog(mHost, config());
    dialog.setView(&mView);
    const VMCConfig::ProfilePtr copy = dialog.config().profileNamed("MP4 (copy, no encoding)");
    ASSERT_NE(dialog.encoderPage(), nullptr);
    const XStr defaults = copy->encoderArgsV2().strArgs;
    EXPECT_FALSE(defaults.empty()) << "a new page writes its defaults to the profile";
    EXPECT_TRUE(stored(*copy, "vMC_CLI").empty()) << "nothing saved before leaving";

    ASSERT_TRUE(dialog.encoderSelected("MP4 (H264)"));
    EXPECT_EQ(stored(*copy, "vMC_CLI"), defaults);
    EXPECT_EQ(XRegistry::GetString("vMCLastCodec"), XStr("MP4 (H264)"));
    EXPECT_EQ(selectedRow(dialog), XStr("MP4 (H264)"));
    EXPECT_EQ(mView.pageChanges, 1);
    ASSERT_NE(dialog.encoderPage(), nullptr);
    EXPECT_TRUE(dialog.encoderPage()->setControl("quality", "#3"));
    const VMCConfig::ProfilePtr h264 = dialog.config().profileNamed("MP4 (H264)");
    EXPECT_EQ(h264->encoderArgsV2().strArgs, dialog.encoderArgs())
        << "the page writes to the profile shown";
    EXPECT_EQ(dialog.effects().chain(), (VADSPChain{VADSPSpec{"Crop", "-vf crop=10:10:0:0"}}));
    ASSERT_TRUE(dialog.locationPicker().fileNaming().has_value());
    EXPECT_TRUE(dialog.locationPicker().fileNaming()->destination().isEqualTo(
        VMCLocationDescriptor::withURL(XStr(out.path()))));
}

TEST_F(VMCPreConvertDialogTest, ProfilesAreCreatedUnderFreeNamesAndDeletedAfterAsking) {
    allowUserProfiles(true);
    std::shared_ptr<VMCConfig> shared = config();
    shared->setActiveProfileName("MP4 (H264)");
    VMCPreConvertDialog dialog(mHost, shared);
    dialog.setView(&mView);
    ASSERT_TRUE(dialog.encoderSelected(VMCCreateProfile::kCreateItem));
    ASSERT_EQ(mView.nameRequests.size(), 1u);
    EXPECT_EQ(mView.nameRequests[0],
              std::make_pair(XStr("<type profile name>"), XStr("'MP4 (H264)'")));
    for (const char* taken : {"[Create New Profile]", "[Delete Selected Profile]",
                              "MP4 (copy, no encoding)", "[Multi Encoder]"}) {
        EXPECT_FALSE(dialog.createProfileNamed(taken)) << taken;
    }
    EXPECT_EQ(mView.alerts, XStrList(4, "Please choose another profile name."));
    EXPECT_EQ(dialog.config().userProfiles().size(), 0u);

    ASSERT_TRUE(dialog.encoderPage()->setControl("quality", "#2"));
    const XStr edited = dialog.encoderArgs();
    EXPECT_TRUE(dialog.createProfileNamed("Small"));
    const XStr small = "Small \"MP4 (H264)\"";
    EXPECT_EQ(dialog.activeProfileName(), small);
    EXPECT_EQ(selectedRow(dialog), small);
    EXPECT_EQ(stored(*dialog.config().profileNamed("MP4 (H264)"), "vMC_CLI"), edited)
        << "the profile left behind was saved";
    EXPECT_EQ(rows(dialog),
              (XStrList{"[Multi Encoder]", "---", "MP4 (copy, no encoding)", "MP4 (H264)", "---",
                        "[Create New Profile]", "[Delete Selected Profile]", "---", small}));

    // The same user name for the same encoder is taken now.
    ASSERT_TRUE(dialog.encoderSelected(VMCCreateProfile::kCreateItem));
    EXPECT_FALSE(dialog.createProfileNamed("Small"));
    dialog.cancelCreateProfile();
    EXPECT_EQ(mView.alerts.size(), 5u);

    ASSERT_TRUE(dialog.encoderSelected(VMCCreateProfile::kDeleteItem));
    EXPECT_EQ(mView.deleteQuestions, XStrList{"Delete profile 'Small \"MP4 (H264)\"' ?"});
    dialog.deleteProfileAnswered(false);
    EXPECT_EQ(dialog.activeProfileName(), small) << "No keeps the profile";
    dialog.panelWillClose();
    const XStr key = dialog.config().profileNamed(small)->registryKey();
    EXPECT_TRUE(XRegistry::KeyExists(kRoot, key));

    ASSERT_TRUE(dialog.encoderSelected(VMCCreateProfile::kDeleteItem));
    dialog.deleteProfileAnswered(true);
    EXPECT_EQ(dialog.activeProfileName(), XStr("MP4 (copy, no encoding)"));
    EXPECT_EQ(selectedRow(dialog), XStr("MP4 (copy, no encoding)"));
    EXPECT_FALSE(XRegistry::KeyExists(kRoot, key));
    EXPECT_EQ(rows(dialog),
              (XStrList{"[Multi Encoder]", "---", "MP4 (copy, no encoding)", "MP4 (H264)", "---",
                        "[Create New Profile]", "([Delete Selected Profile])"}))
        << "the separator before the user profiles goes with the last of them";

    // An encoder profile is never deleted.
    dialog.encoderSelected(VMCCreateProfile::kDeleteItem);
    EXPECT_EQ(mView.deleteQuestions.size(), 2u);
}

TEST_F(VMCPreConvertDialogTest, TheFileCountReadsAsWordsAndConvertNeedsACheckedFile) {
    struct Row {
        std::size_t files;
        std::vector<std::size_t> unchecked;
        const char* text;
        bool convert;
    };
    const Row table[] = {
        {0, {}, "No files", false}, {1, {}, "1 file", true},     {2, {0, 1}, "No files", false},
        {3, {1}, "2 files", true},  {3, {0, 2}, "1 file", true}, {1000, {}, "1000 files", true},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.text);
        mHost.entries().clear();
        addEntries(row.files);
        VMCPreConvertDialog dialog(mHost, config());
        dialog.setView(&mView);
        const int before = mView.countChanges;
        for (const std::size_t i : row.unchecked) {
            mHost.entries()[i].checked = false;
        }
        dialog.entriesChanged();
        EXPECT_EQ(mView.countChanges, before + 1);
        EXPECT_EQ(dialog.fileCountText(), XStr(row.text));
        EXPECT_EQ(dialog.convertEnabled(), row.convert);
        dialog.onButtonGo();
        EXPECT_EQ(XRegistry::KeyExists(kRoot, dialog.config().activeProfile()->registryKey()),
                  row.convert)
            << "Convert saves the profile only when it may go on";
        XRegistry::DeleteKey("vMCCodec", kRoot, XStr(VMCConfig::kAppKey));
    }

    mHost.entries().clear();
    addEntries(2);
    mHost.entries()[0].source->specialActionDesc = XStr("join the clips");
    EXPECT_EQ(VMCPreConvertDialog(mHost, config()).fileCountText(), XStr("Join the clips"));
}

// Convert stops at a destination that cannot be reached, whatever the panel shows; output
// beside the sources needs no destination.
TEST_F(VMCPreConvertDialogTest, AnUnreachableDestinationKeepsThePanel) {
    writeTextFile(mDir.file("file"), "not a folder");
    const XStr unreachable = mDir.xfile("file/below");
    const XStr alert =
        "Could not access destination folder:\n~/file/below\nIf it is a network share, please "
        "make sure it is accessible.";
    mHost.preConvertFrom({XStr("/clips/a.mp4")}, nullptr);
    auto setup = std::dynamic_pointer_cast<VMCPreConvertDialog>(mHost.currentPanel());
    ASSERT_NE(setup, nullptr);
    setup->setView(&mView);
    struct Row {
        const char* name;
        VMCFileNaming naming;
        bool stops;
    };
    VMCFileNaming besideSources = VMCFileNaming::namingSingleFolder(unreachable);
    besideSources.setFileNamingType(VMCFileNaming::kSameFolder);
    const Row table[] = {
        {"one folder", VMCFileNaming::namingSingleFolder(unreachable), true},
        {"the sources' paths", VMCFileNaming::namingPreservePath(unreachable), true},
        {"beside the sources", besideSources, false},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        mView.alerts.clear();
        setup->locationPicker().applyNaming(row.naming);
        setup->onButtonGo();
        EXPECT_EQ(mView.alerts, row.stops ? XStrList{alert} : XStrList{});
        if (row.stops) {
            EXPECT_EQ(mHost.currentPanel(), setup);
        }
        const VMCConfig::ProfilePtr profile = setup->config().activeProfile();
        EXPECT_EQ(XRegistry::GetDWORD("VMCUserFolder", kRoot, profile->registryKey()),
                  row.naming.fileNamingType())
            << "the profile is saved before the destination is tried";
    }
}

}  // namespace
