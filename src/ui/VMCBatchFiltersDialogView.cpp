#include "VMCBatchFiltersDialogView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "VMCFileFilter.h"
#include "VMCQtText.h"

using VMCQtText::toQt;

VMCBatchFiltersDialogView::VMCBatchFiltersDialogView(
    std::shared_ptr<VMCBatchConverterFiltersDialog> dialog, QWidget* parent)
    : QDialog(parent),
      mDialog(std::move(dialog)),
      mSelf(static_cast<VMCBatchConverterFiltersDialogView*>(this),
            [](VMCBatchConverterFiltersDialogView*) {}) {
    setObjectName(QStringLiteral("filtersDialog"));
    setWindowTitle(tr("Filters"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    auto* intro =
        new QLabel(tr("Only files whose values are all ticked are shown. Values are read from the "
                      "folders that are selected."),
                   this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* body = new QHBoxLayout;
    mFields = new QListWidget(this);
    mFields->setObjectName(QStringLiteral("fields"));
    mFields->setAccessibleName(tr("Filter fields"));
    mFieldNames = {VMCFileFilter::kFileTypes, VMCFileFilter::kDate};
    for (const XStr& field : VMCBatchConverterFiltersDialog::infoFields()) {
        mFieldNames.push_back(field);
    }
    for (const XStr& field : mFieldNames) {
        mFields->addItem(toQt(field));
    }
    mFields->setFixedWidth(mFields->sizeHintForColumn(0) + 2 * mFields->frameWidth() +
                           fontMetrics().averageCharWidth() * 4);
    body->addWidget(mFields);

    mPages = new QStackedWidget(this);
    auto* rowsPage = new QWidget(mPages);
    auto* rowsLayout = new QVBoxLayout(rowsPage);
    rowsLayout->setContentsMargins(0, 0, 0, 0);
    mRows = new QListWidget(rowsPage);
    mRows->setObjectName(QStringLiteral("rows"));
    mWaiting = new QLabel(rowsPage);
    mWaiting->setObjectName(QStringLiteral("waiting"));
    mWaiting->setAlignment(Qt::AlignCenter);
    mWaiting->setWordWrap(true);
    rowsLayout->addWidget(mRows, 1);
    rowsLayout->addWidget(mWaiting, 1);
    auto* rowButtons = new QHBoxLayout;
    mIncludeAll = new QPushButton(tr("&Include All"), rowsPage);
    mExcludeAll = new QPushButton(tr("E&xclude All"), rowsPage);
    mIncludeAll->setObjectName(QStringLiteral("includeAll"));
    mExcludeAll->setObjectName(QStringLiteral("excludeAll"));
    rowButtons->addWidget(mIncludeAll);
    rowButtons->addWidget(mExcludeAll);
    rowButtons->addStretch(1);
    rowsLayout->addLayout(rowButtons);
    mPages->addWidget(rowsPage);

    auto* datePage = new QWidget(mPages);
    auto* dateLayout = new QVBoxLayout(datePage);
    dateLayout->setContentsMargins(0, 0, 0, 0);
    auto* dateLabel = new QLabel(tr("Only files modified within:"), datePage);
    mDate = new QComboBox(datePage);
    mDate->setObjectName(QStringLiteral("date"));
    dateLabel->setBuddy(mDate);
    for (const XStr& choice : VMCBatchConverterFiltersDialog::dateChoices()) {
        mDate->addItem(toQt(choice));
    }
    if (mDate->findText(toQt(mDialog->dateChoice())) < 0) {
        mDate->addItem(toQt(mDialog->dateChoice()));
    }
    mDate->setCurrentText(toQt(mDialog->dateChoice()));
    dateLayout->addWidget(dateLabel);
    dateLayout->addWidget(mDate);
    dateLayout->addStretch(1);
    mPages->addWidget(datePage);
    body->addWidget(mPages, 1);
    layout->addLayout(body, 1);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(mFields, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < mFieldNames.size()) {
            showField(mFieldNames[row]);
        }
    });
    connect(mRows, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (mFilling) {
            return;
        }
        const XStr key = VMCQtText::fromQt(item->data(Qt::UserRole).toString());
        mDialog->setChecked(mField, key, item->checkState() == Qt::Checked);
    });
    connect(mIncludeAll, &QPushButton::clicked, this, [this] {
        mDialog->onIncludeAll(mField);
        fillRows();
    });
    connect(mExcludeAll, &QPushButton::clicked, this, [this] {
        mDialog->onExcludeAll(mField);
        fillRows();
    });
    connect(mDate, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { mDialog->setDateChoice(VMCQtText::fromQt(text)); });

    mDialog->setView(mSelf);
    mFields->setCurrentRow(0);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 28);
}

VMCBatchFiltersDialogView::~VMCBatchFiltersDialogView() {
    mSelf.reset();
}

void VMCBatchFiltersDialogView::showField(const XStr& field) {
    mField = field;
    const auto it = std::find(mFieldNames.begin(), mFieldNames.end(), field);
    if (it != mFieldNames.end() && mFields->currentRow() != it - mFieldNames.begin()) {
        mFields->setCurrentRow(static_cast<int>(it - mFieldNames.begin()));
    }
    mPages->setCurrentIndex(field == VMCFileFilter::kDate ? 1 : 0);
    fillRows();
}

void VMCBatchFiltersDialogView::fillRows() {
    if (mField == VMCFileFilter::kDate) {
        return;
    }
    const bool types = mField == VMCFileFilter::kFileTypes;
    std::vector<VMCFiltersEntry>& rows = types ? mDialog->fileTypeRows() : mDialog->rows(mField);
    mFilling = true;
    mRows->clear();
    for (const VMCFiltersEntry& row : rows) {
        auto* item = new QListWidgetItem(toQt(row.name), mRows);
        item->setData(Qt::UserRole, toQt(row.key));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    }
    mFilling = false;
    const bool waiting = !types && !mDialog->valuesLoaded();
    const bool empty = rows.empty();
    mWaiting->setText(waiting ? tr("Reading the values of the selected folders...")
                              : tr("No file of the selected folders has a value here. Tick "
                                   "folders to choose from their values."));
    mWaiting->setVisible(empty);
    mRows->setVisible(!empty);
    mIncludeAll->setEnabled(!empty);
    mExcludeAll->setEnabled(!empty);
}

void VMCBatchFiltersDialogView::fieldValuesChanged() {
    fillRows();
}

void VMCBatchFiltersDialogView::accept() {
    if (!mDone) {
        mDone = true;
        mDialog->ok();
    }
    QDialog::accept();
}

void VMCBatchFiltersDialogView::reject() {
    if (!mDone) {
        mDone = true;
        mDialog->cancel();
    }
    QDialog::reject();
}
