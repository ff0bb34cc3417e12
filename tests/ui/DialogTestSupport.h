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

#include "GuiMenus.h"
#include "GuiTestSupport.h"
#include "VMCPanelHostWindow.h"
#include "VMCProgressPanelView.h"

namespace DialogTest {

using GuiTest::chooseFromButtonMenu;
using GuiTest::chooseFromCombo;
using GuiTest::lastShown;

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
