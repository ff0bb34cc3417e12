// Drop-downs and menus chosen from as a user does, in the GUI tests.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "GuiTestSupport.h"

namespace GuiTest {

// Opens the drop-down and clicks the row with that text.
inline void chooseFromCombo(QComboBox* combo, const QString& text) {
    const int row = combo->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    // Opened from the keyboard: a click that opens a drop-down makes it ignore the next
    // release for a moment, and a test clicks faster than people do.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(waitUntil([list] { return list->isVisible(); }));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    ASSERT_TRUE(waitUntil([list] { return !list->isVisible(); }));
}

// The action of the menu with that text (menu texts as written, "&" included); null when
// there is none.
inline QAction* menuAction(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

// Chooses an item of a menu with the keyboard while it is open; open() opens it (and may
// run the menu's own event loop until the item is chosen).
inline void chooseFromMenu(QMenu* menu, const QString& text, const std::function<void()>& open) {
    QAction* wanted = menuAction(menu, text);
    ASSERT_NE(wanted, nullptr) << text.toStdString();
    QTimer::singleShot(0, menu, [menu, wanted] {
        if (!QTest::qWaitForWindowExposed(menu)) {
            return;
        }
        menu->setActiveAction(wanted);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    open();
}

// The same for the menu of a button, opened with the mouse.
inline void chooseFromButtonMenu(QPushButton* button, QMenu* menu, const QString& text) {
    chooseFromMenu(menu, text, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

template <typename T>
T* lastShown(const QSignalSpy& spy) {
    return spy.isEmpty() ? nullptr : qobject_cast<T*>(spy.last().at(0).value<QWidget*>());
}

}  // namespace GuiTest
