// The file list and rename panel driven as a user does from the setup panel's file count:
// rows checked and unchecked with the keyboard, a name typed into the list, the menu's
// texts and the file manager, Cancel; then OK and Convert, and the typed name is the name
// of the converted file.
#include "VMCFileListDialogView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "GuiAccessibility.h"
#include "GuiMenus.h"
#include "GuiSetupWindow.h"
#include "VAStringTools.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCProgressPanelView.h"
#include "VMCRevealInFileManager.h"

namespace {

using Dialog = VMCFileListDialog;

// The list, opened from the setup panel's file count with its shortcut.
VMCFileListDialogView* openList(GuiTest::SetupWindow& setup) {
    QTest::keyClick(setup.view->encoderPicker(), Qt::Key_L, Qt::ControlModifier);
    return GuiTest::waitForPanel<VMCFileListDialogView>(setup.window, 10000);
}

QString cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

QStringList checks(QTableView* table) {
    QStringList out;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        out.push_back(table->model()
                                  ->index(row, Dialog::kColumnChecked)
                                  .data(Qt::CheckStateRole)
                                  .value<Qt::CheckState>() == Qt::Checked
                          ? QStringLiteral("x")
                          : QStringLiteral("-"));
    }
    return out;
}

class FileListWindow : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTest::chooseFromCombo(mSetup.view->encoderPicker(), QStringLiteral("MP4 (H264)"));
        mSetup.activate();
        // Outputs beside their sources, whatever an earlier test left in the profile.
        VMCFileNaming beside;
        beside.setFileNamingType(VMCFileNaming::kSameFolder);
        mSetup.view->dialog().locationPicker().applyNaming(beside);
        VAFileInfoCache* cache = mSetup.window.host().fileInfoCache();
        ASSERT_TRUE(GuiTest::waitUntil([cache] { return cache->allLoaded(); }));
    }
    void TearDown() override { VMCRevealInFileManager::setHandlerForTests(nullptr); }

    GuiTest::SetupWindow mSetup{false, {"beach.mkv", "interview.mov", "talk.mkv"}};
};

