#include "VMCBatchScreenshots.h"

#include <sys/stat.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTreeView>
#include <string>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCBatchConvertPanelView.h"
#include "VMCBatchFileListPanelView.h"
#include "VMCBatchFileTableModel.h"
#include "VMCBatchFiltersDialogView.h"
#include "VMCFolderTreeModel.h"
#include "VMCPanelHostWindow.h"
#include "XPath.h"

namespace {

template <typename Condition>
bool waitFor(Condition condition, int ms = 60000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (condition()) {
            return true;
        }
        QTest::qWait(20);
    }
    return condition();
}

// The entry of a folder, its parents listed on the way.
clFolderListEntry::Ptr folder(VMCBatchConvertPanelView& view, const std::vector<QString>& names) {
    QModelIndex at;
    for (const QString& name : names) {
        view.tree()->expand(at);
        QModelIndex found;
        waitFor([&] {
            QAbstractItemModel* model = view.tree()->model();
            if (model->canFetchMore(at)) {
                model->fetchMore(at);
            }
            for (int row = 0; row < model->rowCount(at); ++row) {
                if (model->index(row, 0, at).data().toString() == name) {
                    found = model->index(row, 0, at);
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
    view.tree()->expand(at);
    return view.treeModel()->entryAt(at);
}

}  // namespace

namespace VMCBatchScreenshots {

bool shootAll(const Save& save) {
    const TestTempDir dir;
    for (const char* name : {"Holidays", "Holidays/2023 Coast", "Holidays/2024 Alps", "Interviews",
                             "Interviews/Raw", "Screen Recordings"}) {
        mkdir(dir.file(name).c_str(), 0755);
    }
    const std::vector<std::pair<std::string, std::string>> clips = {
        {"Holidays/2024 Alps/arrival.mp4", "320x180"},
        {"Holidays/2024 Alps/cable car.mp4", "320x180"},
        {"Holidays/2024 Alps/summit in the fog.mp4", "240x180"},
        {"Holidays/2024 Alps/evening.mp4", "320x180"},
        {"Holidays/2023 Coast/beach.mp4", "320x180"},
        {"Interviews/first take.mp4", "320x180"},
    };
    for (const auto& [name, size] : clips) {
        TestClip clip;
        clip.seconds = 1.0;
        clip.size = size;
        makeTestClip(dir.file(name), clip);
    }
    auto* window = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
    const XStr root = dir.xfile("");
    auto panel = VMCBatchConvertPanel::create(
        window->host(), std::make_shared<VMCMemoryUserDefaults>(), {},
        [root](std::shared_ptr<clFolderListOwner> owner) {
            auto entry = clFolderListEntry::rootForURL(XPath::withoutTrailingSlash(root), owner);
            entry->setCustomName("Videos");
            return std::vector<clFolderListEntry::Ptr>{entry};
        });
    window->host().showPanel(panel);
    window->show();
    bool ok = QTest::qWaitForWindowExposed(window);
    auto* view = qobject_cast<VMCBatchConvertPanelView*>(window->panelView());
    waitFor([&] {
        view = qobject_cast<VMCBatchConvertPanelView*>(window->panelView());
        return view != nullptr;
    });
    if (view == nullptr) {
        return false;
    }
    const auto alps = folder(*view, {"Videos", "Holidays", "2024 Alps"});
    const auto interviews = folder(*view, {"Videos", "Interviews"});
    if (!alps || !interviews) {
        return false;
    }
    view->dialog().setFolderCheckState(alps, clFolderListEntry::kRecursive);
    view->dialog().setFolderCheckState(interviews, clFolderListEntry::kNonRecursive);
    view->tree()->setCurrentIndex(view->treeModel()->indexOf(alps.get()));
    waitFor([&] { return view->fileModel()->rowCount() == 4; });

    // Only the wide pictures.
    view->openFilters();
    VMCBatchFiltersDialogView* filters = view->filtersDialog();
    waitFor([&] { return filters->dialog().valuesLoaded(); });
    filters->showField("Resolution");
    for (int i = 0; i < filters->rowList()->count(); ++i) {
        if (filters->rowList()->item(i)->text().startsWith(QStringLiteral("240"))) {
            filters->rowList()->item(i)->setCheckState(Qt::Unchecked);
        }
    }
    ok = save(filters, QStringLiteral("batch-filters")) && ok;
    filters->accept();
    waitFor([&] { return view->fileModel()->rowCount() == 3; });
    QTest::qWait(300);
    ok = save(window, QStringLiteral("batch-converter")) && ok;

    view->dialog().onButtonConvertEx(VMCBatchConvertDialog::Action::kList);
    VMCBatchFileListPanelView* list = nullptr;
    waitFor([&] {
        list = qobject_cast<VMCBatchFileListPanelView*>(window->panelView());
        return list != nullptr && list->isVisible();
    });
    if (list != nullptr) {
        QTest::qWait(500);
        ok = save(window, QStringLiteral("batch-file-list")) && ok;
    }
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ok;
}

}  // namespace VMCBatchScreenshots
