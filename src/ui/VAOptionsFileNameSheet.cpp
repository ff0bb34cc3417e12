#include "VAOptionsFileNameSheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "VMCQtText.h"

using VMCQtText::toQt;

namespace {

constexpr int kColumnReplace = 0;
constexpr int kColumnReplaceWith = 1;
constexpr int kColumnDelete = 2;

const char* columnId(int column) {
    return column == kColumnReplace ? FNReplaceRecord::kReplaceColumn
                                    : FNReplaceRecord::kReplaceWithColumn;
}

}  // namespace

VAOptionsFileNameSheet::VAOptionsFileNameSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("File Name Characters"));
    setWindowModality(Qt::WindowModal);

    auto* note = new QLabel(
        tr("Characters replaced in the names made from tags; a replacement of \"*\" removes "
           "the character."),
        this);
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);

    mTable = new QTableWidget(0, 3, this);
    mTable->setObjectName(QStringLiteral("characters"));
    mTable->setAccessibleName(tr("Replaced characters"));
    mTable->setHorizontalHeaderLabels({tr("Replace"), tr("Replace With"), QString()});
    mTable->verticalHeader()->hide();
    mTable->setSelectionMode(QAbstractItemView::NoSelection);
    // The fields take the keyboard, not the table around them.
    mTable->setFocusPolicy(Qt::NoFocus);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    mTable->horizontalHeader()->setSectionResizeMode(kColumnDelete, QHeaderView::ResizeToContents);
    // Room for the longest table of defaults without scrolling.
    mTable->verticalHeader()->setDefaultSectionSize(QPushButton(tr("Delete")).sizeHint().height() +
                                                    2);
    mTable->setMinimumHeight(mTable->horizontalHeader()->sizeHint().height() +
                             mTable->verticalHeader()->defaultSectionSize() * 9 +
                             2 * mTable->frameWidth());

    mAdd = new QPushButton(tr("&Add Row"), this);
    mAdd->setObjectName(QStringLiteral("addRow"));
    mRestore = new QPushButton(tr("Restore &Defaults"), this);
    mRestore->setObjectName(QStringLiteral("restoreDefaults"));
    mRestoreWindows = new QPushButton(tr("Restore &Windows Defaults"), this);
    mRestoreWindows->setObjectName(QStringLiteral("restoreWindowsDefaults"));
    mRestoreWindows->setToolTip(
        tr("Replaces every character that Windows does not allow in "
           "file names."));
    for (QPushButton* b : {mAdd, mRestore, mRestoreWindows}) {
        b->setAutoDefault(false);
    }
    connect(mAdd, &QPushButton::clicked, this, [this] {
        mOptions.addRow();
        showRows(static_cast<int>(mOptions.records().size()) - 1, kColumnReplace);
    });
    connect(mRestore, &QPushButton::clicked, this, [this] {
        mOptions.onRestoreDefault();
        showRows();
    });
    connect(mRestoreWindows, &QPushButton::clicked, this, [this] {
        mOptions.onRestoreDefaultsWin();
        showRows();
    });
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(mAdd);
    rowButtons->addStretch(1);
    rowButtons->addWidget(mRestore);
    rowButtons->addWidget(mRestoreWindows);

    mAnsiOnly = new QCheckBox(tr("&Only ASCII letters in file names (accents removed)"), this);
    mAnsiOnly->setObjectName(QStringLiteral("ansiOnly"));
    connect(mAnsiOnly, &QCheckBox::toggled, this, [this](bool on) { mOptions.setAnsiOnly(on); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mButtons = buttons;
    connect(buttons, &QDialogButtonBox::accepted, this, &VAOptionsFileNameSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(mTable, 1);
    layout->addLayout(rowButtons);
    layout->addWidget(mAnsiOnly);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 64);
    showRows();
}

QLineEdit* VAOptionsFileNameSheet::field(int row, int column) const {
    return qobject_cast<QLineEdit*>(mTable->cellWidget(row, column));
}

QPushButton* VAOptionsFileNameSheet::deleteButton(int row) const {
    return qobject_cast<QPushButton*>(mTable->cellWidget(row, kColumnDelete));
}

void VAOptionsFileNameSheet::showRows(int focusRow, int focusColumn) {
    const std::vector<FNReplaceRecord>& records = mOptions.records();
    mTable->setRowCount(static_cast<int>(records.size()));
    for (int row = 0; row < static_cast<int>(records.size()); ++row) {
        const FNReplaceRecord& record = records[static_cast<std::size_t>(row)];
        for (const int column : {kColumnReplace, kColumnReplaceWith}) {
            auto* edit = new QLineEdit(
                toQt(column == kColumnReplace ? record.Replace : record.ReplaceWith), mTable);
            edit->setObjectName(QString::fromLatin1(columnId(column)));
            edit->setAlignment(Qt::AlignCenter);
            edit->setFrame(false);
            edit->setAccessibleName(column == kColumnReplace
                                        ? tr("Character to replace, row %1").arg(row + 1)
                                        : tr("Replacement, row %1").arg(row + 1));
            // One character each; Tab selects it, so typing replaces it.
            edit->setMaxLength(1);
            connect(edit, &QLineEdit::textEdited, this, [this, row, column](const QString& t) {
                mOptions.setValue(static_cast<std::size_t>(row), columnId(column),
                                  VMCQtText::fromQt(t));
            });
            mTable->setCellWidget(row, column, edit);
        }
        auto* remove = new QPushButton(tr("Delete"), mTable);
        remove->setObjectName(QStringLiteral("delete"));
        remove->setAccessibleName(tr("Delete row %1").arg(row + 1));
        remove->setAutoDefault(false);
        connect(remove, &QPushButton::clicked, this, [this, row] {
            mOptions.deleteRow(static_cast<std::size_t>(row));
            const int left = static_cast<int>(mOptions.records().size());
            showRows(std::min(row, left - 1), kColumnReplace);
            if (left == 0) {
                mAdd->setFocus(Qt::OtherFocusReason);
            }
        });
        mTable->setCellWidget(row, kColumnDelete, remove);
    }
    {
        const QSignalBlocker block(mAnsiOnly);
        mAnsiOnly->setChecked(mOptions.ansiOnly());
    }
    orderFocus();
    if (focusRow >= 0 && focusRow < mTable->rowCount()) {
        mTable->scrollTo(mTable->model()->index(focusRow, focusColumn));
        field(focusRow, focusColumn)->setFocus(Qt::OtherFocusReason);
    }
}

void VAOptionsFileNameSheet::orderFocus() {
    QList<QWidget*> chain;
    for (int row = 0; row < mTable->rowCount(); ++row) {
        chain.append(
            {field(row, kColumnReplace), field(row, kColumnReplaceWith), deleteButton(row)});
    }
    chain.append({mAdd, mRestore, mRestoreWindows, mAnsiOnly});
    for (int i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

void VAOptionsFileNameSheet::accept() {
    mOptions.onOK();
    QDialog::accept();
}
