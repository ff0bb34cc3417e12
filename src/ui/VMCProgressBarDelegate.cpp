#include "VMCProgressBarDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionProgressBar>

void VMCProgressBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QVariant value = index.data(Qt::DisplayRole);
    if (!value.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    QStyleOptionProgressBar bar;
    if (widget != nullptr) {
        bar.initFrom(widget);
    }
    const int margin = option.rect.height() / 6;
    bar.rect = option.rect.adjusted(margin, margin, -margin, -margin);
    // The row's selection colours would hide the bar's own.
    bar.state = (option.state & QStyle::State_Enabled) | QStyle::State_Horizontal;
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = value.toInt();
    bar.text = QStringLiteral("%1%").arg(bar.progress);
    bar.textVisible = true;
    bar.textAlignment = Qt::AlignCenter;
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}
