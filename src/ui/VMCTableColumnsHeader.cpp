#include "VMCTableColumnsHeader.h"

#include <QHeaderView>
#include <QMenu>
#include <QStyle>
#include <QTableView>

#include "VMCBatchFileTableModel.h"
#include "VMCQtText.h"

VMCTableColumnsHeader::VMCTableColumnsHeader(QTableView* table, VMCBatchFileTableModel* model,
                                             VMCTableColumns& columns)
    : QObject(table), mTable(table), mModel(model), mColumns(columns) {
    QHeaderView* header = mTable->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this, header](QPoint at) {
        QMenu* menu = buildMenu(header);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(header->mapToGlobal(at));
    });
    connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        const XStr id = mModel->columnAt(section);
        if (!mApplying && !id.empty()) {
            mColumns.tableViewColumnDidResize(id, size);
        }
    });
    mColumns.prepareTableView();
    apply();
}

QMenu* VMCTableColumnsHeader::buildMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("columnsMenu"));
    const VMCTableColumns::Menu items = mColumns.buildMenu();
    const auto fill = [this](QMenu* sub, const std::vector<VMCTableColumns::MenuItem>& list) {
        for (const VMCTableColumns::MenuItem& item : list) {
            QAction* action = sub->addAction(VMCQtText::mnemonicSafe(item.identifier));
            action->setCheckable(true);
            action->setChecked(item.checked);
            const XStr id = item.identifier;
            connect(action, &QAction::triggered, this, [this, id] {
                mColumns.toggleColumn(id);
                apply();
            });
        }
    };
    fill(menu->addMenu(VMCQtText::toQt(VMCTableColumns::kColumnsMenu)), items.columns);
    fill(menu->addMenu(VMCQtText::toQt(VMCTableColumns::kTagsMenu)), items.tags);
    menu->addSeparator();
    connect(menu->addAction(VMCQtText::toQt(VMCTableColumns::kDefaultColumnsItem)),
            &QAction::triggered, this, [this] {
                mColumns.resetToDefaultColumns();
                apply();
            });
    return menu;
}

void VMCTableColumnsHeader::apply() {
    mApplying = true;
    mModel->columnsChanged();
    QHeaderView* header = mTable->horizontalHeader();
    const int box = mTable->style()->pixelMetric(QStyle::PM_SmallIconSize) +
                    2 * mTable->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    header->setSectionResizeMode(VMCBatchFileTableModel::kCheckColumn, QHeaderView::Fixed);
    header->resizeSection(VMCBatchFileTableModel::kCheckColumn, box);
    for (int section = 1; section < mModel->columnCount(); ++section) {
        header->setSectionResizeMode(section, QHeaderView::Interactive);
        header->resizeSection(section,
                              static_cast<int>(mColumns.widthOf(mModel->columnAt(section))));
    }
    mApplying = false;
}
