// Draws a number from 0 to 100 as a progress bar in the style of the desktop; draws
// nothing for a cell without one.
#pragma once

#include <QStyledItemDelegate>

class VMCProgressBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
