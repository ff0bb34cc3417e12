#include "VMCEffectListWidget.h"

#include <QDropEvent>
#include <QKeyEvent>

VMCEffectListWidget::VMCEffectListWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDragEnabled(true);
    setDropIndicatorShown(true);
    setUniformItemSizes(true);
}

int VMCEffectListWidget::dropRow(int from, const QPoint& position) const {
    const QModelIndex target = indexAt(position);
    int insertAt = count();
    if (target.isValid()) {
        const QRect rect = visualRect(target);
        insertAt = target.row() + (position.y() >= rect.center().y() ? 1 : 0);
    }
    // Taking the row out first moves the rows after it up by one.
    return insertAt > from ? insertAt - 1 : insertAt;
}

void VMCEffectListWidget::dropEvent(QDropEvent* event) {
    // Only the list's own rows are dragged here (InternalMove refuses other drags).
    const int from = currentRow();
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    viewport()->update();
    if (from < 0 || (event->source() != nullptr && event->source() != this)) {
        event->ignore();
        return;
    }
    // Nothing for the drag's source to remove: the owner rebuilds the rows.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    const int to = dropRow(from, event->position().toPoint());
    if (to != from) {
        Q_EMIT moveRequested(from, to);
    }
}

void VMCEffectListWidget::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) &&
        currentRow() >= 0) {
        Q_EMIT removeRequested(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
