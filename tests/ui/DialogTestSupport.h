// What the GUI tests of the dialogs share: choosing from drop-downs and button menus as a
// user does, the dialog a signal reported, the tab order a user meets, and the names a
// screen reader gives the controls.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <string>

#include "GuiTestSupport.h"
#include "VMCPanelHostWindow.h"
#include "VMCProgressPanelView.h"

namespace DialogTest {

// Opens the drop-down from the keyboard and clicks the row with that text.
inline void chooseFromCombo(QComboBox* combo, const QString& text) {
    const int row = combo->findText(text);
    ASSERT_GE(row, 0) << text.toStdString();
    // Opened from the keyboard: a click that opens a drop-down makes it ignore the next
    // release for a moment, and a test clicks faster than people do.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(GuiTest::waitUntil([list] { return list->isVisible(); }));
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    ASSERT_TRUE(GuiTest::waitUntil([list] { return !list->isVisible(); }));
}

// Chooses an item of a button's menu with the keyboard while the menu is open.
inline void chooseFromButtonMenu(QPushButton* button, QMenu* menu, const QString& text) {
    QAction* wanted = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            wanted = action;
        }
    }
    ASSERT_NE(wanted, nullptr) << text.toStdString();
    // The menu runs its own event loop until an item is chosen.
    QTimer::singleShot(0, menu, [menu, wanted] {
        if (!QTest::qWaitForWindowExposed(menu)) {
            return;
        }
        menu->setActiveAction(wanted);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(button, Qt::LeftButton);
}

template <typename T>
T* lastShown(const QSignalSpy& spy) {
    return spy.isEmpty() ? nullptr : qobject_cast<T*>(spy.last().at(0).value<QWidget*>());
}

// In the folder chooser the spy reported last: the folder's name typed in its parent, then
// Return.
inline void chooseFolder(const QSignalSpy& spy, const std::string& parent, const QString& name) {
    auto* chooser = lastShown<QFileDialog>(spy);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    ASSERT_EQ(chooser->fileMode(), QFileDialog::Directory);
    chooser->setDirectory(QString::fromStdString(parent));
    auto* field = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, name);
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([c = QPointer<QWidget>(chooser)] { return !c; }));
}

// The conversion the window runs has ended well: its progress panel offers Finish. False
// when it ended otherwise (the log shows its errors) or did not end in time.
inline bool waitUntilConverted(VMCPanelHostWindow& window) {
    auto* progress = GuiTest::waitForPanel<VMCProgressPanelView>(window);
    if (progress == nullptr) {
        return false;
    }
    QPointer<QPushButton> cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
    GuiTest::waitUntil(
        [&] { return cancel.isNull() || cancel->text() == QStringLiteral("&Finish"); },
        GuiTest::kConversionDeadlineMs);
    return !cancel.isNull() && cancel->text() == QStringLiteral("&Finish");
}

inline std::string describe(const QList<QWidget*>& widgets) {
    std::string out;
    for (QWidget* w : widgets) {
        out += (w == nullptr                ? std::string("(none)")
                : w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                            : w->objectName().toStdString()) +
               " ";
    }
    return out;
}

// The widgets Tab visits from the first, as many as expected.
inline QList<QWidget*> tabThrough(QWidget* first, int count) {
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 1; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    return visited;
}

// Every control under root that the keyboard reaches has a name a screen reader says.
inline void expectAccessibleNames(QWidget* root) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || (w->focusPolicy() & Qt::TabFocus) == 0 ||
            qobject_cast<QAbstractItemView*>(w->parentWidget()) != nullptr) {
            continue;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr) << describe({w});
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << describe({w}) << "in " << describe({root});
    }
}

}  // namespace DialogTest
