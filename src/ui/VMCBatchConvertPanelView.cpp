#include "VMCBatchConvertPanelView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

#include "VMCBatchFileTableModel.h"
#include "VMCBatchFiltersDialogView.h"
#include "VMCCheckImageDelegate.h"
#include "VMCFolderTreeModel.h"
#include "VMCMetaFieldCache.h"
#include "VMCProfileNameDialog.h"
#include "VMCQtText.h"
#include "VMCTableColumnsHeader.h"

using VMCQtText::toQt;

namespace {

// Space ticks the current row, as a check box would.
class SpaceKeyFilter : public QObject {
public:
    SpaceKeyFilter(QObject* parent, std::function<void()> onSpace)
        : QObject(parent), mOnSpace(std::move(onSpace)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            mOnSpace();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> mOnSpace;
};

// A file list redraws at most this often while information arrives.
constexpr int kFilesRedrawMs = 150;

}  // namespace

VMCBatchConvertPanelView::VMCBatchConvertPanelView(std::shared_ptr<VMCBatchConvertPanel> panel,
                                                   QWidget* parent)
    : QWidget(parent),
      mPanel(std::move(panel)),
      mSelf(static_cast<VMCBatchConvertDialogView*>(this), [](VMCBatchConvertDialogView*) {}),
      mColumns({}, false, kFileListSaveName, mPanel->userDefaults()) {
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* profileLabel = new QLabel(tr("&Profile:"), this);
    mProfiles = new QComboBox(this);
    mProfiles->setObjectName(QStringLiteral("profiles"));
    mProfiles->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    mProfiles->setMinimumContentsLength(18);
    profileLabel->setBuddy(mProfiles);
    mFilter = new QPushButton(tr("&Filters..."), this);
    mFilter->setObjectName(QStringLiteral("filters"));
    mFilter->setCheckable(true);
    mFilter->setToolTip(tr("Show only files with the chosen types and properties"));
    top->addWidget(profileLabel);
    top->addWidget(mProfiles);
    top->addWidget(mFilter);
    top->addStretch(1);
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    mTreeModel = new VMCFolderTreeModel(dialog().roots(), this);
    mTree = new QTreeView(splitter);
    mTree->setObjectName(QStringLiteral("folders"));
    mTree->setAccessibleName(tr("Folders"));
    mTree->setHeaderHidden(true);
    mTree->setUniformRowHeights(true);
    mTree->setModel(mTreeModel);
    mTree->setContextMenuPolicy(Qt::CustomContextMenu);
    mTree->setItemDelegate(new VMCCheckImageDelegate(
        0,
        [this](const QModelIndex& index) {
            if (const clFolderListEntry::Ptr entry = mTreeModel->entryAt(index)) {
                cycleFolderCheck(entry);
            }
        },
        mTree));
    mTree->installEventFilter(new SpaceKeyFilter(mTree, [this] {
        if (const clFolderListEntry::Ptr entry = mTreeModel->entryAt(mTree->currentIndex())) {
            cycleFolderCheck(entry);
        }
    }));

    mFileModel = new VMCBatchFileTableModel(mColumns, this);
    mFiles = new QTableView(splitter);
    mFiles->setObjectName(QStringLiteral("files"));
    mFiles->setAccessibleName(tr("Files in the folder"));
    mFiles->setModel(mFileModel);
    mFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    mFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mFiles->setSortingEnabled(true);
    mFiles->verticalHeader()->hide();
    mFiles->verticalHeader()->setDefaultSectionSize(mFiles->fontMetrics().height() + 8);
    mFiles->setShowGrid(false);
    mFiles->setWordWrap(false);
    mFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    mFileModel->onCheck = [this](int row, bool checked) {
        if (const auto file = mFileModel->fileAt(row)) {
            dialog().setFileChecked(file, checked);
            mFileModel->refreshRows({static_cast<std::size_t>(row)});
        }
    };
    mFiles->setItemDelegate(new VMCCheckImageDelegate(
        VMCBatchFileTableModel::kCheckColumn,
        [this](const QModelIndex& index) {
            if (const auto file = mFileModel->fileAt(index.row())) {
                mFileModel->onCheck(index.row(), !file->checked());
            }
        },
        mFiles));
    mFiles->installEventFilter(new SpaceKeyFilter(mFiles, [this] {
        const QModelIndexList rows = mFiles->selectionModel()->selectedRows();
        if (rows.isEmpty()) {
            return;
        }
        const auto first = mFileModel->fileAt(rows.front().row());
        const bool checked = first && !first->checked();
        for (const QModelIndex& row : rows) {
            mFileModel->onCheck(row.row(), checked);
        }
    }));
    mHeader = new VMCTableColumnsHeader(mFiles, mFileModel, mColumns);
    mFiles->horizontalHeader()->setSortIndicator(mFileModel->sectionOf("Name"), Qt::AscendingOrder);
    splitter->addWidget(mTree);
    splitter->addWidget(mFiles);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({300, 800});
    layout->addWidget(splitter, 1);

    auto* buttons = new QHBoxLayout;
    auto* checkAll = new QPushButton(tr("Check &All"), this);
    auto* uncheckAll = new QPushButton(tr("&Uncheck All"), this);
    auto* invert = new QPushButton(tr("&Invert"), this);
    auto* reset = new QPushButton(tr("&Reset..."), this);
    checkAll->setObjectName(QStringLiteral("checkAll"));
    uncheckAll->setObjectName(QStringLiteral("uncheckAll"));
    invert->setObjectName(QStringLiteral("invert"));
    reset->setObjectName(QStringLiteral("reset"));
    checkAll->setToolTip(tr("Check every file shown"));
    uncheckAll->setToolTip(tr("Uncheck every file shown"));
    invert->setToolTip(tr("Check the files shown that are unchecked, and uncheck the others"));
    reset->setToolTip(tr("Clear every selection in every folder"));
    buttons->addWidget(checkAll);
    buttons->addWidget(uncheckAll);
    buttons->addWidget(invert);
    buttons->addSpacing(fontMetrics().averageCharWidth() * 2);
    buttons->addWidget(reset);
    buttons->addStretch(1);
    // The three ways on, side by side as one control.
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    mList = new QPushButton(tr("&List Files..."), this);
    mJoin = new QPushButton(tr("&Join..."), this);
    mConvert = new QPushButton(tr("&Convert..."), this);
    mList->setObjectName(QStringLiteral("list"));
    mJoin->setObjectName(QStringLiteral("join"));
    mConvert->setObjectName(QStringLiteral("convert"));
    mList->setToolTip(tr("Show every checked file in one list before converting"));
    mJoin->setToolTip(tr("Join the checked files into one video"));
    mConvert->setToolTip(tr("Convert every checked file"));
    mConvert->setDefault(true);
    segments->addWidget(mList);
    segments->addWidget(mJoin);
    segments->addWidget(mConvert);
    buttons->addLayout(segments);
    layout->addLayout(buttons);

    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setTextFormat(Qt::PlainText);
    mStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(mStatus);

    mFilesTimer.setSingleShot(true);
    mFilesTimer.setInterval(kFilesRedrawMs);
    connect(&mFilesTimer, &QTimer::timeout, this, [this] { drawFiles(); });

    connect(mProfiles, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < mProfileItems.size()) {
            dialog().chooseProfileItem(mProfileItems[index]);
        }
    });
    connect(mFilter, &QPushButton::clicked, this, [this] {
        setFilterHighlighted(dialog().filter().active());
        openFilters();
    });
    connect(checkAll, &QPushButton::clicked, this, [this] { dialog().onFilesCheckAll(); });
    connect(uncheckAll, &QPushButton::clicked, this, [this] { dialog().onFilesUncheckAll(); });
    connect(invert, &QPushButton::clicked, this, [this] { dialog().onFilesInvertSelection(); });
    connect(reset, &QPushButton::clicked, this, [this] { dialog().onButtonReset(); });
    connect(mList, &QPushButton::clicked, this,
            [this] { dialog().onButtonConvertEx(VMCBatchConvertDialog::Action::kList); });
    connect(mJoin, &QPushButton::clicked, this,
            [this] { dialog().onButtonConvertEx(VMCBatchConvertDialog::Action::kConcatenate); });
    connect(mConvert, &QPushButton::clicked, this,
            [this] { dialog().onButtonConvertEx(VMCBatchConvertDialog::Action::kConvert); });
    connect(mTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const clFolderListEntry::Ptr entry = mTreeModel->entryAt(current);
                if (entry && entry != dialog().currentFolder()) {
                    dialog().selectFolder(entry);
                }
            });
    connect(mTree, &QTreeView::customContextMenuRequested, this,
            &VMCBatchConvertPanelView::folderContextMenu);
    connect(mFiles, &QTableView::customContextMenuRequested, this,
            &VMCBatchConvertPanelView::fileContextMenu);

    dialog().setView(mSelf);
    setProfileChoices(dialog().profileItems(), dialog().shownProfileItem());
    setFilterHighlighted(dialog().filter().active());
    if (const clFolderListEntry::Ptr current = dialog().currentFolder()) {
        // Back from another panel: the folder shown before.
        mLaidOut = true;
        showCurrentFolder(current);
        drawFiles();
    }
    dialog().refreshStatusBar();
}

