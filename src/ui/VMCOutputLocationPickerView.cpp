#include "VMCOutputLocationPickerView.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include "VMCNamingTemplateDialog.h"
#include "VMCQtText.h"

namespace {

// Wide enough for a folder and a file name; longer destinations show whole in the list.
constexpr int kShownCharacters = 36;

}  // namespace

VMCOutputLocationPickerView::VMCOutputLocationPickerView(VMCOutputLocationPickerV2& picker,
                                                         QWidget* parent)
    : QWidget(parent), mPicker(&picker) {
    mCombo = new QComboBox(this);
    mCombo->setObjectName(QStringLiteral("destination"));
    mCombo->setAccessibleName(tr("Destination"));
    mCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    mCombo->setMinimumContentsLength(kShownCharacters);
    mCombo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mCombo);
    setFocusProxy(mCombo);
    connect(mCombo, &QComboBox::activated, this, [this](int index) {
        if (mPicker != nullptr && index >= 0) {
            mPicker->onDropdownValueSelected(static_cast<std::size_t>(index));
        }
    });
    mPicker->setView(this);
    locationPickerChanged();
}

VMCOutputLocationPickerView::~VMCOutputLocationPickerView() {
    detach();
}

void VMCOutputLocationPickerView::detach() {
    if (mPicker != nullptr) {
        mPicker->setView(nullptr);
        mPicker = nullptr;
    }
}

void VMCOutputLocationPickerView::locationPickerChanged() {
    if (mPicker == nullptr) {
        return;
    }
    const QSignalBlocker block(mCombo);
    // The rows are made anew only when they changed: the drop-down may still be closing
    // from the choice that led here.
    QStringList rows;
    for (const VMCOutputLocationPickerEntry& entry : mPicker->entries()) {
        rows.push_back(QStringLiteral("%1%2%3")
                           .arg(entry.separator ? 1 : 0)
                           .arg(entry.enabled ? 1 : 0)
                           .arg(VMCQtText::toQt(entry.title)));
    }
    if (rows != mShownRows) {
        fill();
        mShownRows = rows;
    }
    const std::optional<std::size_t> selected = mPicker->selectedIndex();
    mCombo->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
    const QString shown = VMCQtText::toQt(mPicker->selectedTitle());
    mCombo->setToolTip(shown);
    mCombo->setAccessibleDescription(shown);
}

void VMCOutputLocationPickerView::fill() {
    mCombo->clear();
    auto* model = qobject_cast<QStandardItemModel*>(mCombo->model());
    for (const VMCOutputLocationPickerEntry& entry : mPicker->entries()) {
        if (entry.separator) {
            mCombo->insertSeparator(mCombo->count());
            continue;
        }
        mCombo->addItem(VMCQtText::toQt(entry.title));
        if (!entry.enabled && model != nullptr) {
            model->item(mCombo->count() - 1)->setEnabled(false);
        }
    }
}

void VMCOutputLocationPickerView::runFolderChooser(const XStr& startFolder, const XStr& title) {
    auto* dialog = new QFileDialog(this, VMCQtText::toQt(title),
                                   QFile::decodeName(startFolder.utf8().c_str()));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QFileDialog::finished, this, [this, dialog](int result) {
        if (mPicker == nullptr) {
            return;
        }
        const QStringList chosen = dialog->selectedFiles();
        if (result == QDialog::Accepted && !chosen.isEmpty()) {
            mPicker->folderChosen(VMCQtText::pathFromQt(chosen.front()));
        } else {
            mPicker->folderChosen(std::nullopt);
        }
    });
    dialog->open();
    Q_EMIT folderChooserShown(dialog);
}

void VMCOutputLocationPickerView::runDynamicNamingDialog(
    const VMCOutputLocationPickerV2::DynamicNamingRequest& request) {
    auto* dialog = new VMCNamingTemplateDialog(request, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        if (mPicker != nullptr) {
            mPicker->dynamicNamingDone(result == QDialog::Accepted, dialog->pattern(),
                                       dialog->baseLocation());
        }
    });
    dialog->open();
    Q_EMIT namingDialogShown(dialog);
}
