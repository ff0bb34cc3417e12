#include "VMCPreConvertDialogView.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include "VMCAlert.h"
#include "VMCEffectChainView.h"
#include "VMCEncoderSetupParts.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPageWidget.h"
#include "VMCPanelHostBase.h"
#include "VMCProfileNameDialog.h"
#include "VMCQtText.h"
#include "VVCConfigFFmpegWindow.h"

using VMCQtText::toQt;

VMCPreConvertDialogView::VMCPreConvertDialogView(std::shared_ptr<VMCPreConvertDialog> dialog,
                                                 QWidget* parent)
    : QWidget(parent), mDialog(std::move(dialog)) {
    mEncoder = VMCEncoderSetupParts::makeEncoderPicker(this);
    connect(mEncoder, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            mDialog->encoderSelected(static_cast<std::size_t>(index));
        }
    });

    QGroupBox* settingsBox = VMCEncoderSetupParts::makeSettingsBox(this, mPageArea);

    mEffects = new VMCEffectChainView(mDialog->effects(), this);
    QGroupBox* effectsBox = VMCEncoderSetupParts::makeEffectsBox(this, mEffects);
    connect(mEffects, &VMCEffectChainView::dialogShown, this,
            &VMCPreConvertDialogView::dialogShown);

    mLocation = new VMCOutputLocationPickerView(mDialog->locationPicker(), this);
    connect(mLocation, &VMCOutputLocationPickerView::folderChooserShown, this,
            &VMCPreConvertDialogView::dialogShown);
    connect(mLocation, &VMCOutputLocationPickerView::namingDialogShown, this,
            &VMCPreConvertDialogView::dialogShown);

    const VMCEncoderSetupParts::Rows rows = VMCEncoderSetupParts::makeRows(mEncoder, mLocation);

    auto* middle = new QHBoxLayout;
    middle->addWidget(settingsBox, 3);
    middle->addWidget(effectsBox, 2);

    mFileCount = new QPushButton(this);
    mFileCount->setObjectName(QStringLiteral("fileCount"));
    mFileCount->setAccessibleDescription(tr("List & Rename Files"));
    mFileCount->setToolTip(
        tr("List the files, choose which to convert and name their outputs "
           "(Ctrl+L)"));
    mFileCount->setAutoDefault(false);
    connect(mFileCount, &QPushButton::clicked, this, [this] { mDialog->onButtonFileList(); });
    // Not the button's own shortcut: a button forgets it whenever its text changes.
    auto* listFiles = new QAction(this);
    listFiles->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    listFiles->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(listFiles);
    connect(listFiles, &QAction::triggered, mFileCount, &QPushButton::click);
    mButtons = new QDialogButtonBox(this);
    mConvert = mButtons->addButton(tr("&Convert"), QDialogButtonBox::AcceptRole);
    mConvert->setObjectName(QStringLiteral("convert"));
    mConvert->setDefault(true);
    mCancel = mButtons->addButton(QDialogButtonBox::Cancel);
    mCancel->setObjectName(QStringLiteral("cancel"));
    mCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QPushButton* b : {mConvert, mCancel}) {
        b->setAutoDefault(true);
    }
    connect(mButtons, &QDialogButtonBox::accepted, this, [this] { mDialog->onButtonGo(); });
    connect(mButtons, &QDialogButtonBox::rejected, this, [this] { mDialog->onButtonCancel(); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mFileCount);
    bottom->addStretch(1);
    bottom->addWidget(mButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows.encoder);
    layout->addLayout(middle, 1);
    layout->addLayout(rows.destination);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(bottom);

    mDialog->setView(this);
    encoderPickerChanged();
    encoderPageChanged();
    fileCountChanged();
}

VMCPreConvertDialogView::~VMCPreConvertDialogView() {
    // The controller may go before the child widgets do: nothing reaches it afterwards.
    mDialog->setView(nullptr);
    mEffects->detach();
    mLocation->detach();
    if (mPageWidget) {
        mPageWidget->detachPage();
    }
}