VMCBatchConvertPanelView::~VMCBatchConvertPanelView() {
    mSelf.reset();
}

void VMCBatchConvertPanelView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!mLaidOut) {
        mLaidOut = true;
        // The selection handed over, or the folder of last time, once the tree is there.
        QTimer::singleShot(0, this, [this] { dialog().didLayout(); });
    }
}

void VMCBatchConvertPanelView::cycleFolderCheck(const clFolderListEntry::Ptr& folder) {
    int next = clFolderListEntry::kRecursive;
    switch (folder->checkState()) {
        case clFolderListEntry::kRecursive:
            next = clFolderListEntry::kNonRecursive;
            break;
        case clFolderListEntry::kNonRecursive:
            next = clFolderListEntry::kUnchecked;
            break;
        default:
            break;
    }
    dialog().setFolderCheckState(folder, next);
}

void VMCBatchConvertPanelView::folderContextMenu(QPoint at) {
    const clFolderListEntry::Ptr folder = mTreeModel->entryAt(mTree->indexAt(at));
    if (!folder) {
        return;
    }
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const QString& title, int state) {
        QAction* action = menu->addAction(title);
        action->setCheckable(true);
        action->setChecked(folder->checkState() == state);
        connect(action, &QAction::triggered, this,
                [this, folder, state] { dialog().setFolderCheckState(folder, state); });
    };
    add(tr("Folder and Subfolders"), clFolderListEntry::kRecursive);
    add(tr("This Folder Only"), clFolderListEntry::kNonRecursive);
    menu->addSeparator();
    add(tr("Not Selected"), clFolderListEntry::kUnchecked);
    menu->addSeparator();
    connect(menu->addAction(tr("Refresh")), &QAction::triggered, this,
            [folder] { folder->beginRefresh(); });
    menu->popup(mTree->viewport()->mapToGlobal(at));
}

