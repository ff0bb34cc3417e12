#include "VMCStatusLogPanelView.h"

#include <QAction>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "VMCQtText.h"
#include "VMCStatusLogModel.h"

VMCStatusLogPanelView::VMCStatusLogPanelView(std::shared_ptr<VMCStatusLogPanel> panel,
                                             QWidget* parent)
    : QWidget(parent), mPanel(std::move(panel)), mTabs(mPanel->dialog().tabs()) {
    VMCStatusLogDialog& dialog = mPanel->dialog();
    mTabWidget = new QTabWidget(this);
    mTabWidget->setObjectName(QStringLiteral("tabs"));
    for (const VMCStatusLogDialog::Tab tab : mTabs) {
        auto* list = new QTreeView(mTabWidget);
        list->setObjectName(tab == VMCStatusLogDialog::Tab::kErrors
                                ? QStringLiteral("errors")
                                : QStringLiteral("information"));
        list->setModel(new VMCStatusLogModel(dialog, tab, list));
        list->setHeaderHidden(true);
        list->setUniformRowHeights(false);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setTextElideMode(Qt::ElideNone);
        list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list->header()->setStretchLastSection(false);
        list->expandAll();
        list->setAccessibleName(VMCQtText::toQt(VMCStatusLogDialog::tabLabel(tab)));
        mTabWidget->addTab(list,
                           QLatin1Char('&') + VMCQtText::toQt(VMCStatusLogDialog::tabLabel(tab)));
    }
    const auto selected = std::find(mTabs.begin(), mTabs.end(), dialog.selectedTab());
    if (selected != mTabs.end()) {
        mTabWidget->setCurrentIndex(static_cast<int>(selected - mTabs.begin()));
    }
    connect(mTabWidget, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < mTabs.size()) {
            mPanel->dialog().selectTab(mTabs[static_cast<std::size_t>(index)]);
        }
    });

    auto* buttons = new QDialogButtonBox(this);
    mCopy = buttons->addButton(QString(), QDialogButtonBox::ActionRole);
    mCopy->setObjectName(QStringLiteral("copy"));
    mReconvert =
        buttons->addButton(tr("Convert &Failed Files Again"), QDialogButtonBox::ActionRole);
    mReconvert->setObjectName(QStringLiteral("reconvert"));
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* close = new QAction(this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    close->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(close);
    connect(close, &QAction::triggered, this,
            [panel = mPanel] { panel->dialog().cancelOperation(); });
    connect(mCopy, &QPushButton::clicked, this, [panel = mPanel] { panel->dialog().onCopy(); });
    connect(mReconvert, &QPushButton::clicked, this,
            [panel = mPanel] { panel->dialog().onReConvert(); });
    connect(ok, &QPushButton::clicked, this, [panel = mPanel] { panel->dialog().onOK(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mTabWidget, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(mCopy);
    bottom->addWidget(mReconvert);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    dialog.setView(this);
    refresh();
}

VMCStatusLogPanelView::~VMCStatusLogPanelView() {
    mPanel->dialog().setView(nullptr);
}

QTreeView* VMCStatusLogPanelView::listOf(VMCStatusLogDialog::Tab tab) const {
    const auto it = std::find(mTabs.begin(), mTabs.end(), tab);
    return it == mTabs.end()
               ? nullptr
               : qobject_cast<QTreeView*>(mTabWidget->widget(static_cast<int>(it - mTabs.begin())));
}

void VMCStatusLogPanelView::setClipboardText(const XStr& text) {
    QGuiApplication::clipboard()->setText(VMCQtText::toQt(text));
}

void VMCStatusLogPanelView::refresh() {
    const VMCStatusLogDialog& dialog = mPanel->dialog();
    mCopy->setText(QLatin1Char('&') + VMCQtText::toQt(dialog.copyButtonTitle()));
    mCopy->setEnabled(dialog.copyButtonEnabled());
    mReconvert->setVisible(dialog.reconvertButtonVisible());
}