void VMCPreConvertDialogView::encoderPickerChanged() {
    const QSignalBlocker block(mEncoder);
    const std::vector<VMCPreConvertDialog::PickerItem>& items = mDialog->pickerItems();
    // The rows are made anew only when they changed: the drop-down may still be closing
    // from the choice that led here.
    if (items != mShownItems) {
        fillEncoderPicker();
    }
    const std::optional<std::size_t> selected = mDialog->selectedPickerIndex();
    mEncoder->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

void VMCPreConvertDialogView::fillEncoderPicker() {
    mShownItems = mDialog->pickerItems();
    mEncoder->clear();
    auto* model = qobject_cast<QStandardItemModel*>(mEncoder->model());
    for (const VMCPreConvertDialog::PickerItem& item : mShownItems) {
        if (item.kind == VMCPreConvertDialog::PickerItem::Kind::kSeparator) {
            mEncoder->insertSeparator(mEncoder->count());
            continue;
        }
        const QIcon icon = item.logoPath.empty()
                               ? QIcon()
                               : QIcon(QFile::decodeName(item.logoPath.utf8().c_str()));
        mEncoder->addItem(icon, toQt(item.title));
        if (!item.enabled && model != nullptr) {
            model->item(mEncoder->count() - 1)->setEnabled(false);
        }
    }
}

void VMCPreConvertDialogView::encoderPageChanged() {
    mPageWidget = VMCEncoderSetupParts::showPage(mPageArea, mPageWidget, mDialog->encoderPage());
    orderFocus();
}

void VMCPreConvertDialogView::orderFocus() {
    QList<QWidget*> chain{mEncoder};
    if (mPageWidget != nullptr && mPageWidget->firstFocusWidget() != nullptr) {
        // The page's own order, read before the chain is relinked.
        QWidget* last = mPageWidget->lastFocusWidget();
        for (QWidget* w = mPageWidget->firstFocusWidget(); w != nullptr;
             w = w->nextInFocusChain()) {
            if (mPageWidget->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) != 0) {
                chain.append(w);
            }
            if (w == last) {
                break;
            }
        }
    }
    chain.append(mEffects->focusWidgets());
    chain.append(mLocation->comboBox());
    chain.append(mFileCount);
    // The buttons in the order the button box shows them.
    QList<QPushButton*> buttons{mConvert, mCancel};
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    for (QPushButton* b : buttons) {
        chain.append(b);
    }
    for (int i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

void VMCPreConvertDialogView::fileCountChanged() {
    mFileCount->setText(toQt(mDialog->fileCountText()));
    mConvert->setEnabled(mDialog->convertEnabled());
}

void VMCPreConvertDialogView::keyPressEvent(QKeyEvent* event) {
    // Return converts from anywhere in the panel that does not take it itself.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (mConvert->isEnabled()) {
            mConvert->click();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void VMCPreConvertDialogView::showAlert(const XStr& message) {
    Q_EMIT dialogShown(VMCAlert::show(this, message));
}

void VMCPreConvertDialogView::askNewProfileName(const XStr& fieldText, const XStr& encoderLabel) {
    auto* sheet = new VMCProfileNameDialog(
        fieldText, encoderLabel,
        [dialog = mDialog](const XStr& name) { return dialog->createProfileNamed(name); }, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::rejected, this, [this] { mDialog->cancelCreateProfile(); });
    sheet->open();
    Q_EMIT dialogShown(sheet);
}

void VMCPreConvertDialogView::askDeleteProfile(const XStr& question) {
    auto* box = new QMessageBox(QMessageBox::Question,
                                QString::fromUtf8(VMCPanelHostBase::kApplicationName),
                                toQt(question), QMessageBox::NoButton, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::WindowModal);
    QPushButton* yes = box->addButton(tr(VMCCreateProfile::kYes), QMessageBox::YesRole);
    QPushButton* no = box->addButton(tr(VMCCreateProfile::kNo), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    connect(box, &QMessageBox::finished, this,
            [this, box, yes] { mDialog->deleteProfileAnswered(box->clickedButton() == yes); });
    box->open();
    Q_EMIT dialogShown(box);
}

void VMCPreConvertDialogView::showFFmpegInstall() {
    Q_EMIT dialogShown(VVCConfigFFmpegWindow::showPanel(window()));
}
