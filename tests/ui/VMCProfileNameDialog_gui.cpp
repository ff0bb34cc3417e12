// The sheet that names a new profile, with the keyboard alone: the name's mnemonic, Return
// for OK, Escape for Cancel; a refused name keeps the sheet open and says why.
#include "VMCProfileNameDialog.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "XRegistry.h"

TEST(VMCProfileNameDialog, TheKeyboardNamesAProfileOrCancels) {
    struct Case {
        QString typed;
        Qt::Key key;
        int result;
        XStrList offered;
    };
    const Case cases[] = {
        {QStringLiteral("Phone"), Qt::Key_Return, QDialog::Accepted, {"Phone"}},
        {QStringLiteral("Phone"), Qt::Key_Escape, QDialog::Rejected, {}},
        // Nothing but blanks: OK cannot be pressed, Return does nothing.
        {QStringLiteral("   "), Qt::Key_Return, -1, {}},
    };
    for (const Case& c : cases) {
        QWidget parent;
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        XStrList offered;
        QPointer<VMCProfileNameDialog> sheet = new VMCProfileNameDialog(
            "<type profile name>", "'MP4 (H264)'",
            [&offered](const XStr& name) {
                offered.push_back(name);
                return true;
            },
            &parent);
        QSignalSpy finished(sheet.data(), &QDialog::finished);
        sheet->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
        DialogTest::expectAccessibleNames(sheet);
        QTest::keyClick(sheet, Qt::Key_N, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), sheet->nameField());
        sheet->nameField()->selectAll();
        QTest::keyClicks(sheet->nameField(), c.typed);
        QTest::keyClick(sheet->nameField(), c.key);
        EXPECT_EQ(offered, c.offered) << c.typed.toStdString();
        if (c.result < 0) {
            EXPECT_TRUE(finished.isEmpty());
            EXPECT_FALSE(
                sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled());
        } else {
            ASSERT_EQ(finished.count(), 1);
            EXPECT_EQ(finished.at(0).at(0).toInt(), c.result);
        }
        delete sheet;
    }
}

// A name the store could not keep is refused by the setup panel with the reason; the
// alert belongs to the sheet, which stays open with the name to correct.
TEST(VMCProfileNameDialog, ARefusedNameSaysWhyAndTheSheetStays) {
    const TestTempDir dir;
    const ScopedEnv store("XCLASS_XREGISTRY_LOCATION", dir.file("XRegistry").c_str());
    XRegistry::SetDWORD("vMCAllowProfiles", 1);
    writeTextFile(dir.file("clip.mkv"), "");
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.host().sourceFilesChosen({dir.xfile("clip.mkv")});
    auto* setup = GuiTest::waitForPanel<VMCPreConvertDialogView>(window, 10000);
    ASSERT_NE(setup, nullptr);
    QSignalSpy shown(setup, &VMCPreConvertDialogView::dialogShown);
    ASSERT_TRUE(setup->dialog().encoderSelected(XStr(VMCCreateProfile::kCreateItem)));
    auto* sheet = DialogTest::lastShown<VMCProfileNameDialog>(shown);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    QSignalSpy finished(sheet, &QDialog::finished);
    sheet->nameField()->setFocus();
    sheet->nameField()->selectAll();
    QTest::keyClicks(sheet->nameField(), QStringLiteral("Phone\\Tablet"));
    QTest::keyClick(sheet->nameField(), Qt::Key_Return);
    auto* alert = DialogTest::lastShown<QMessageBox>(shown);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), QStringLiteral("Please choose another profile name.\nA profile name "
                                            "cannot hold a backslash (\\)."));
    EXPECT_EQ(alert->parentWidget(), sheet);
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(sheet->isVisible());
    alert->accept();
    EXPECT_EQ(sheet->nameField()->text(), QStringLiteral("Phone\\Tablet")) << "kept to correct";
    EXPECT_EQ(setup->dialog().config().userProfiles().size(), 0u);
    sheet->reject();
    XRegistry::SetDWORD("vMCAllowProfiles", 0);
    window.close();
}
