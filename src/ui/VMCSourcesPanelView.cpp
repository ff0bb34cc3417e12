#include "VMCSourcesPanelView.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

#include "VMCQtText.h"

VMCSourcesPanelView::VMCSourcesPanelView(std::shared_ptr<VMCSourcesPanel> panel, QWidget* parent)
    : QWidget(parent), mPanel(std::move(panel)) {
    auto* count = new QLabel(VMCQtText::toQt(mPanel->fileCountText()), this);
    count->setObjectName(QStringLiteral("fileCount"));
    auto* list = new QListView(this);
    list->setAccessibleName(tr("Chosen files"));
    list->setModel(new QStringListModel(VMCQtText::toQt(mPanel->fileNames()), list));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    count->setBuddy(list);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* back = buttons->addButton(tr("Back"), QDialogButtonBox::RejectRole);
    back->setObjectName(QStringLiteral("back"));
    back->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(buttons, &QDialogButtonBox::rejected, this, [panel = mPanel] { panel->goBack(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
}