TEST_F(FileListWindow, ChecksNamesAndMenusStayInTheListUntilOK) {
    VMCFileListDialogView* list = openList(mSetup);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(mSetup.window.windowTitle(), QStringLiteral("List & Rename Files"));
    GuiTest::expectEveryControlNamed(list);
    QTableView* table = list->table();
    EXPECT_EQ(QApplication::focusWidget(), table) << "the keyboard starts in the list";
    // Tab goes from the list through the buttons, in the order they are shown.
    QList<QWidget*> expected{table, list->checkAllButton(), list->uncheckAllButton(),
                             list->actionsButton()};
    QList<QPushButton*> ends{list->okButton(), list->cancelButton()};
    std::sort(ends.begin(), ends.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    for (QPushButton* b : ends) {
        expected.push_back(b);
    }
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), table) << "and round again";
    ASSERT_EQ(table->model()->rowCount(), 3);
    QStringList titles;
    for (int column = 0; column < Dialog::kColumnCount; ++column) {
        titles.push_back(table->model()->headerData(column, Qt::Horizontal).toString());
    }
    EXPECT_EQ(titles,
              (QStringList{QString(), QStringLiteral("Source"), QStringLiteral("Destination"),
                           QStringLiteral("Duration"), QStringLiteral("Source Type"),
                           QStringLiteral("Estimated Size")}));
    // What the probe found, as every list shows lengths.
    const VAFileInfoCache* cache = mSetup.window.host().fileInfoCache();
    for (int row = 0; row < 3; ++row) {
        const auto info = cache->mediaInfoForIndex(static_cast<std::size_t>(row));
        ASSERT_NE(info, nullptr);
        EXPECT_GT(info->lengthMS(), 0u);
        EXPECT_EQ(GuiTest::fromQt(cell(table, row, Dialog::kColumnDuration)),
                  VAStringTools::formatDuration(info->lengthMS()));
        EXPECT_EQ(cell(table, row, Dialog::kColumnEstimatedSize), QStringLiteral("N/A"));
    }
    EXPECT_EQ(cell(table, 1, Dialog::kColumnSourceType), QStringLiteral("MOV"));
    EXPECT_EQ(cell(table, 1, Dialog::kColumnDestination), QStringLiteral("interview"));
    EXPECT_TRUE(cell(table, 1, Dialog::kColumnSource).endsWith(QStringLiteral("/interview.mov")));
    EXPECT_EQ(list->totalsLabel()->text(), QStringLiteral("Converting 3 Files to MP4 (H264)"));
    EXPECT_TRUE(list->estimateLabel()->isHidden()) << "no sizes are estimated";

    // Down to the second row, Space unchecks it; with the third, Space follows the first.
    QTest::keyClick(table, Qt::Key_Down);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(checks(table), (QStringList{"x", "-", "x"}));
    EXPECT_EQ(list->totalsLabel()->text(), QStringLiteral("Converting 2 Files to MP4 (H264)"));
    QMenu* menu = list->actionsMenu();
    Q_EMIT menu->aboutToShow();
    EXPECT_NE(GuiTest::menuAction(menu, QStringLiteral("Toggle Selected Item")), nullptr);
    QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(checks(table), (QStringList{"x", "x", "x"}));
    Q_EMIT menu->aboutToShow();
    EXPECT_NE(GuiTest::menuAction(menu, QStringLiteral("Toggle Selected Items")), nullptr);

    // The sources of the selected rows go to the file manager.
    QStringList revealed;
    VMCRevealInFileManager::setHandlerForTests(
        [&revealed](const QStringList& urls) { revealed = urls; });
    GuiTest::chooseFromMenu(menu, QStringLiteral("Reveal Source Files in File Manager"),
                            [list] { QTest::keyClick(list, Qt::Key_M, Qt::AltModifier); });
    mSetup.activate();
    EXPECT_EQ(revealed, VMCRevealInFileManager::fileURLs(
                            {mSetup.dir.xfile("interview.mov"), mSetup.dir.xfile("talk.mkv")}));

    // A name typed for the first file: F2, the name, Return.
    table->setCurrentIndex(table->model()->index(0, Dialog::kColumnDestination));
    QTest::keyClick(table, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("beach"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Summer/At the beach"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the key's events have run.
    EXPECT_TRUE(GuiTest::waitUntil([table] {
        return cell(table, 0, Dialog::kColumnDestination) == QStringLiteral("Summer/At the beach");
    }));

    // Uncheck All, then Escape: nothing reaches the entries.
    QTest::keyClick(table, Qt::Key_U, Qt::AltModifier);
    EXPECT_TRUE(GuiTest::waitUntil([table] {
        return checks(table) ==
               QStringList{QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
    }));
    EXPECT_EQ(list->totalsLabel()->text(), QStringLiteral("Converting 0 Files to MP4 (H264)"));
    QTest::keyClick(table, Qt::Key_Escape);
    auto* setup = GuiTest::waitForPanel<VMCPreConvertDialogView>(mSetup.window, 10000);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->fileCountButton()->text(), QStringLiteral("3 files"));
    for (const VMCPreConvertEntry& entry : mSetup.window.host().entries()) {
        EXPECT_TRUE(entry.checked);
        EXPECT_FALSE(entry.destinationUser);
    }
    mSetup.window.close();
}

// The name typed in the list is the name of the converted file, and the file unchecked in
// it is not converted.
TEST_F(FileListWindow, ARenameInTheListNamesTheConvertedFile) {
    ASSERT_EQ(mkdir(mSetup.dir.file("out").c_str(), 0755), 0);
    mSetup.view->dialog().locationPicker().applyNaming(
        VMCFileNaming::namingSingleFolder(mSetup.dir.xfile("out")));
    VMCFileListDialogView* list = openList(mSetup);
    ASSERT_NE(list, nullptr);
    QTableView* table = list->table();

    table->setCurrentIndex(table->model()->index(0, Dialog::kColumnDestination));
    QTest::keyClick(table, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Renamed beach"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(GuiTest::waitUntil([table] {
        return cell(table, 0, Dialog::kColumnDestination) == QStringLiteral("Renamed beach");
    }));
    table->setCurrentIndex(table->model()->index(1, Dialog::kColumnDestination));
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(checks(table), (QStringList{"x", "-", "x"}));
    // A name still being typed when OK is pressed counts too.
    table->setCurrentIndex(table->model()->index(2, Dialog::kColumnDestination));
    QTest::keyClick(table, Qt::Key_F2);
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("talk, edited"));
    QTest::mouseClick(list->okButton(), Qt::LeftButton);

    auto* setup = GuiTest::waitForPanel<VMCPreConvertDialogView>(mSetup.window, 10000);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->fileCountButton()->text(), QStringLiteral("2 files"));
    const std::vector<VMCPreConvertEntry>& entries = mSetup.window.host().entries();
    EXPECT_EQ(entries[0].destinationUser, std::optional<XStr>("Renamed beach"));
    EXPECT_EQ(entries[2].destinationUser, std::optional<XStr>("talk, edited"));
    EXPECT_FALSE(entries[1].checked);

    QTest::mouseClick(setup->convertButton(), Qt::LeftButton);
    auto* progress = GuiTest::waitForPanel<VMCProgressPanelView>(mSetup.window);
    ASSERT_NE(progress, nullptr);
    QPointer<QPushButton> cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_TRUE(GuiTest::waitUntil(
        [&] { return cancel.isNull() || cancel->text() == QStringLiteral("&Finish"); },
        GuiTest::kConversionDeadlineMs));
    EXPECT_EQ(progress->findChild<QProgressBar*>(QStringLiteral("overall"))->value(), 100);
    for (const char* output : {"out/Renamed beach.mp4", "out/talk, edited.mp4"}) {
        EXPECT_EQ(probeValue(mSetup.dir.file(output), "v:0", "codec_name"), "h264") << output;
    }
    for (const char* absent : {"out/beach.mp4", "out/interview.mp4", "out/talk.mp4"}) {
        EXPECT_FALSE(fileExists(mSetup.dir.file(absent))) << absent;
    }
    mSetup.window.close();
}

}  // namespace
