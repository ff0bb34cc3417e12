#include "VMCFileListDialogView.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "VMCFileListModel.h"
#include "VMCQtText.h"
#include "VMCRevealInFileManager.h"

using VMCQtText::toQt;

namespace {

// The delegate remembers the editor it made last, so that the name being typed can be kept
// when the panel is left from a button or a menu.
class NameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        mEditor = editor;
        return editor;
    }
    QWidget* openEditor() const {
        return mEditor.isNull() || !mEditor->isVisible() ? nullptr : mEditor.data();
    }

private:
    mutable QPointer<QWidget> mEditor;
};

// A table that can be told to keep the name being typed.
class EditingTable : public QTableView {
public:
    explicit EditingTable(QWidget* parent) : QTableView(parent), mDelegate(new NameDelegate(this)) {
        setItemDelegate(mDelegate);
    }

    void commitEditing() {
        QWidget* editor = mDelegate->openEditor();
        if (state() == EditingState && editor != nullptr) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

private:
    NameDelegate* mDelegate;
};

}  // namespace

VMCFileListDialogView::VMCFileListDialogView(std::shared_ptr<VMCFileListDialog> dialog,
                                             QWidget* parent)
    : QWidget(parent), mDialog(std::move(dialog)) {
    mModel = new VMCFileListModel(mDialog, this);
    auto* table = new EditingTable(this);
    mTable = table;
    mTable->setObjectName(QStringLiteral("files"));
    mTable->setAccessibleName(tr("Files to convert"));
    mTable->setModel(mModel);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    mTable->setWordWrap(false);
    // Tab leaves the list for the buttons; the arrows move in it.
    mTable->setTabKeyNavigation(false);
    // A long folder gives way to the file's own name.
    mTable->setTextElideMode(Qt::ElideMiddle);
    mTable->setAlternatingRowColors(true);
    mTable->verticalHeader()->hide();
    mTable->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = mTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(VMCFileListDialog::kColumnChecked, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(VMCFileListDialog::kColumnDestination, QHeaderView::Stretch);
    const int character = fontMetrics().averageCharWidth();
    mTable->setColumnWidth(VMCFileListDialog::kColumnSource, character * 32);
    // Wide enough for their titles and for lengths such as "1 minute 25 seconds".
    for (const auto& [column, characters] :
         {std::pair{VMCFileListDialog::kColumnDuration, 18},
          std::pair{VMCFileListDialog::kColumnSourceType, 12},
          std::pair{VMCFileListDialog::kColumnEstimatedSize, 14}}) {
        mTable->setColumnWidth(column,
                               std::max(character * characters, header->sectionSizeHint(column)));
    }
    // Editing starts on the name, the one column that can be typed into.
    if (mModel->rowCount() > 0) {
        mTable->setCurrentIndex(mModel->index(0, VMCFileListDialog::kColumnDestination));
    }

    mMenu = new QMenu(this);
    mMenu->setObjectName(QStringLiteral("fileListActions"));
    mMenu->addAction(tr("&Invert Checks"), this, [this] { mDialog->onInvertCheck(); });
    mCheckOnlySelected = mMenu->addAction(tr("Check &Only Selected"), this,
                                          [this] { mDialog->onCheckOnlySelected(selectedRows()); });
    mToggleSelected =
        mMenu->addAction(QString(), this, [this] { mDialog->onToggleSelected(selectedRows()); });
    mToggleSelected->setShortcut(QKeySequence(Qt::Key_Space));
    mToggleSelected->setShortcutContext(Qt::WidgetShortcut);
    mTable->addAction(mToggleSelected);
    mMenu->addSeparator();
    mAppendDate = mMenu->addAction(tr("Append &Date and Time"), this, [this] {
        endEditing();
        mDialog->onMenuAppendDateTime();
    });
    mAppendDate->setEnabled(mDialog->destinationEditable());
    mMenu->addSeparator();
    mReveal =
        mMenu->addAction(QString(), this, [this] { mDialog->onRevealSources(selectedRows()); });
    connect(mMenu, &QMenu::aboutToShow, this, &VMCFileListDialogView::updateActions);
    connect(mTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &VMCFileListDialogView::updateActions);
    connect(mTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mMenu->popup(mTable->viewport()->mapToGlobal(at)); });

    mCheckAll = new QPushButton(tr("Check &All"), this);
    mCheckAll->setObjectName(QStringLiteral("checkAll"));
    mUncheckAll = new QPushButton(tr("&Uncheck All"), this);
    mUncheckAll->setObjectName(QStringLiteral("uncheckAll"));
    mActions = new QPushButton(tr("&More"), this);
    mActions->setObjectName(QStringLiteral("moreActions"));
    mActions->setAccessibleName(tr("More actions"));
    mActions->setMenu(mMenu);
    connect(mCheckAll, &QPushButton::clicked, this, [this] { mDialog->toggleAll(true); });
    connect(mUncheckAll, &QPushButton::clicked, this, [this] { mDialog->toggleAll(false); });
    for (QPushButton* b : {mCheckAll, mUncheckAll, mActions}) {
        b->setAutoDefault(false);
    }
    auto* actions = new QHBoxLayout;
    actions->addWidget(mCheckAll);
    actions->addWidget(mUncheckAll);
    actions->addWidget(mActions);
    actions->addStretch(1);

    mTotals = new QLabel(this);
    mTotals->setObjectName(QStringLiteral("totals"));
    mTotals->setTextFormat(Qt::PlainText);
    mEstimate = new QLabel(this);
    mEstimate->setObjectName(QStringLiteral("estimatedTotal"));
    mEstimate->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(this);
    mOK = buttons->addButton(QDialogButtonBox::Ok);
    mOK->setObjectName(QStringLiteral("ok"));
    mOK->setDefault(true);
    mCancel = buttons->addButton(QDialogButtonBox::Cancel);
    mCancel->setObjectName(QStringLiteral("cancel"));
    mCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        endEditing();
        mDialog->onOK();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { mDialog->onCancel(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mTotals);
    bottom->addSpacing(character * 3);
    bottom->addWidget(mEstimate);
    bottom->addStretch(1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTable, 1);
    layout->addLayout(actions);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(bottom);

    // The keyboard goes from the list through the buttons in the order they are made, the
    // button box's own in the order it shows them.
    setFocusProxy(mTable);

    mDialog->setView(this);
    mDialog->oneTimeInit();
    updateActions();
    totalsChanged();
}

VMCFileListDialogView::~VMCFileListDialogView() {
    mDialog->setView(nullptr);
}

std::vector<std::size_t> VMCFileListDialogView::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : mTable->selectionModel()->selectedRows()) {
        rows.push_back(static_cast<std::size_t>(index.row()));
    }
    // In list order: the first selected row is the one nearest the top.
    std::sort(rows.begin(), rows.end());
    return rows;
}

