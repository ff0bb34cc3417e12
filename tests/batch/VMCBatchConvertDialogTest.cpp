// The batch converter's controller driven as its window would drive it.
#include "VMCBatchConvertDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "BatchTestSupport.h"
#include "VMCBatchFileListDialog.h"

namespace {

struct RecordingView : VMCBatchConvertDialogView {
    XStr status;
    XStrList profileItems;
    XStr shownProfile;
    std::vector<XStr> questions;
    std::vector<XStr> messages;
    bool filterHighlighted = false;
    // How the next question and name prompt are answered.
    bool answerYes = true;
    std::optional<XStr> nextName;
    clFolderListEntry::Ptr shownFolder;

    void folderChanged(const clFolderListEntry::Ptr&, const clFoldersAddRemove&) override {}
    void folderCheckStateChanged(const clFolderListEntry::Ptr&) override {}
    void showCurrentFolder(const clFolderListEntry::Ptr& folder) override { shownFolder = folder; }
    void refreshFiles() override {}
    void setStatusText(const XStr& text) override { status = text; }
    void setFilterHighlighted(bool active) override { filterHighlighted = active; }
    void setProfileChoices(const XStrList& items, const XStr& shown) override {
        profileItems = items;
        shownProfile = shown;
    }
    void askQuestion(const XStr& text, const XStr&, const XStr&,
                     std::function<void(bool)> answer) override {
        questions.push_back(text);
        answer(answerYes);
    }
    void askProfileName(const XStrList&, std::function<void(std::optional<XStr>)> answer) override {
        answer(nextName);
    }
    void showMessage(const XStr& text) override { messages.push_back(text); }
    void showAccessError(const clFolderListEntry::Ptr&, const XStr&) override {}
};

struct RecordingHost : VMCBatchConvertHost {
    XStrList converted;
    XStrList joined;
    std::shared_ptr<VMCBatchFileListDialog> list;
    int done = 0;
    void preConvertFrom(const XStrList& files) override { converted = files; }
    void beginConcatenate(const XStrList& files) override { joined = files; }
    void showFileList(const std::shared_ptr<VMCBatchFileListDialog>& panel) override {
        list = panel;
    }
    void onSubDialogDone() override { ++done; }
};

class BatchWindow : public BatchTest {
protected:
    void SetUp() override {
        folder("home");
        folder("home/films");
        folder("home/films/series");
        folder("home/music");
        setSize("home/films/one.mp4", 1 << 20);
        setSize("home/films/two.mp4", 2 << 20);
        setSize("home/films/three.mkv", 3 << 20);
        file("home/films/series/ep.mp4");
        file("home/music/clip.m4v");
    }
    void setSize(const std::string& name, off_t size) {
        file(name, "");
        ASSERT_EQ(truncate(path(name).c_str(), size), 0);
    }
    std::shared_ptr<VMCBatchConvertDialog> open(XStrList preselect = {}) {
        auto dialog = VMCBatchConvertDialog::create(
            mHost, mDefaults, std::move(preselect),
            [this](std::shared_ptr<clFolderListOwner> owner) {
                auto home = clFolderListEntry::rootForURL(xpath("home"), makeGlobals(owner));
                home->setCustomName("Tester's Home");
                return std::vector<clFolderListEntry::Ptr>{home};
            });
        dialog->setView(mView);
        dialog->open();
        return dialog;
    }
    void showFolder(const std::shared_ptr<VMCBatchConvertDialog>& dialog, const char* folderPath) {
        clFolderListEntry::Ptr folder = dialog->findFolder(xpath(folderPath));
        ASSERT_NE(folder, nullptr) << folderPath;
        dialog->selectFolder(folder);
        ASSERT_TRUE(
            mLoop->runUntil([&] { return folder->filesLoaded() && !folder->isLoading(); }, 20000));
        dialog->refreshStatusBar();
    }
    XStrList grab(const std::shared_ptr<VMCBatchConvertDialog>& dialog,
                  VMCBatchConvertDialog::Action action) {
        mHost->converted.clear();
        mHost->joined.clear();
        mHost->list.reset();
        const std::size_t messages = mView->messages.size();
        dialog->onButtonConvertEx(action);
        EXPECT_TRUE(mLoop->runUntil(
            [&] {
                return !mHost->converted.empty() || !mHost->joined.empty() || mHost->list ||
                       mView->messages.size() > messages;
            },
            20000));
        return action == VMCBatchConvertDialog::Action::kConvert ? mHost->converted : mHost->joined;
    }

