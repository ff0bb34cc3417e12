// The batch converter window as a user works it: ticking folders and files in a tree of
// clips made for the test, a filter that leaves one resolution, the ticked files converted
// through the setup panel, a new file showing up by itself, and the columns kept.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <filesystem>

#include "GuiTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCBatchConvertPanelView.h"
#include "VMCBatchFileListPanelView.h"
#include "VMCBatchFileTableModel.h"
#include "VMCBatchFiltersDialogView.h"
#include "VMCFolderTreeModel.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "VMCTableColumnsHeader.h"
#include "XRegistry.h"

namespace {

using GuiTest::waitUntil;

class BatchWindow : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        for (const char* folder :
             {"tree", "tree/a", "tree/a/sub", "tree/b", "tree/b/deep", "tree/c", "out"}) {
            ASSERT_EQ(mkdir(mDir.file(folder).c_str(), 0755), 0);
        }
        // Two resolutions; the filter keeps the small one.
        clip("tree/a/a1.mp4", "160x120");
        clip("tree/a/a2.mp4", "192x108");
        clip("tree/a/sub/s1.mp4", "160x120");
        clip("tree/b/b1.mp4", "160x120");
        clip("tree/b/deep/d1.mp4", "160x120");
        clip("tree/c/c1.mp4", "160x120");
        clip("tree/c/c2.mp4", "160x120");
    }
    void TearDown() override {
        if (mWindow) {
            mWindow->close();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void clip(const std::string& name, const std::string& size) {
        TestClip c;
        c.seconds = 0.5;
        c.size = size;
        ASSERT_TRUE(makeTestClip(mDir.file(name), c)) << name;
    }

    // A window at the batch converter whose one root is the test's tree.
    VMCBatchConvertPanelView* open() {
        mWindow = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
        mWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(mWindow));
        const XStr root = mDir.xfile("tree");
        mPanel = VMCBatchConvertPanel::create(mWindow->host(), mDefaults, {},
                                              [root](std::shared_ptr<clFolderListOwner> owner) {
                                                  return std::vector<clFolderListEntry::Ptr>{
                                                      clFolderListEntry::rootForURL(root, owner)};
                                              });
        mWindow->host().showPanel(mPanel);
        return GuiTest::waitForPanel<VMCBatchConvertPanelView>(*mWindow, 10000);
    }

    // The row of a folder, its parents expanded (so listed) on the way.
    static clFolderListEntry::Ptr folder(VMCBatchConvertPanelView& view,
                                         std::initializer_list<const char*> names) {
        QTreeView* tree = view.tree();
        QModelIndex at;
        for (const char* name : names) {
            tree->expand(at);
            QModelIndex found;
            waitUntil([&] {
                QAbstractItemModel* model = tree->model();
                if (model->canFetchMore(at)) {
                    model->fetchMore(at);
                }
                for (int row = 0; row < model->rowCount(at); ++row) {
                    const QModelIndex child = model->index(row, 0, at);
                    if (child.data().toString() == QString::fromUtf8(name)) {
                        found = child;
                        return true;
                    }
                }
                return false;
            });
            if (!found.isValid()) {
                return nullptr;
            }
            at = found;
        }
        return view.treeModel()->entryAt(at);
    }

    // Clicks the folder's check box in the tree, as a user does.
    static void clickCheck(VMCBatchConvertPanelView& view, const clFolderListEntry::Ptr& entry) {
        const QModelIndex index = view.treeModel()->indexOf(entry.get());
        view.tree()->scrollTo(index);
        const QRect row = view.tree()->visualRect(index);
        const int icon = view.tree()->style()->pixelMetric(QStyle::PM_SmallIconSize);
        QTest::mouseClick(view.tree()->viewport(), Qt::LeftButton, {},
                          QPoint(row.left() + 4 + icon / 2, row.center().y()));
    }

    static QStringList shownNames(const VMCBatchFileTableModel& model) {
        QStringList names;
        const int name = model.sectionOf("Name");
        for (int row = 0; row < model.rowCount(); ++row) {
            names << model.index(row, name).data().toString();
        }
        return names;
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    std::shared_ptr<VMCMemoryUserDefaults> mDefaults = std::make_shared<VMCMemoryUserDefaults>();
    QPointer<VMCPanelHostWindow> mWindow;
    std::shared_ptr<VMCBatchConvertPanel> mPanel;
};

TEST_F(BatchWindow, TickedFoldersAndFilesFilteredToOneResolutionConvert) {
    VMCBatchConvertPanelView* view = open();
    ASSERT_NE(view, nullptr);
    const clFolderListEntry::Ptr a = folder(*view, {"tree", "a"});
    const clFolderListEntry::Ptr b = folder(*view, {"tree", "b"});
    const clFolderListEntry::Ptr c = folder(*view, {"tree", "c"});
    ASSERT_TRUE(a && b && c);

    // a with its subfolders; b alone (a second click); one file of c.
    clickCheck(*view, a);
    EXPECT_EQ(a->checkState(), clFolderListEntry::kRecursive);
    clickCheck(*view, b);
    clickCheck(*view, b);
    EXPECT_EQ(b->checkState(), clFolderListEntry::kNonRecursive);
    EXPECT_EQ(view->treeModel()->indexOf(c.get()).parent().data(Qt::AccessibleDescriptionRole),
              QStringLiteral("SubSelected"))
        << "the root shows that something below it is selected";

    view->tree()->setCurrentIndex(view->treeModel()->indexOf(c.get()));
    VMCBatchFileTableModel* files = view->fileModel();
    ASSERT_TRUE(waitUntil([&] { return files->rowCount() == 2; }));
    EXPECT_EQ(shownNames(*files), (QStringList{"c1.mp4", "c2.mp4"})) << "sorted by name";
    const QRect box = view->fileTable()->visualRect(files->index(1, 0));
    QTest::mouseClick(view->fileTable()->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_EQ(c->checkState(), clFolderListEntry::kIndivSelected);
    EXPECT_TRUE(view->statusLabel()->text().contains(QStringLiteral("2 Video Files Shown")));
    EXPECT_TRUE(view->statusLabel()->text().contains(QStringLiteral("1 Files Selected")));

    // The filter dialog: the values of the ticked folders, the larger one excluded.
    view->openFilters();
    VMCBatchFiltersDialogView* filters = view->filtersDialog();
    ASSERT_NE(filters, nullptr);
    ASSERT_TRUE(waitUntil([&] { return filters->dialog().valuesLoaded(); }, 60000));
    filters->showField("Resolution");
    QListWidget* rows = filters->rowList();
    QStringList values;
    for (int i = 0; i < rows->count(); ++i) {
        values << rows->item(i)->text();
    }
    ASSERT_EQ(values.size(), 2) << values.join(QLatin1Char(',')).toStdString();
    for (int i = 0; i < rows->count(); ++i) {
        if (rows->item(i)->text().contains(QStringLiteral("192"))) {
            rows->item(i)->setCheckState(Qt::Unchecked);
        }
    }
    filters->accept();
    EXPECT_TRUE(view->filterButton()->isChecked()) << "an active filter shows on its button";

    // The list of what is ticked: a1, s1 (a and below), b1 (b alone), c2.
    QTest::mouseClick(view->listButton(), Qt::LeftButton);
    auto* list = GuiTest::waitForPanel<VMCBatchFileListPanelView>(*mWindow, 60000);
    ASSERT_NE(list, nullptr);
    QStringList collected = shownNames(*list->model());
    collected.sort();
    EXPECT_EQ(collected, (QStringList{"a1.mp4", "b1.mp4", "c2.mp4", "s1.mp4"}));
    EXPECT_TRUE(list->convertButton()->isEnabled());
    EXPECT_TRUE(list->statusLabel()->text().startsWith(QStringLiteral("Converting 4 Files")))
        << list->statusLabel()->text().toStdString();
    QTest::mouseClick(list->convertButton(), Qt::LeftButton);

    // The setup panel takes them; the outputs go into one folder.
    ASSERT_NE(GuiTest::waitForPanel<VMCPreConvertDialogView>(*mWindow, 10000), nullptr);
    VMCPanelHost& host = mWindow->host();
    ASSERT_EQ(host.entries().size(), 4u);
    VMCConfig& config = *host.sharedConfig();
    config.setActiveProfileName("MP4 (H264)");
    ASSERT_NE(config.activeProfile(), nullptr);
    config.activeProfile()->setFileNaming(VMCFileNaming::namingSingleFolder(mDir.xfile("out")));
    host.preConvertDone();
    ASSERT_TRUE(waitUntil(
        [&] {
            for (const char* name : {"a1.mp4", "s1.mp4", "b1.mp4", "c2.mp4"}) {
                if (!fileExists(mDir.file(std::string("out/") + name))) {
                    return false;
                }
            }
            // An output appears under its name only when it is complete.
            return true;
        },
        GuiTest::kConversionDeadlineMs));
    for (const char* name : {"a1.mp4", "s1.mp4", "b1.mp4", "c2.mp4"}) {
        EXPECT_EQ(probeValue(mDir.file(std::string("out/") + name), "v:0", "width"), "160") << name;
    }
    EXPECT_FALSE(fileExists(mDir.file("out/a2.mp4"))) << "filtered out";
    EXPECT_FALSE(fileExists(mDir.file("out/d1.mp4"))) << "below a folder ticked alone";
    EXPECT_FALSE(fileExists(mDir.file("out/c1.mp4"))) << "not ticked";
}

TEST_F(BatchWindow, AFileCreatedInTheShownFolderAppears) {
    VMCBatchConvertPanelView* view = open();
    ASSERT_NE(view, nullptr);
    const clFolderListEntry::Ptr c = folder(*view, {"tree", "c"});
    ASSERT_TRUE(c);
    view->tree()->setCurrentIndex(view->treeModel()->indexOf(c.get()));
    VMCBatchFileTableModel* files = view->fileModel();
    ASSERT_TRUE(waitUntil([&] { return files->rowCount() == 2; }));

    std::filesystem::copy_file(mDir.file("tree/c/c1.mp4"), mDir.file("tree/c/c0 new.mp4"));
    // The folder is watched with a latency of three seconds.
    ASSERT_TRUE(waitUntil([&] { return files->rowCount() == 3; }, 15000));
    EXPECT_EQ(shownNames(*files), (QStringList{"c0 new.mp4", "c1.mp4", "c2.mp4"}));
    EXPECT_TRUE(waitUntil(
        [&] { return view->statusLabel()->text().startsWith(QStringLiteral("3 Video Files")); }));
}

TEST_F(BatchWindow, ColumnChoicesOutliveTheWindow) {
    VMCBatchConvertPanelView* view = open();
    ASSERT_NE(view, nullptr);
    VMCBatchFileTableModel* files = view->fileModel();
    ASSERT_EQ(files->sectionOf("Title"), -1);
    ASSERT_NE(files->sectionOf("Type"), -1);
    // "Type" hidden, the tag "Title" shown, "Name" made wider: all from the header's menu.
    QMenu* menu = view->columnsHeader()->buildMenu(view);
    const auto trigger = [menu](const QString& submenu, const QString& item) {
        for (QAction* sub : menu->actions()) {
            if (sub->menu() != nullptr && sub->text() == submenu) {
                for (QAction* action : sub->menu()->actions()) {
                    if (action->text() == item) {
                        action->trigger();
                        return true;
                    }
                }
            }
        }
        return false;
    };
    ASSERT_TRUE(trigger("Columns", "Type"));
    ASSERT_TRUE(trigger("Tags", "Title"));
    delete menu;
    view->fileTable()->horizontalHeader()->resizeSection(files->sectionOf("Name"), 333);
    const QStringList before = [&] {
        QStringList titles;
        for (int s = 1; s < files->columnCount(); ++s) {
            titles << files->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        return titles;
    }();
    EXPECT_FALSE(before.contains(QStringLiteral("Type")));
    EXPECT_EQ(before.back(), QStringLiteral("Title")) << "a column shown goes last";

    mWindow->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    mPanel.reset();
    view = open();
    ASSERT_NE(view, nullptr);
    files = view->fileModel();
    QStringList after;
    for (int s = 1; s < files->columnCount(); ++s) {
        after << files->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    EXPECT_EQ(after, before);
    EXPECT_EQ(view->fileTable()->horizontalHeader()->sectionSize(files->sectionOf("Name")), 333);
}

}  // namespace
