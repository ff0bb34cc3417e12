// Every check box image stands out from the row it is drawn on: the base of an unselected
// row and the highlight of a selected one, in a light and a dark palette.
#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <cstdlib>

#include "VMCCheckBoxImages.h"
#include "folderStateImageHelper.h"

namespace {

QPalette paletteOf(const char* base, const char* text, const char* highlight,
                   const char* highlightedText) {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(base));
    palette.setColor(QPalette::Text, QColor(text));
    palette.setColor(QPalette::Highlight, QColor(highlight));
    palette.setColor(QPalette::HighlightedText, QColor(highlightedText));
    return palette;
}

// The share of the image's area whose colour, laid over the background, is clearly not the
// background's: the part of the box and its mark a user sees.
double visibleShare(const QPixmap& pixmap, const QColor& background) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    const int area = image.width() * image.height();
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 128) {
                continue;
            }
            const int distance = std::abs(c.red() - background.red()) +
                                 std::abs(c.green() - background.green()) +
                                 std::abs(c.blue() - background.blue());
            visible += distance > 90 ? 1 : 0;
        }
    }
    return area == 0 ? 0 : static_cast<double>(visible) / area;
}

TEST(CheckBoxImages, EveryImageStandsOutOnSelectedAndUnselectedRowsInLightAndDark) {
    struct Theme {
        const char* name;
        QPalette palette;
    };
    const Theme themes[] = {
        {"light", paletteOf("#ffffff", "#000000", "#308cc6", "#ffffff")},
        {"dark", paletteOf("#1e1e1e", "#e8e8e8", "#2a82da", "#ffffff")},
    };
    const char* names[] = {
        folderStateImageHelper::mImgUnchecked,    folderStateImageHelper::mImgChecked,
        folderStateImageHelper::mImgSelRecursive, folderStateImageHelper::mImgSelNonRecur,
        folderStateImageHelper::mImgSubSelected,  folderStateImageHelper::mImgIndiv,
    };
    constexpr int kSize = 16;
    for (const Theme& theme : themes) {
        for (const char* name : names) {
            const QIcon icon = VMCCheckBoxImages::image(name, theme.palette, kSize);
            const QColor base = theme.palette.color(QPalette::Base);
            const QColor highlight = theme.palette.color(QPalette::Highlight);
            const double normal = visibleShare(icon.pixmap(kSize, QIcon::Normal), base);
            const double selected = visibleShare(icon.pixmap(kSize, QIcon::Selected), highlight);
            // At least the frame of the box, and about as much on a selected row as on
            // another.
            EXPECT_GT(normal, 0.15) << theme.name << " " << name << " on an unselected row";
            EXPECT_GT(selected, 0.15) << theme.name << " " << name << " on a selected row";
            EXPECT_GT(selected, 0.7 * normal) << theme.name << " " << name;
        }
    }
}

}  // namespace