    std::shared_ptr<RecordingView> mView = std::make_shared<RecordingView>();
    std::shared_ptr<RecordingHost> mHost = std::make_shared<RecordingHost>();
    std::shared_ptr<VMCMemoryUserDefaults> mDefaults = std::make_shared<VMCMemoryUserDefaults>();
};

TEST_F(BatchWindow, TheStatusLineCountsShownAndSelectedFilesWithTheirSizes) {
    auto dialog = open();
    EXPECT_EQ(dialog->statusText(), "Nothing selected.");
    clFolderListEntry::Ptr films = dialog->findFolder(xpath("home/films"));
    ASSERT_NE(films, nullptr);
    dialog->selectFolder(films);
    EXPECT_EQ(mView->status, "Looking for Video Files in Folder: " + xpath("home/films"));
    ASSERT_TRUE(
        mLoop->runUntil([&] { return films->filesLoaded() && !films->isLoading(); }, 20000));
    dialog->setFileChecked(fileIn(films, "one.mp4"), true);
    dialog->setFileChecked(fileIn(films, "two.mp4"), true);
    EXPECT_EQ(mView->status, "3 Video Files Shown (6 MB), 2 Files Selected (3 MB) in Folder: " +
                                 xpath("home/films"));
    dialog->onFilesUncheckAll();
    EXPECT_EQ(mView->status, "3 Video Files Shown (6 MB) in Folder: " + xpath("home/films"));
    EXPECT_EQ(films->checkState(), clFolderListEntry::kUnchecked);
    EXPECT_EQ(mDefaults->stringList(VMCBatchConvertDialog::kLocationKey),
              (XStrList{"Tester's Home", "films"}));
}

TEST_F(BatchWindow, ConvertingHandsTheCheckedFilesOnInTreeOrder) {
    auto dialog = open();
    EXPECT_TRUE(grab(dialog, VMCBatchConvertDialog::Action::kConvert).empty());
    EXPECT_EQ(mView->messages.back(), VMCBatchConvertDialog::kNoMediaFilesSelected);

    showFolder(dialog, "home/films");
    dialog->setFileChecked(fileIn(dialog->currentFolder(), "two.mp4"), true);
    EXPECT_TRUE(grab(dialog, VMCBatchConvertDialog::Action::kConcatenate).empty());
    EXPECT_EQ(mView->messages.back(), "More than one file required for concatenation.");

    dialog->setFolderCheckState(dialog->findFolder(xpath("home/films")),
                                clFolderListEntry::kRecursive);
    EXPECT_EQ(grab(dialog, VMCBatchConvertDialog::Action::kConvert),
              (XStrList{xpath("home/films/one.mp4"), xpath("home/films/three.mkv"),
                        xpath("home/films/two.mp4"), xpath("home/films/series/ep.mp4")}));
    EXPECT_EQ(grab(dialog, VMCBatchConvertDialog::Action::kConcatenate).size(), 4u);
    grab(dialog, VMCBatchConvertDialog::Action::kList);
    ASSERT_NE(mHost->list, nullptr);
    EXPECT_EQ(mHost->list->files().size(), 4u);
}

TEST_F(BatchWindow, ProfilesKeepFiltersAndSelectionsAndTheLastChoice) {
    auto dialog = open();
    EXPECT_EQ(mView->profileItems,
              (XStrList{"(none selected)", "Create Profile", "Delete Profile"}));
    showFolder(dialog, "home/films");
    dialog->setFileChecked(fileIn(dialog->currentFolder(), "one.mp4"), true);
    dialog->setFileChecked(fileIn(dialog->currentFolder(), "two.mp4"), true);
    mView->nextName = XStr("Films");
    dialog->chooseProfileItem("Create Profile");
    EXPECT_EQ(mView->profileItems,
              (XStrList{"(none selected)", "Films", "Create Profile", "Delete Profile"}));
    EXPECT_EQ(mView->shownProfile, "Films");

    VMCFileFilter filter;
    filter.setFilterMeta("File Types", VMCFileFilter::ValueSet{".MKV"});
    dialog->returnFromFiltersDialog(filter);
    EXPECT_TRUE(mView->filterHighlighted);
    EXPECT_EQ(dialog->currentFolder()->files().size(), 2u) << "the filter applies at once";

    // "(none selected)" saves the named profile's selection first.
    dialog->setFileChecked(fileIn(dialog->currentFolder(), "one.mp4"), false);
    dialog->chooseProfileItem("(none selected)");
    EXPECT_FALSE(mView->filterHighlighted);
    EXPECT_EQ(mDefaults->value(VMCBatchConvertDialog::kProfileKey), std::nullopt);
    auto saved = VMCBatchConverterProfile::profileByName("Films");
    ASSERT_TRUE(saved->selection().has_value());
    EXPECT_EQ(saved->selection()->find(xpath("home/films"))->stringValue(), "IndivSelected");
    EXPECT_EQ(saved->selection()->find(xpath("home/films/one.mp4")), nullptr);
    EXPECT_EQ(saved->selection()->find(xpath("home/films/two.mp4"))->stringValue(), "Checked");

    // Opened again, the window takes the profile chosen last.
    dialog->chooseProfileItem("Films");
    EXPECT_EQ(mDefaults->stringValue(VMCBatchConvertDialog::kProfileKey), "Films");
    dialog.reset();
    auto again = open();
    again->didLayout();
    EXPECT_EQ(mView->shownProfile, "Films");
    ASSERT_NE(again->currentFolder(), nullptr);
    EXPECT_EQ(again->currentFolder()->url(), xpath("home/films"));
    EXPECT_EQ(again->currentFolder()->checkState(), clFolderListEntry::kIndivSelected);
    EXPECT_EQ(grab(again, VMCBatchConvertDialog::Action::kConvert),
              XStrList{xpath("home/films/two.mp4")});

    mView->answerYes = false;
    again->chooseProfileItem("Delete Profile");
    EXPECT_EQ(mView->questions.back(), "Delete profile 'Films' ?");
    EXPECT_EQ(mView->shownProfile, "Films");
    mView->answerYes = true;
    again->chooseProfileItem("Delete Profile");
    EXPECT_EQ(mView->shownProfile, "(none selected)");
    EXPECT_TRUE(VMCBatchConverterProfile::listProfileNames().empty());
}

// A profile's selection reaches folders as they load, but only while that profile is chosen.
TEST_F(BatchWindow, FoldersLoadedAfterLeavingAProfileDoNotTakeItsSelection) {
    {
        auto dialog = open();
        showFolder(dialog, "home/films/series");
        dialog->setFileChecked(fileIn(dialog->currentFolder(), "ep.mp4"), true);
        mView->nextName = XStr("Series");
        dialog->chooseProfileItem("Create Profile");
        ASSERT_EQ(mView->shownProfile, "Series");
    }
    auto dialog = open();
    ASSERT_EQ(mView->shownProfile, "Series");
    dialog->chooseProfileItem("(none selected)");
    showFolder(dialog, "home/films/series");
    EXPECT_FALSE(fileIn(dialog->currentFolder(), "ep.mp4")->checked());

    dialog->chooseProfileItem("Series");
    EXPECT_TRUE(fileIn(dialog->currentFolder(), "ep.mp4")->checked());
}

TEST_F(BatchWindow, ResetAsksBeforeClearingEverySelection) {
    auto dialog = open();
    dialog->onButtonReset();
    EXPECT_TRUE(mView->questions.empty()) << "nothing selected, nothing asked";
    showFolder(dialog, "home/films");
    dialog->setFolderCheckState(dialog->currentFolder(), clFolderListEntry::kRecursive);
    mView->answerYes = false;
    dialog->onButtonReset();
    EXPECT_EQ(mView->questions.back(), "Clear All Selections?");
    EXPECT_NE(dialog->roots().front()->checkState(), clFolderListEntry::kUnchecked);
    mView->answerYes = true;
    dialog->onButtonReset();
    EXPECT_EQ(dialog->roots().front()->checkState(), clFolderListEntry::kUnchecked);
    EXPECT_EQ(dialog->currentFolder()->filesCheckState(), 0);
}

TEST_F(BatchWindow, APreselectionTicksTheGivenFoldersAndFiles) {
    auto dialog = open({xpath("home/films/series"), xpath("home/music/clip.m4v")});
    dialog->didLayout();
    ASSERT_NE(dialog->currentFolder(), nullptr);
    EXPECT_EQ(dialog->currentFolder()->url(), xpath("home")) << "the common parent";
    EXPECT_EQ(dialog->findFolder(xpath("home/films/series"))->checkState(),
              clFolderListEntry::kRecursive);
    EXPECT_EQ(grab(dialog, VMCBatchConvertDialog::Action::kConvert),
              (XStrList{xpath("home/films/series/ep.mp4"), xpath("home/music/clip.m4v")}));
}

}  // namespace
