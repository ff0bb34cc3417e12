// The file list and rename panel: what each row shows, the actions on checks and on the
// selection, typed names, the totals, and edits that reach the host's entries only with OK.
#include "VMCFileListDialog.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "ShellTestSupport.h"
#include "VMCFileAlreadyExistsDialog.h"
#include "VMCPanelHost.h"
#include "VMCPreConvertDialog.h"

namespace {

struct Recorder : VMCFileListDialog::View {
    std::vector<std::pair<std::size_t, std::size_t>> changedRows;
    int totals = 0;
    std::vector<XStrList> revealed;

    void rowsChanged(std::size_t first, std::size_t last) override {
        changedRows.emplace_back(first, last);
    }
    void totalsChanged() override { ++totals; }
    void revealFiles(const XStrList& paths) override { revealed.push_back(paths); }
};

struct HostView : VMCPanelHostView {
    void showPanel(const std::shared_ptr<VMCPanel>& /*panel*/) override {}
    void setWindowTitle(const XStr& text) override { title = text; }
    void setWindowSize(VMCPanelSize, VMCPanelSize, bool) override {}
    void closeWindow() override {}
    void runOpenFileDialog() override {}
    void showSourcesError(const XStr& /*message*/) override {}
    XStr title;
};

class VMCFileListDialogTest : public ShellTest {
protected:
    VMCFileListDialogTest() {
        mHost->setView(&mHostView);
        mHost->sourceFilesChosen({mDir.xfile("Videos/Holiday.mp4"), mDir.xfile("Videos/talk.mov"),
                                  "/srv/clips/ending.mkv"});
        mSetup = std::dynamic_pointer_cast<VMCPreConvertDialog>(mHost->currentPanel());
    }
    ~VMCFileListDialogTest() override { mHost->setView(nullptr); }

    // The list as the file-count button opens it, with the encoder given.
    std::shared_ptr<VMCFileListDialog> openList(const XStr& encoder) {
        EXPECT_TRUE(mSetup->encoderSelected(encoder)) << encoder;
        mSetup->onButtonFileList();
        auto list = std::dynamic_pointer_cast<VMCFileListDialog>(mHost->currentPanel());
        EXPECT_NE(list, nullptr);
        if (list) {
            list->setView(&mView);
            list->setClock([] { return std::time_t{1700000000}; });
            list->oneTimeInit();
        }
        return list;
    }
    XStrList checks(const VMCFileListDialog& list) const {
        XStrList out;
        for (std::size_t row = 0; row < list.rowCount(); ++row) {
            out.push_back(list.checkedAt(row) ? "x" : "-");
        }
        return out;
    }
    XStrList entryChecks() const {
        XStrList out;
        for (const VMCPreConvertEntry& entry : mHost->entries()) {
            out.push_back(entry.checked ? "x" : "-");
        }
        return out;
    }