void VMCBatchConvertPanelView::fileContextMenu(QPoint at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(tr("Check All")), &QAction::triggered, this,
            [this] { dialog().onFilesCheckAll(); });
    connect(menu->addAction(tr("Uncheck All")), &QAction::triggered, this,
            [this] { dialog().onFilesUncheckAll(); });
    connect(menu->addAction(tr("Invert")), &QAction::triggered, this,
            [this] { dialog().onFilesInvertSelection(); });
    menu->popup(mFiles->viewport()->mapToGlobal(at));
}

VMCBatchFiltersDialogView* VMCBatchConvertPanelView::filtersDialog() const {
    return findChild<VMCBatchFiltersDialogView*>();
}

void VMCBatchConvertPanelView::openFilters() {
    if (filtersDialog() != nullptr) {
        return;
    }
    if (!mMetaCache) {
        const auto formats =
            dialog().roots().empty() ? nullptr : dialog().roots().front()->globals()->formats();
        mMetaCache = std::make_unique<VMCMetaFieldCache>(
            VMCBatchConverterFiltersDialog::infoFields(), [formats](const XStr& path) {
                return formats == nullptr || formats->isMediaFile(path);
            });
    }
    auto* view = new VMCBatchFiltersDialogView(dialog().openFiltersDialog(mMetaCache.get()), this);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->open();
}

void VMCBatchConvertPanelView::folderChanged(const clFolderListEntry::Ptr& folder,
                                             const clFoldersAddRemove& /*change*/) {
    mTreeModel->folderChanged(folder);
}

void VMCBatchConvertPanelView::folderCheckStateChanged(const clFolderListEntry::Ptr& folder) {
    mTreeModel->folderRedraw(folder);
    if (folder == dialog().currentFolder()) {
        refreshFiles();
    }
}