void VMCFileListDialogView::updateActions() {
    const std::size_t selected = selectedRows().size();
    const bool enabled = VMCFileListDialog::selectionActionsEnabled(selected);
    mCheckOnlySelected->setEnabled(enabled);
    mToggleSelected->setEnabled(enabled);
    mToggleSelected->setText(
        VMCQtText::mnemonicSafe(VMCFileListDialog::toggleSelectedTitle(selected)));
    mReveal->setEnabled(enabled);
    mReveal->setText(VMCQtText::mnemonicSafe(VMCFileListDialog::revealTitle(selected)));
}

void VMCFileListDialogView::rowsChanged(std::size_t first, std::size_t last) {
    mModel->rowsChanged(first, last);
}

void VMCFileListDialogView::totalsChanged() {
    mTotals->setText(toQt(mDialog->totalsText()));
    const XStr estimate = mDialog->estimatedTotalText();
    mEstimate->setText(toQt(estimate));
    mEstimate->setVisible(!estimate.empty());
}

void VMCFileListDialogView::revealFiles(const XStrList& paths) {
    VMCRevealInFileManager::reveal(paths);
}

void VMCFileListDialogView::endEditing() {
    static_cast<EditingTable*>(mTable)->commitEditing();
}

void VMCFileListDialogView::keyPressEvent(QKeyEvent* event) {
    // Return takes the list from anywhere in the panel that does not take it itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        mOK->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
