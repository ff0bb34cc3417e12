#include "VMCProgressPanelView.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "VMCConversionNotice.h"
#include "VMCDesktopNotifier.h"
#include "VMCProgressBarDelegate.h"
#include "VMCProgressSlotModel.h"
#include "VMCQtText.h"

namespace {

QString withMnemonic(const XStr& title) {
    return QLatin1Char('&') + VMCQtText::toQt(title);
}

QLabel* smallLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

VMCProgressPanelView::VMCProgressPanelView(std::shared_ptr<VMCProgressPanel> panel, QWidget* parent)
    : QWidget(parent), mPanel(std::move(panel)), mDialog(mPanel->dialog()) {
    mMain = new QLabel(this);
    mMain->setObjectName(QStringLiteral("main"));
    QFont bold = mMain->font();
    bold.setBold(true);
    mMain->setFont(bold);
    mMain->setWordWrap(true);
    mBar = new QProgressBar(this);
    mBar->setObjectName(QStringLiteral("overall"));
    mBar->setRange(0, 100);
    mBar->setAccessibleName(tr("Overall progress"));
    mElapsed = smallLabel(QStringLiteral("elapsed"), this);
    mLeft = smallLabel(QStringLiteral("left"), this);
    mLeft->setAlignment(Qt::AlignCenter);
    mSpeed = smallLabel(QStringLiteral("speed"), this);
    mSpeed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* figures = new QHBoxLayout;
    figures->addWidget(mElapsed, 1);
    figures->addWidget(mLeft, 1);
    figures->addWidget(mSpeed, 1);

    mSlotModel = new VMCProgressSlotModel(mDialog, this);
    mSlots = new QTreeView(this);
    mSlots->setObjectName(QStringLiteral("slots"));
    mSlots->setAccessibleName(tr("Encoders"));
    mSlots->setModel(mSlotModel);
    mSlots->setRootIsDecorated(false);
    mSlots->setUniformRowHeights(true);
    mSlots->setSelectionMode(QAbstractItemView::NoSelection);
    mSlots->setFocusPolicy(Qt::NoFocus);
    mSlots->setTextElideMode(Qt::ElideMiddle);
    mSlots->setItemDelegateForColumn(VMCProgressSlotModel::kProgressColumn,
                                     new VMCProgressBarDelegate(mSlots));
    QHeaderView* header = mSlots->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(VMCProgressSlotModel::kEncoderColumn,
                                 QHeaderView::ResizeToContents);
    header->setSectionResizeMode(VMCProgressSlotModel::kFileColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(VMCProgressSlotModel::kProgressColumn, QHeaderView::Fixed);
    header->resizeSection(VMCProgressSlotModel::kProgressColumn,
                          fontMetrics().horizontalAdvance(QStringLiteral("0")) * 18);

    auto* afterLabel = new QLabel(tr("&When done:"), this);
    mAfter = new QComboBox(this);
    mAfter->setObjectName(QStringLiteral("afterConversion"));
    for (const VMCProgressPanel::Choice& choice : VMCProgressPanel::afterConversionChoices()) {
        mAfter->addItem(VMCQtText::toQt(choice.title), choice.tag);
    }
    mAfter->setCurrentIndex(mAfter->findData(mDialog->optAfterConversion));
    afterLabel->setBuddy(mAfter);
    connect(mAfter, &QComboBox::activated, this,
            [this](int index) { mDialog->onAfterRippingOption(mAfter->itemData(index).toInt()); });

    mEncoders = new QComboBox(this);
    mEncoders->setObjectName(QStringLiteral("encoders"));
    mEncoders->setAccessibleName(tr("Number of encoders"));
    buildEncoderMenu();
    connect(mEncoders, &QComboBox::activated, this, &VMCProgressPanelView::encoderCountChosen);

    mOptions = new QPushButton(tr("&Options"), this);
    mOptions->setObjectName(QStringLiteral("options"));
    mOptions->setAutoDefault(false);
    auto* options = new QMenu(mOptions);
    QAction* showInfo = options->addAction(tr("Show the &Information Log When Done"));
    showInfo->setCheckable(true);
    showInfo->setChecked(mDialog->optShowInfoLog);
    connect(showInfo, &QAction::toggled, this, [this](bool on) { mDialog->setOptShowInfoLog(on); });
    QAction* skip = options->addAction(tr("&Close This Panel When Done Without Errors"));
    skip->setCheckable(true);
    skip->setChecked(mDialog->skipFinished());
    connect(skip, &QAction::toggled, this, [this](bool on) { mDialog->setSkipFinished(on); });
    mOptions->setMenu(options);

    auto* choices = new QHBoxLayout;
    choices->addWidget(afterLabel);
    choices->addWidget(mAfter);
    choices->addStretch(1);
    choices->addWidget(mEncoders);
    choices->addWidget(mOptions);

    // The log on the left, apart from the buttons that act on the conversion.
    mShowLog = new QPushButton(tr("Show &Log"), this);
    mShowLog->setObjectName(QStringLiteral("showLog"));
    auto* buttons = new QDialogButtonBox(this);
    mPause =
        buttons->addButton(withMnemonic(mDialog->buttonPauseTitle()), QDialogButtonBox::ActionRole);
    mPause->setObjectName(QStringLiteral("pause"));
    mCancel = buttons->addButton(withMnemonic(mDialog->buttonCancelTitle()),
                                 QDialogButtonBox::RejectRole);
    mCancel->setObjectName(QStringLiteral("cancel"));
    for (QPushButton* button : {mShowLog, mPause, mCancel}) {
        button->setAutoDefault(false);
    }
    connect(mShowLog, &QPushButton::clicked, this, [this] { mDialog->onShowConversionLog(); });
    connect(mPause, &QPushButton::clicked, this, [this] {
        mDialog->onPause();
        refreshButtons();
    });
    connect(mCancel, &QPushButton::clicked, this, [this] { mDialog->onCancel(); });
    // Escape cancels (or finishes) as the button does; the button keeps its own key.
    auto* escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(escape);
    connect(escape, &QAction::triggered, this, [this] { mDialog->onCancel(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mMain);
    layout->addWidget(mBar);
    layout->addLayout(figures);
    layout->addWidget(mSlots, 1);
    layout->addLayout(choices);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mShowLog);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    // The keyboard goes from the choices to the buttons, Cancel last.
    setTabOrder(mAfter, mEncoders);
    setTabOrder(mEncoders, mOptions);
    setTabOrder(mOptions, mShowLog);
    setTabOrder(mShowLog, mPause);
    setTabOrder(mPause, mCancel);

    mTimer = new QTimer(this);
    mTimer->setInterval(kTickMs);
    connect(mTimer, &QTimer::timeout, this, [this] { mDialog->updateLabels(); });
    mPanel->setView(this);
    labelsUpdated();
    if (!mDialog->isAllDone()) {
        mTimer->start();
    }
}

VMCProgressPanelView::~VMCProgressPanelView() {
    mPanel->setView(nullptr);
}

void VMCProgressPanelView::buildEncoderMenu() {
    mEncoders->clear();
    for (const VMCProgressDialog::MenuItem& item : mDialog->encoderMenu()) {
        mEncoders->addItem(VMCQtText::toQt(item.title), item.tag);
        if (item.checked) {
            mEncoders->setCurrentIndex(mEncoders->count() - 1);
        }
    }
    // One slot leaves nothing to choose.
    mEncoders->setEnabled(mEncoders->count() > 1 && !mDialog->isAllDone());
}

void VMCProgressPanelView::encoderCountChosen(int index) {
    const auto count = static_cast<uint32_t>(mEncoders->itemData(index).toUInt());
    const uint32_t before = mDialog->optNumCPUs;
    mDialog->onCoreCount(count);
    buildEncoderMenu();
    if (mDialog->optNumCPUs > before) {
        // Room for a row per working encoder.
        QWidget* top = window();
        const int wanted = VMCProgressPanel::heightForEncoders(mDialog->optNumCPUs);
        if (top->height() < wanted) {
            top->resize(top->width(), wanted);
        }
    }
    mSlotModel->refresh();
}

void VMCProgressPanelView::refreshButtons() {
    mPause->setText(withMnemonic(mDialog->buttonPauseTitle()));
    mPause->setEnabled(mDialog->buttonPauseEnabled());
    mCancel->setText(withMnemonic(mDialog->buttonCancelTitle()));
    mShowLog->setEnabled(mDialog->canShowConversionLog());
}

void VMCProgressPanelView::labelsUpdated() {
    mMain->setText(VMCQtText::toQt(mDialog->labelProgressMain()));
    mElapsed->setText(VMCQtText::toQt(mDialog->labelProgressElapsed()));
    mLeft->setText(VMCQtText::toQt(mDialog->labelProgressLeft()));
    mSpeed->setText(VMCQtText::toQt(mDialog->labelProgressSpeed()));
    mBar->setValue(static_cast<int>(mDialog->getPercentDone()));
    mSlotModel->refresh();
    refreshButtons();
}

void VMCProgressPanelView::jobStarted(uint32_t /*job*/, const VMCCPU& /*slot*/) {
    mSlotModel->refresh();
}

void VMCProgressPanelView::jobFinished(uint32_t /*job*/, bool /*hadErrors*/) {
    mSlotModel->refresh();
}

void VMCProgressPanelView::allDone() {
    mTimer->stop();
    buildEncoderMenu();
    labelsUpdated();
    mBar->setValue(100);
    mCancel->setFocus();
    // Someone working in another window hears of the end from the desktop.
    if (!window()->isActiveWindow()) {
        VMCDesktopNotifier::notify(
            VMCConversionNotice::forResult(mPanel->convertedCount(), mPanel->failedCount()));
    }
}