    ScopedEnv mTimeZone{"TZ", "UTC"};
    std::unique_ptr<VMCPanelHost> mHost = VMCPanelHost::newLauncher();
    HostView mHostView;
    std::shared_ptr<VMCPreConvertDialog> mSetup;
    Recorder mView;
};

TEST_F(VMCFileListDialogTest, RowsShowSourceNameAndWhatIsNotKnownYet) {
    ASSERT_NE(mSetup, nullptr);
    mHost->entries()[2].source->specialActionDesc = "join 3 files";
    auto list = openList("Matroska (copy, no encoding)");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(mHostView.title, XStr("List & Rename Files"));
    ASSERT_EQ(list->rowCount(), 3u);
    using Dialog = VMCFileListDialog;
    const XStrList expected[] = {
        {"Videos/Holiday.mp4", "Holiday", "N/A", "N/A", "N/A"},
        {"Videos/talk.mov", "talk", "N/A", "N/A", "N/A"},
        {"/srv/clips/ending.mkv [join 3 files]", "ending", "N/A", "N/A", "N/A"},
    };
    for (std::size_t row = 0; row < 3; ++row) {
        XStrList cells;
        for (const Dialog::Column column :
             {Dialog::kColumnSource, Dialog::kColumnDestination, Dialog::kColumnDuration,
              Dialog::kColumnSourceType, Dialog::kColumnEstimatedSize}) {
            cells.push_back(list->cellText(row, column));
        }
        EXPECT_EQ(cells, expected[row]);
    }
    EXPECT_TRUE(list->destinationEditable());
    EXPECT_EQ(list->totalsText(), XStr("Converting 3 Files to Matroska (copy, no encoding)"));
    EXPECT_EQ(list->estimatedTotalText(), XStr()) << "no encoder estimates sizes";

    // A template that reads tags has no name before the file's information is there.
    VMCFileNaming naming = VMCFileNaming::namingPreservePath(mDir.xfile("out"));
    naming.setDynamicFormat("[artist] - [origfilename]");
    mSetup->locationPicker().applyNaming(naming);
    list->refreshDialog();
    EXPECT_EQ(list->destinationUserAt(0), XStr());
    naming.setDynamicFormat("[TRIMFIRSTFOLDER][origpath][]/[origfilename]");
    mSetup->locationPicker().applyNaming(naming);
    list->refreshDialog();
    EXPECT_EQ(list->destinationUserAt(2), XStr("srv/clips/ending"));
    // The sources' own folders under the destination, without the doubled "/".
    mSetup->locationPicker().applyNaming(VMCFileNaming::namingPreservePath(mDir.xfile("out")));
    list->refreshDialog();
    EXPECT_EQ(list->destinationUserAt(2), XStr("/srv/clips/ending"));
}

TEST_F(VMCFileListDialogTest, AnEncoderWithoutFilesHasNoNamesToType) {
    auto list = openList("[Multi Encoder]");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->destinationEditable());
    for (std::size_t row = 0; row < list->rowCount(); ++row) {
        EXPECT_EQ(list->cellText(row, VMCFileListDialog::kColumnDestination),
                  XStr("< [Multi Encoder] >"));
    }
    list->setDestinationUserAt(0, "typed");
    list->onMenuAppendDateTime();
    list->setCheckedAt(1, false);
    list->onOK();
    EXPECT_EQ(entryChecks(), (XStrList{"x", "-", "x"})) << "OK applies the checks";
    for (const VMCPreConvertEntry& entry : mHost->entries()) {
        EXPECT_FALSE(entry.destinationUser) << "and no names";
    }
}

TEST_F(VMCFileListDialogTest, ActionsOnChecksAndSelection) {
    struct Row {
        const char* name;
        XStrList before;
        std::function<void(VMCFileListDialog&)> action;
        XStrList after;
        bool refreshes;
    };
    const Row table[] = {
        {"uncheck all",
         {"x", "-", "x"},
         [](auto& l) { l.toggleAll(false); },
         {"-", "-", "-"},
         true},
        {"check all", {"-", "-", "x"}, [](auto& l) { l.toggleAll(true); }, {"x", "x", "x"}, true},
        {"invert", {"x", "-", "x"}, [](auto& l) { l.onInvertCheck(); }, {"-", "x", "-"}, true},
        {"only the selected",
         {"x", "x", "-"},
         [](auto& l) { EXPECT_TRUE(l.onCheckOnlySelected({2})); },
         {"-", "-", "x"},
         true},
        {"only the selected, already so",
         {"x", "-", "x"},
         [](auto& l) {
             EXPECT_FALSE(l.onCheckOnlySelected({0, 2}));
         },
         {"x", "-", "x"},
         false},
        {"toggle: the first selected is checked",
         {"x", "-", "-"},
         [](auto& l) {
             l.onToggleSelected({0, 1});
         },
         {"-", "-", "-"},
         true},
        {"toggle: the first selected is unchecked",
         {"x", "-", "-"},
         [](auto& l) {
             l.onToggleSelected({1, 0});
         },
         {"x", "x", "-"},
         true},
        {"one row's box",
         {"x", "x", "x"},
         [](auto& l) { l.setCheckedAt(1, false); },
         {"x", "-", "x"},
         true},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        for (std::size_t i = 0; i < mHost->entries().size(); ++i) {
            mHost->entries()[i].checked = row.before[i] == "x";
        }
        auto list = openList("Matroska (copy, no encoding)");
        ASSERT_NE(list, nullptr);
        const int totals = mView.totals;
        row.action(*list);
        EXPECT_EQ(checks(*list), row.after);
        EXPECT_EQ(mView.totals > totals, row.refreshes);
        EXPECT_EQ(entryChecks(), row.before) << "nothing applied before OK";
        list->onCancel();
        EXPECT_EQ(mHost->currentPanel(), mSetup) << "the setup panel is back";
        EXPECT_EQ(entryChecks(), row.before) << "nothing applied with Cancel";
    }
}

