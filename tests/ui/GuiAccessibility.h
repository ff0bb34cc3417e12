// What the GUI tests ask of every dialog for people who do not use the mouse or do not see
// the screen: each control the keyboard reaches has a name assistive tools can read.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

namespace GuiTest {

// Every shown control under root that Tab reaches answers a name.
inline void expectEveryControlNamed(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || (w->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << w->metaObject()->className();
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
}

}  // namespace GuiTest
