#include "VMCPreConvertDialogView.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>

#include "VMCAlert.h"
#include "VMCEffectChainView.h"
#include "VMCEffectListWidget.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPageWidget.h"
#include "VMCPanelHostBase.h"
#include "VMCProfileNameDialog.h"
#include "VMCQtText.h"
#include "VVCConfigFFmpegWindow.h"

using VMCQtText::toQt;

namespace {

// Wide enough for the longest encoder name without making the window wide.
constexpr int kEncoderCharacters = 32;

}  // namespace

VMCPreConvertDialogView::VMCPreConvertDialogView(std::shared_ptr<VMCPreConvertDialog> dialog,
                                                 QWidget* parent)
    : QWidget(parent), mDialog(std::move(dialog)) {
    mEncoder = new QComboBox(this);
    mEncoder->setObjectName(QStringLiteral("encoder"));
    mEncoder->setAccessibleName(tr("Encoder"));
    mEncoder->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    mEncoder->setMinimumContentsLength(kEncoderCharacters);
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    mEncoder->setIconSize(QSize(icon, icon));
    mEncoder->setMaxVisibleItems(24);
    connect(mEncoder, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            mDialog->encoderSelected(static_cast<std::size_t>(index));
        }
    });

    auto* settingsBox = new QGroupBox(tr("Encoder Settings"), this);
    mPageArea = new QScrollArea(settingsBox);
    mPageArea->setWidgetResizable(true);
    mPageArea->setFrameShape(QFrame::NoFrame);
    // The page's controls take the keyboard, not the area around them.
    mPageArea->setFocusPolicy(Qt::NoFocus);
    // The area is made as wide as the page; only a tall page scrolls.
    mPageArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page shows on the group's own background.
    mPageArea->viewport()->setAutoFillBackground(false);
    auto* settingsLayout = new QVBoxLayout(settingsBox);
    settingsLayout->addWidget(mPageArea);

    auto* effectsBox = new QGroupBox(tr("E&ffects"), this);
    // Its mnemonic leads to the list, not back to the button used last.
    effectsBox->installEventFilter(this);
    mEffectsBox = effectsBox;
    mEffects = new VMCEffectChainView(mDialog->effects(), effectsBox);
    auto* effectsLayout = new QVBoxLayout(effectsBox);
    effectsLayout->addWidget(mEffects);
    connect(mEffects, &VMCEffectChainView::dialogShown, this,
            &VMCPreConvertDialogView::dialogShown);

    mLocation = new VMCOutputLocationPickerView(mDialog->locationPicker(), this);
    connect(mLocation, &VMCOutputLocationPickerView::folderChooserShown, this,
            &VMCPreConvertDialogView::dialogShown);
    connect(mLocation, &VMCOutputLocationPickerView::namingDialogShown, this,
            &VMCPreConvertDialogView::dialogShown);

    auto* top = new QFormLayout;
    top->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    top->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->addRow(tr("&Encoder:"), mEncoder);
    auto* destination = new QFormLayout;
    destination->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    destination->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    destination->addRow(tr("&Destination:"), mLocation);
    qobject_cast<QLabel*>(destination->labelForField(mLocation))->setBuddy(mLocation->comboBox());
    // Both labels as wide as the wider, so the two fields start in one column.
    auto* encoderLabel = qobject_cast<QLabel*>(top->labelForField(mEncoder));
    auto* destinationLabel = qobject_cast<QLabel*>(destination->labelForField(mLocation));
    const int labelWidth =
        std::max(encoderLabel->sizeHint().width(), destinationLabel->sizeHint().width());
    encoderLabel->setMinimumWidth(labelWidth);
    destinationLabel->setMinimumWidth(labelWidth);
    encoderLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    destinationLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

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
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(destination);
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
    if (mPageWidget) {
        mPageWidget->detachPage();
    }
    QWidget* old = mPageArea->takeWidget();
    if (old != nullptr) {
        old->hide();
        old->deleteLater();
    }
    mPageWidget = nullptr;
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    if (VMCEncoderPage* page = mDialog->encoderPage()) {
        mPageWidget = new VMCPageWidget(*page, holder);
        layout->addWidget(mPageWidget);
    } else {
        auto* none = new QLabel(tr("No settings to choose."), holder);
        none->setObjectName(QStringLiteral("noSettings"));
        layout->addWidget(none);
    }
    layout->addStretch(1);
    mPageArea->setWidget(holder);
    // The page shows on the group's own background (the area would fill it with its own).
    holder->setAutoFillBackground(false);
    // Wide enough for the page without a horizontal scroll bar.
    mPageArea->setMinimumWidth(holder->minimumSizeHint().width() +
                               mPageArea->verticalScrollBar()->sizeHint().width());
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

bool VMCPreConvertDialogView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mEffectsBox && event->type() == QEvent::Shortcut) {
        mEffects->list()->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return QWidget::eventFilter(watched, event);
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
