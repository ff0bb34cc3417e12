// Draws rows whose decoration is a check image (the batch converter's tree and file lists)
// and reports a click on that image, so the row's own check logic can run.
#pragma once

#include <QStyledItemDelegate>
#include <functional>

class VMCCheckImageDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // clicked runs for a left click on the image of a cell of the given column.
    VMCCheckImageDelegate(int column, std::function<void(const QModelIndex&)> clicked,
                          QObject* parent);

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    int mColumn;
    std::function<void(const QModelIndex&)> mClicked;
};
