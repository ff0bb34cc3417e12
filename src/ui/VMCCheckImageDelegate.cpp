#include "VMCCheckImageDelegate.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>

VMCCheckImageDelegate::VMCCheckImageDelegate(int column,
                                             std::function<void(const QModelIndex&)> clicked,
                                             QObject* parent)
    : QStyledItemDelegate(parent), mColumn(column), mClicked(std::move(clicked)) {}

bool VMCCheckImageDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                        const QStyleOptionViewItem& option,
                                        const QModelIndex& index) {
    if (index.column() == mColumn && (event->type() == QEvent::MouseButtonRelease ||
                                      event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        const QRect image = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, widget);
        if (mouse->button() == Qt::LeftButton && image.contains(mouse->position().toPoint())) {
            // A double click on the box is two clicks on it, not an expansion.
            if (event->type() == QEvent::MouseButtonRelease) {
                mClicked(index);
            }
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