void VMCBatchConvertPanelView::showCurrentFolder(const clFolderListEntry::Ptr& folder) {
    // The rows down to the folder exist once each folder on the way is in the model.
    std::vector<clFolderListEntry::Ptr> path;
    for (clFolderListEntry::Ptr at = folder; at; at = at->parent()) {
        path.insert(path.begin(), at);
    }
    for (const clFolderListEntry::Ptr& at : path) {
        QModelIndex index = mTreeModel->indexOf(at.get());
        if (!index.isValid()) {
            if (const clFolderListEntry::Ptr parent = at->parent()) {
                mTreeModel->folderChanged(parent);
            }
            index = mTreeModel->indexOf(at.get());
        }
        if (!index.isValid()) {
            return;
        }
        if (at != folder) {
            mTree->expand(index);
        }
    }
    const QModelIndex index = mTreeModel->indexOf(folder.get());
    if (mTree->currentIndex() != index) {
        mTree->setCurrentIndex(index);
    }
    mTree->scrollTo(index);
}

void VMCBatchConvertPanelView::refreshFiles() {
    if (!mFilesTimer.isActive()) {
        mFilesTimer.start();
    }
}

void VMCBatchConvertPanelView::drawFiles() {
    mFilesTimer.stop();
    const clFolderListEntry::Ptr folder = dialog().currentFolder();
    mFileModel->setFiles(folder ? folder->files() : std::vector<clFolderListEntry::FilePtr>());
}

void VMCBatchConvertPanelView::setStatusText(const XStr& text) {
    mStatus->setText(toQt(text));
    mStatus->setToolTip(toQt(text));
}

void VMCBatchConvertPanelView::setFilterHighlighted(bool active) {
    mFilter->setChecked(active);
    mFilter->setText(active ? tr("&Filters (on)...") : tr("&Filters..."));
}

void VMCBatchConvertPanelView::setProfileChoices(const XStrList& items, const XStr& shown) {
    // One entry per row of the chooser; the separators' rows hold nothing.
    mProfileItems.clear();
    const QSignalBlocker block(mProfiles);
    mProfiles->clear();
    for (const XStr& item : items) {
        if (item == VMCBatchConvertDialog::kCreateProfile && mProfiles->count() > 0) {
            mProfiles->insertSeparator(mProfiles->count());
            mProfileItems.emplace_back();
        }
        mProfiles->addItem(toQt(item));
        mProfileItems.push_back(item);
        if (item == shown) {
            mProfiles->setCurrentIndex(mProfiles->count() - 1);
        }
    }
}

void VMCBatchConvertPanelView::askQuestion(const XStr& text, const XStr& yes, const XStr& no,
                                           std::function<void(bool)> answer) {
    auto* box = new QMessageBox(QMessageBox::Question, toQt(mPanel->panelName()), toQt(text),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("question"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QPushButton* yesButton = box->addButton(toQt(yes), QMessageBox::YesRole);
    QPushButton* noButton = box->addButton(toQt(no), QMessageBox::NoRole);
    box->setDefaultButton(yesButton);
    box->setEscapeButton(noButton);
    connect(box, &QMessageBox::finished, this,
            [box, yesButton, answer] { answer(box->clickedButton() == yesButton); });
    box->open();
}

void VMCBatchConvertPanelView::askProfileName(const XStrList& taken,
                                              std::function<void(std::optional<XStr>)> answer) {
    auto chosen = std::make_shared<std::optional<XStr>>();
    auto* sheet = new VMCProfileNameDialog(
        "<type profile name>", "",
        [this, taken, chosen](const XStr& name) {
            if (name.empty() || std::find(taken.begin(), taken.end(), name) != taken.end()) {
                QMessageBox::warning(this, toQt(mPanel->panelName()),
                                     tr("A profile of that name exists already."));
                return false;
            }
            *chosen = name;
            return true;
        },
        this);
    sheet->setObjectName(QStringLiteral("profileName"));
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::finished, this, [chosen, answer] { answer(*chosen); });
    sheet->open();
}

void VMCBatchConvertPanelView::showMessage(const XStr& text) {
    auto* box = new QMessageBox(QMessageBox::Information, toQt(mPanel->panelName()), toQt(text),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("message"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void VMCBatchConvertPanelView::showAccessError(const clFolderListEntry::Ptr& folder,
                                               const XStr& /*error*/) {
    // The row itself says why (its text and tooltip); the expander goes.
    mTreeModel->folderChanged(folder);
    mTreeModel->folderRedraw(folder);
}
