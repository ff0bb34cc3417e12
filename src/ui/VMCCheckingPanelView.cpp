#include "VMCCheckingPanelView.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "VMCQtText.h"

namespace {

// Often enough to look alive; the worker only counts, nothing is asked of the disk here.
constexpr int kRefreshMs = 100;

}  // namespace

VMCCheckingPanelView::VMCCheckingPanelView(std::shared_ptr<VMCCheckingPanel> panel, QWidget* parent)
    : QWidget(parent), mPanel(std::move(panel)) {
    mStatus = new QLabel(this);
    mStatus->setObjectName(QStringLiteral("status"));
    mStatus->setWordWrap(true);
    mBar = new QProgressBar(this);
    mBar->setObjectName(QStringLiteral("progress"));
    mBar->setTextVisible(false);
    mBar->setAccessibleName(tr("Checking output files"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(buttons, &QDialogButtonBox::rejected, this, [panel = mPanel] { panel->onCancel(); });

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(mStatus);
    layout->addWidget(mBar);
    layout->addStretch(1);
    layout->addWidget(buttons);

    mTimer = new QTimer(this);
    mTimer->setInterval(kRefreshMs);
    connect(mTimer, &QTimer::timeout, this, &VMCCheckingPanelView::refresh);
    mTimer->start();
    refresh();
    mPanel->setView(this);
    if (mPanel->sheet()) {
        // The sheet was asked for before this view existed.
        QTimer::singleShot(0, this, [this] { sheetOpened(); });
    }
}

VMCCheckingPanelView::~VMCCheckingPanelView() {
    mPanel->setView(nullptr);
    if (mSheet) {
        mSheet->finish(0);
    }
}

void VMCCheckingPanelView::refresh() {
    mStatus->setText(VMCQtText::toQt(mPanel->statusText()));
    if (mSheet) {
        mBar->setRange(0, 100);
        mBar->setValue(100);
        return;
    }
    const std::optional<int> percent = mPanel->percentDone();
    if (percent) {
        mBar->setRange(0, 100);
        mBar->setValue(*percent);
    } else {
        // Busy, without a count.
        mBar->setRange(0, 0);
    }
}

void VMCCheckingPanelView::sheetOpened() {
    if (mSheet || !mPanel->sheet()) {
        return;
    }
    mTimer->stop();
    mSheet = new VMCFileAlreadyExistsSheet(mPanel->sheet(), window());
    refresh();
    mSheet->open();
    Q_EMIT sheetShown(mSheet);
}

void VMCCheckingPanelView::sheetItemsChanged() {
    if (mSheet) {
        mSheet->itemsChanged();
    }
}

void VMCCheckingPanelView::sheetClosed() {
    if (mSheet) {
        mSheet->finish(0);
        mSheet = nullptr;
    }
}
