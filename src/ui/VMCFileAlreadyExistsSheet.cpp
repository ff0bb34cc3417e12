#include "VMCFileAlreadyExistsSheet.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "VMCFileAlreadyExistsModel.h"
#include "VMCQtText.h"

VMCFileAlreadyExistsSheet::VMCFileAlreadyExistsSheet(
    std::shared_ptr<VMCFileAlreadyExistsDialog> sheet, QWidget* parent)
    : QDialog(parent), mSheet(std::move(sheet)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Output Files Exist"));

    auto* message = new QLabel(VMCQtText::toQt(mSheet->messageText()), this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);

    mModel = new VMCFileAlreadyExistsModel(mSheet, this);
    mTable = new QTableView(this);
    mTable->setModel(mModel);
    mTable->setAccessibleName(tr("Output files that exist"));
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    mTable->setTabKeyNavigation(false);
    mTable->setWordWrap(false);
    mTable->setTextElideMode(Qt::ElideMiddle);
    mTable->verticalHeader()->hide();
    mTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    mTable->horizontalHeader()->setSectionResizeMode(VMCFileAlreadyExistsModel::kReplaceColumn,
                                                     QHeaderView::ResizeToContents);
    mTable->horizontalHeader()->setStretchLastSection(true);
    mTable->horizontalHeader()->setHighlightSections(false);
    if (mModel->rowCount() > 0) {
        // The keyboard starts on the first box, without a selection hiding the marks.
        mTable->selectionModel()->setCurrentIndex(
            mModel->index(0, VMCFileAlreadyExistsModel::kReplaceColumn),
            QItemSelectionModel::NoUpdate);
    }
    message->setBuddy(mTable);

    // Every listed file at once; also on the list's context menu.
    auto* checkAll = new QAction(tr("&Check All"), this);
    connect(checkAll, &QAction::triggered, this, [this] { mSheet->onMenuCheckAll(); });
    auto* uncheckAll = new QAction(tr("&Uncheck All"), this);
    connect(uncheckAll, &QAction::triggered, this, [this] { mSheet->onMenuUncheckAll(); });
    auto* appendDate = new QAction(tr("Append &Date and Time to Names"), this);
    connect(appendDate, &QAction::triggered, this, [this] { mSheet->onMenuAppendDate(); });
    for (QAction* action : {checkAll, uncheckAll, appendDate}) {
        mTable->addAction(action);
    }
    mTable->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* more = buttons->addButton(tr("&All Files"), QDialogButtonBox::ResetRole);
    more->setObjectName(QStringLiteral("allFiles"));
    auto* menu = new QMenu(more);
    menu->addActions({checkAll, uncheckAll});
    menu->addSeparator();
    menu->addAction(appendDate);
    more->setMenu(menu);
    QPushButton* overwrite =
        buttons->addButton(tr("&Overwrite Checked"), QDialogButtonBox::AcceptRole);
    overwrite->setObjectName(QStringLiteral("overwrite"));
    QPushButton* noToAll = buttons->addButton(tr("&No to All"), QDialogButtonBox::ActionRole);
    noToAll->setObjectName(QStringLiteral("noToAll"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));
    // Return never replaces a file by accident.
    overwrite->setAutoDefault(false);
    noToAll->setDefault(true);
    connect(overwrite, &QPushButton::clicked, this, [this] { mSheet->onButtonOverwrite(); });
    connect(noToAll, &QPushButton::clicked, this, [this] { mSheet->onButtonNoToAll(); });
    connect(cancel, &QPushButton::clicked, this, [this] { mSheet->onButtonCancel(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(mTable, 1);
    layout->addWidget(buttons);

    const QFontMetrics metrics = fontMetrics();
    const int rows = std::min(mModel->rowCount(), 8);
    resize(metrics.averageCharWidth() * 80,
           sizeHint().height() + metrics.height() * std::max(0, rows - 3));
}

void VMCFileAlreadyExistsSheet::itemsChanged() {
    mModel->itemsChanged();
}

void VMCFileAlreadyExistsSheet::finish(int code) {
    mFinishing = true;
    done(code);
}

void VMCFileAlreadyExistsSheet::reject() {
    if (mFinishing) {
        QDialog::reject();
        return;
    }
    // The controller ends the sheet through the main loop, which calls finish.
    mSheet->onButtonCancel();
}
