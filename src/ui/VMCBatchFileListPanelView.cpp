#include "VMCBatchFileListPanelView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "VMCBatchConvertDialog.h"
#include "VMCBatchFileTableModel.h"
#include "VMCCheckImageDelegate.h"
#include "VMCQtText.h"
#include "VMCRevealInFileManager.h"
#include "VMCTableColumnsHeader.h"

using VMCQtText::toQt;

VMCBatchFileListPanelView::VMCBatchFileListPanelView(std::shared_ptr<VMCBatchFileListPanel> panel,
                                                     QWidget* parent)
    : QWidget(parent),
      mPanel(std::move(panel)),
      mSelf(static_cast<VMCBatchFileListDialogView*>(this), [](VMCBatchFileListDialogView*) {}) {
    auto* layout = new QVBoxLayout(this);
    mModel = new VMCBatchFileTableModel(dialog().columns(), this);
    mTable = new QTableView(this);
    mTable->setObjectName(QStringLiteral("files"));
    mTable->setAccessibleName(tr("Files to convert"));
    mTable->setModel(mModel);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->verticalHeader()->hide();
    mTable->verticalHeader()->setDefaultSectionSize(mTable->fontMetrics().height() + 8);
    mTable->setShowGrid(false);
    mTable->setWordWrap(false);
    mTable->setContextMenuPolicy(Qt::CustomContextMenu);
    mModel->onCheck = [this](int row, bool checked) {
        dialog().setChecked(static_cast<std::size_t>(row), checked);
        mModel->refreshRows({static_cast<std::size_t>(row)});
    };
    mModel->onSort = [this](const VMCTableColumns::SortDescriptor& by) { dialog().sortBy({by}); };
    mTable->setItemDelegate(new VMCCheckImageDelegate(
        VMCBatchFileTableModel::kCheckColumn,
        [this](const QModelIndex& index) {
            if (const auto file = mModel->fileAt(index.row())) {
                mModel->onCheck(index.row(), !file->checked());
            }
        },
        mTable));
    mHeader = new VMCTableColumnsHeader(mTable, mModel, dialog().columns());
    mModel->setFiles(dialog().files());
    mTable->setSortingEnabled(true);
    mTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    layout->addWidget(mTable, 1);

    mMenu = new QMenu(this);
    mMenu->setObjectName(QStringLiteral("actions"));
    connect(mMenu->addAction(tr("Check All")), &QAction::triggered, this,
            [this] { dialog().checkAll(); });
    connect(mMenu->addAction(tr("Uncheck All")), &QAction::triggered, this,
            [this] { dialog().uncheckAll(); });
    connect(mMenu->addAction(tr("Invert")), &QAction::triggered, this,
            [this] { dialog().invertSelection(); });
    mMenu->addSeparator();
    mCheckOnlySelected = mMenu->addAction(tr("Check Only Selected"));
    connect(mCheckOnlySelected, &QAction::triggered, this,
            [this] { dialog().checkOnlySelected(selectedRows()); });
    mToggleSelected = mMenu->addAction(toQt(VMCBatchFileListDialog::toggleItemTitle(1)));
    connect(mToggleSelected, &QAction::triggered, this,
            [this] { dialog().toggleSelected(selectedRows()); });
    mMenu->addSeparator();
    mReveal = mMenu->addAction(tr("Show in File Manager"));
    connect(mReveal, &QAction::triggered, this, [this] {
        const std::vector<std::size_t> rows = selectedRows();
        const std::size_t clicked =
            mClickedRow >= 0 ? static_cast<std::size_t>(mClickedRow) : rows.front();
        dialog().reveal(clicked, rows);
    });
    connect(mMenu, &QMenu::aboutToShow, this, &VMCBatchFileListPanelView::updateActions);
    connect(mMenu, &QMenu::aboutToHide, this, [this] { mClickedRow = -1; });
    connect(mTable, &QTableView::customContextMenuRequested, this, [this](QPoint at) {
        mClickedRow = mTable->indexAt(at).row();
        mMenu->popup(mTable->viewport()->mapToGlobal(at));
    });

    auto* buttons = new QHBoxLayout;
    auto* checkAll = new QPushButton(tr("Check &All"), this);
    auto* uncheckAll = new QPushButton(tr("&Uncheck All"), this);
    auto* actions = new QPushButton(tr("&Selection"), this);
    checkAll->setObjectName(QStringLiteral("checkAll"));
    uncheckAll->setObjectName(QStringLiteral("uncheckAll"));
    actions->setObjectName(QStringLiteral("selection"));
    actions->setMenu(mMenu);
    connect(checkAll, &QPushButton::clicked, this, [this] { dialog().checkAll(); });
    connect(uncheckAll, &QPushButton::clicked, this, [this] { dialog().uncheckAll(); });
    buttons->addWidget(checkAll);
    buttons->addWidget(uncheckAll);
    buttons->addWidget(actions);
    buttons->addStretch(1);
    mBack = new QPushButton(tr("&Back"), this);
    mBack->setObjectName(QStringLiteral("back"));
    mBack->setToolTip(tr("Back to the folders, without converting"));
    mConvert = new QPushButton(tr("&Convert..."), this);
    mConvert->setObjectName(QStringLiteral("convert"));
    mConvert->setDefault(true);
    connect(mBack, &QPushButton::clicked, this, [this] { dialog().onButtonOK(); });
    connect(mConvert, &QPushButton::clicked, this, [this] { dialog().onButtonConvert(); });
    buttons->addWidget(mBack);
    buttons->addWidget(mConvert);
    layout->addLayout(buttons);

    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setTextFormat(Qt::PlainText);
    layout->addWidget(mStatus);

    dialog().setView(mSelf);
    dialog().refreshStatus();
}

VMCBatchFileListPanelView::~VMCBatchFileListPanelView() {
    mSelf.reset();
}

std::vector<std::size_t> VMCBatchFileListPanelView::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : mTable->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void VMCBatchFileListPanelView::updateActions() {
    const std::size_t n = selectedRows().size();
    mCheckOnlySelected->setEnabled(n > 0);
    mToggleSelected->setEnabled(n > 0);
    mToggleSelected->setText(
        toQt(VMCBatchFileListDialog::toggleItemTitle(std::max<std::size_t>(n, 1))));
    mReveal->setEnabled(n > 0 || mClickedRow >= 0);
}

void VMCBatchFileListPanelView::reloadAll() {
    mModel->setFiles(dialog().files());
}

void VMCBatchFileListPanelView::reloadRows(const std::vector<std::size_t>& rows) {
    mModel->refreshRows(rows);
}

void VMCBatchFileListPanelView::setStatus(const XStr& text, bool convertEnabled) {
    mStatus->setText(toQt(text));
    mConvert->setEnabled(convertEnabled);
}

void VMCBatchFileListPanelView::revealInFileViewer(const XStrList& urls) {
    VMCRevealInFileManager::reveal(urls);
}

void VMCBatchFileListPanelView::showNoFilesSelected() {
    auto* box =
        new QMessageBox(QMessageBox::Information, toQt(dialog().panelName()),
                        toQt(VMCBatchConvertDialog::kNoMediaFilesSelected), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