TEST_F(VMCFileListDialogTest, MenuTextsFollowTheSelection) {
    struct Row {
        std::size_t selected;
        bool enabled;
        XStr toggle;
        XStr reveal;
    };
    const Row table[] = {
        {0, false, "Toggle Selected Items", "Reveal Source Files in File Manager"},
        {1, true, "Toggle Selected Item", "Reveal Source File in File Manager"},
        {2, true, "Toggle Selected Items", "Reveal Source Files in File Manager"},
    };
    for (const Row& row : table) {
        EXPECT_EQ(VMCFileListDialog::selectionActionsEnabled(row.selected), row.enabled);
        EXPECT_EQ(VMCFileListDialog::toggleSelectedTitle(row.selected), row.toggle);
        EXPECT_EQ(VMCFileListDialog::revealTitle(row.selected), row.reveal);
    }
    auto list = openList("Matroska (copy, no encoding)");
    ASSERT_NE(list, nullptr);
    list->onRevealSources({2, 0});
    list->onRevealSources({});
    EXPECT_EQ(mView.revealed,
              (std::vector<XStrList>{{"/srv/clips/ending.mkv", mDir.xfile("Videos/Holiday.mp4")}}));
}

TEST_F(VMCFileListDialogTest, TotalsCountTheCheckedRows) {
    struct Row {
        XStrList checks;
        XStr text;
    };
    const Row table[] = {
        {{"-", "-", "-"}, "Converting 0 Files to Matroska (copy, no encoding)"},
        {{"-", "x", "-"}, "Converting 1 File to Matroska (copy, no encoding)"},
        {{"x", "x", "-"}, "Converting 2 Files to Matroska (copy, no encoding)"},
    };
    auto list = openList("Matroska (copy, no encoding)");
    ASSERT_NE(list, nullptr);
    for (const Row& row : table) {
        for (std::size_t i = 0; i < row.checks.size(); ++i) {
            list->setCheckedAt(i, row.checks[i] == "x");
        }
        EXPECT_EQ(list->totalsText(), row.text);
    }
}

TEST_F(VMCFileListDialogTest, TypedNamesReachTheEntriesWithOK) {
    auto list = openList("Matroska (copy, no encoding)");
    ASSERT_NE(list, nullptr);
    list->setDestinationUserAt(0, "Holiday");
    EXPECT_FALSE(list->getEditDataAt(0).destinationUser) << "the shown name is no typed name";
    list->setDestinationUserAt(0, "Summer/Beach");
    EXPECT_EQ(list->cellText(0, VMCFileListDialog::kColumnDestination), XStr("Summer/Beach"));
    list->setDestinationUserAt(1, "talk\nshow");
    EXPECT_EQ(list->cellText(1, VMCFileListDialog::kColumnDestination), XStr("talk\\nshow"))
        << "shown escaped";
    EXPECT_EQ(list->destinationUserAt(1), XStr("talk\nshow")) << "edited as typed";
    list->setDestinationUserAt(1, "  ");
    EXPECT_FALSE(list->getEditDataAt(1).destinationUser) << "emptied: the naming's name again";
    EXPECT_EQ(list->destinationUserAt(1), XStr("talk"));

    // Appended to every row as shown; the date's "/" become "-".
    list->onMenuAppendDateTime();
    const XStr suffix = VMCFileAlreadyExistsDialog::dateSuffix(1700000000);
    EXPECT_TRUE(suffix.startsWith(" - 11-14-23")) << suffix;
    EXPECT_EQ(list->destinationUserAt(0), "Summer/Beach" + suffix);
    EXPECT_EQ(list->destinationUserAt(1), "talk" + suffix);
    EXPECT_EQ(list->destinationUserAt(2), "ending" + suffix);
    EXPECT_FALSE(mHost->entries()[1].destinationUser);

    list->onOK();
    EXPECT_EQ(mHost->currentPanel(), mSetup);
    EXPECT_TRUE(mSetup->userPathsPresent());
    EXPECT_EQ(mHost->entries()[0].destinationUser, std::optional<XStr>("Summer/Beach" + suffix));
    EXPECT_EQ(mHost->entries()[2].destinationUser, std::optional<XStr>("ending" + suffix));

    // Opened again, the list starts from the entries.
    auto again = openList("Matroska (copy, no encoding)");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->destinationUserAt(0), "Summer/Beach" + suffix);
    again->toggleAll(false);
    again->onOK();
    EXPECT_EQ(mSetup->fileCountText(), XStr("No files"));
    EXPECT_FALSE(mSetup->convertEnabled());
}

}  // namespace
