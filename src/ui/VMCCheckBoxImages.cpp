#include "VMCCheckBoxImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "VMCQtText.h"
#include "folderStateImageHelper.h"

namespace {

// The average of two colours.
QColor mix(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// selected: drawn for a highlighted row, whose background is the highlight colour itself:
// what is drawn in it elsewhere takes the highlighted text's colour there, and a box keeps
// the base colour inside, as a check box on a selected row does.
QPixmap draw(const XStr& name, const QPalette& palette, int size, qreal dpr, bool selected) {
    QPixmap pixmap(QSize(size, size) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QColor highlight = palette.color(QPalette::Highlight);
    const QColor highlightedText = palette.color(QPalette::HighlightedText);
    const QColor frame = selected ? highlightedText : palette.color(QPalette::Text);
    const QColor fill = palette.color(QPalette::Base);
    const QColor accent = selected ? highlightedText : highlight;
    const QColor onAccent = selected ? highlight : highlightedText;
    // The dot and the bar sit on the base colour inside the box.
    const QColor mark = highlight;
    const QColor behind =
        selected ? mix(highlight, highlightedText)
                 : highlight.lighter(palette.color(QPalette::Base).lightness() > 128 ? 160 : 70);
    const QRectF box(s * 0.1, s * 0.1, s * 0.8, s * 0.8);
    const bool on = name != folderStateImageHelper::mImgUnchecked;
    const bool full = name == folderStateImageHelper::mImgChecked ||
                      name == folderStateImageHelper::mImgSelRecursive ||
                      name == folderStateImageHelper::mImgSelNonRecur;

    // A recursive selection shows a second box behind the first: the subfolders.
    QRectF front = box;
    if (name == folderStateImageHelper::mImgSelRecursive) {
        front = QRectF(s * 0.04, s * 0.2, s * 0.72, s * 0.72);
        const QRectF back(s * 0.24, s * 0.04, s * 0.72, s * 0.72);
        p.setPen(QPen(accent, qMax(1.0, s / 14)));
        p.setBrush(behind);
        p.drawRoundedRect(back, s * 0.12, s * 0.12);
    }
    p.setPen(QPen(on ? accent : frame, qMax(1.0, s / 14)));
    p.setBrush(full ? accent : fill);
    p.drawRoundedRect(front, s * 0.14, s * 0.14);

    const QPointF c = front.center();
    const qreal w = front.width();
    if (full) {
        QPainterPath tick;
        tick.moveTo(c.x() - w * 0.28, c.y() + w * 0.02);
        tick.lineTo(c.x() - w * 0.07, c.y() + w * 0.22);
        tick.lineTo(c.x() + w * 0.3, c.y() - w * 0.22);
        p.setPen(QPen(onAccent, qMax(1.5, s / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else if (name == folderStateImageHelper::mImgSubSelected) {
        // Something below: a filled dot.
        p.setPen(Qt::NoPen);
        p.setBrush(mark);
        p.drawEllipse(c, w * 0.2, w * 0.2);
    } else if (name == folderStateImageHelper::mImgIndiv) {
        // Some files: a bar, as a partly checked box.
        p.setPen(QPen(mark, qMax(1.5, s / 8), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - w * 0.26, c.y()), QPointF(c.x() + w * 0.26, c.y()));
    }
    return pixmap;
}

}  // namespace

namespace VMCCheckBoxImages {

QIcon image(const XStr& name, const QPalette& palette, int size) {
    // Drawn once per palette and size: the tree asks for every row it paints. A selected
    // row shows the image drawn for the highlight.
    static QHash<QString, QIcon> cache;
    const QString key =
        VMCQtText::toQt(name) + QLatin1Char('/') + palette.color(QPalette::Text).name() +
        palette.color(QPalette::Base).name() + palette.color(QPalette::Highlight).name() +
        palette.color(QPalette::HighlightedText).name() + QString::number(size);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QIcon icon;
        for (const qreal dpr : {1.0, 2.0}) {
            icon.addPixmap(draw(name, palette, size, dpr, false), QIcon::Normal);
            icon.addPixmap(draw(name, palette, size, dpr, true), QIcon::Selected);
        }
        it = cache.insert(key, icon);
    }
    return *it;
}

QIcon forFolderState(int state, const QPalette& palette, int size) {
    return image(folderStateImageHelper::checkBoxImageForState(state), palette, size);
}

QIcon forFile(bool checked, const QPalette& palette, int size) {
    return image(folderStateImageHelper::checkBoxImageForFile(checked), palette, size);
}

}  // namespace VMCCheckBoxImages
