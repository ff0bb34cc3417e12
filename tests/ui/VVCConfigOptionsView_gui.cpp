// The preferences as a user meets them: opened from the window's menu with Ctrl+, switches
// changed with their mnemonics, written when the window closes and shown again when it
// opens; the file-name character rules edited in their sheet with the keyboard.
#include "VVCConfigOptionsView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <cstdlib>

#include "GuiAccessibility.h"
#include "GuiMenus.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "VAOptionsFileNameSheet.h"
#include "VMCFileNaming.h"
#include "VMCPanelHostWindow.h"
#include "XRegistry.h"

namespace {

VVCConfigOptionsView* shownOptions() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* options = qobject_cast<VVCConfigOptionsView*>(w);
            options && options->isVisible()) {
            return options;
        }
    }
    return nullptr;
}

// A mnemonic clicks its control the way a click looks: a moment later.
// Sent to the control that has the keyboard in the window, as a key is.
template <typename Condition>
bool pressMnemonic(QWidget* window, Qt::Key key, Condition done) {
    EXPECT_TRUE(GuiTest::waitUntil([window] {
        return QApplication::focusWidget() != nullptr &&
               QApplication::focusWidget()->window() == window;
    }));
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    return GuiTest::waitUntil(done);
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"vMCAllowProfiles", "ShowAudioOnly", "CheckBetaUpdates",
                                 "vMCFileNameChrReplace", "vMCFileNameANSIFilenameOnly"}) {
            XRegistry::DeleteValue(name);
        }
        mWindow.setAttribute(Qt::WA_DeleteOnClose, false);
        mWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mWindow));
    }
    // Ctrl+, in the converter window.
    VVCConfigOptionsView* open() {
        mWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&mWindow));
        QTest::keyClick(&mWindow, Qt::Key_Comma, Qt::ControlModifier);
        VVCConfigOptionsView* options = shownOptions();
        if (options != nullptr) {
            options->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(options));
        }
        return options;
    }
    static void close(VVCConfigOptionsView* options) {
        const QPointer<QWidget> alive(options);
        QTest::keyClick(options, Qt::Key_Escape);
        EXPECT_TRUE(GuiTest::waitUntil([&alive] { return alive.isNull(); }));
    }

    ScopedDebugLog mDebug{false};
    VMCPanelHostWindow mWindow{VMCPanelHost::newLauncher()};
};

TEST_F(Preferences, SwitchesAreWrittenOnCloseAndShownAgain) {
    VVCConfigOptionsView* options = open();
    ASSERT_NE(options, nullptr);
    GuiTest::expectEveryControlNamed(options);
    for (QCheckBox* box : {options->profilesBox(), options->audioOnlyBox(), options->betaBox(),
                           options->debugBox()}) {
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
        EXPECT_TRUE(box->isVisible()) << box->text().toStdString();
    }
    // Ctrl+, again brings the same window forward rather than a second one.
    mWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mWindow));
    QTest::keyClick(&mWindow, Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(shownOptions(), options);
    options->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(options));

    EXPECT_TRUE(pressMnemonic(options, Qt::Key_P,
                              [options] { return options->profilesBox()->isChecked(); }));
    EXPECT_TRUE(
        pressMnemonic(options, Qt::Key_B, [options] { return options->betaBox()->isChecked(); }));
    EXPECT_TRUE(
        pressMnemonic(options, Qt::Key_D, [options] { return options->debugBox()->isChecked(); }));
    EXPECT_TRUE(XDebugLog::enabled()) << "the debug log takes effect at once";
    bool missing = false;
    XRegistry::GetDWORD("vMCAllowProfiles", {}, {}, &missing);
    EXPECT_TRUE(missing) << "nothing is written before the window closes";
    close(options);
    EXPECT_EQ(XRegistry::GetDWORD("vMCAllowProfiles"), 1u);
    EXPECT_EQ(XRegistry::GetDWORD("ShowAudioOnly", {}, {}, &missing), 0u);
    EXPECT_FALSE(missing) << "untouched switches are written too";
    EXPECT_EQ(XRegistry::GetDWORD("CheckBetaUpdates"), 1u);
    EXPECT_FALSE(XRegistry::ValueExists("VANTARO_DEBUG")) << "the debug log is never stored";

    options = open();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->profilesBox()->isChecked());
    EXPECT_FALSE(options->audioOnlyBox()->isChecked());
    EXPECT_TRUE(options->betaBox()->isChecked());
    EXPECT_TRUE(options->debugBox()->isChecked());
    EXPECT_TRUE(
        pressMnemonic(options, Qt::Key_D, [options] { return !options->debugBox()->isChecked(); }));
    EXPECT_FALSE(XDebugLog::enabled());
    EXPECT_TRUE(pressMnemonic(options, Qt::Key_P,
                              [options] { return !options->profilesBox()->isChecked(); }));
    close(options);
    EXPECT_EQ(XRegistry::GetDWORD("vMCAllowProfiles"), 0u);
}

TEST_F(Preferences, TheCharacterRulesAreEditedInTheirSheet) {
    VVCConfigOptionsView* options = open();
    ASSERT_NE(options, nullptr);
    QSignalSpy shown(options, &VVCConfigOptionsView::sheetShown);
    ASSERT_TRUE(pressMnemonic(options, Qt::Key_C, [&shown] { return !shown.isEmpty(); }));
    auto* sheet = GuiTest::lastShown<VAOptionsFileNameSheet>(shown);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    GuiTest::expectEveryControlNamed(sheet);
    // Nothing stored: the default rules.
    ASSERT_EQ(sheet->table()->rowCount(), 2);
    EXPECT_EQ(sheet->field(0, 0)->text(), QStringLiteral("/"));
    EXPECT_EQ(sheet->field(0, 1)->text(), QStringLiteral("-"));
    EXPECT_EQ(sheet->field(1, 0)->text(), QStringLiteral(":"));
    EXPECT_EQ(sheet->field(1, 1)->text(), QStringLiteral(";"));

    // A row added: the keyboard is in it; a character, Tab, its replacement.
    ASSERT_TRUE(
        pressMnemonic(sheet, Qt::Key_A, [sheet] { return sheet->table()->rowCount() == 3; }));
    EXPECT_EQ(QApplication::focusWidget(), sheet->field(2, 0));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("?"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), sheet->field(2, 1));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("_x"));
    EXPECT_EQ(sheet->field(2, 1)->text(), QStringLiteral("_")) << "one character a field";
    // The first row deleted with its button, reached by Tab.
    sheet->field(0, 1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), sheet->deleteButton(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(sheet->table()->rowCount(), 2);
    EXPECT_EQ(sheet->field(0, 0)->text(), QStringLiteral(":"));
    ASSERT_TRUE(
        pressMnemonic(sheet, Qt::Key_O, [sheet] { return sheet->ansiOnlyBox()->isChecked(); }));
    // Return takes the sheet.
    const QPointer<QWidget> open(sheet);
    QTest::keyClick(sheet->field(0, 0), Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([&open] { return open.isNull(); }));
    EXPECT_EQ(XRegistry::GetString("vMCFileNameChrReplace"), XStr(":;?_"));
    EXPECT_EQ(XRegistry::GetDWORD("vMCFileNameANSIFilenameOnly"), 1u);
    // Names made from now on follow the rules.
    VMCFileNaming naming;
    EXPECT_EQ(naming.characterReplacement(), XStr(":;?_"));
    EXPECT_TRUE(naming.ansiOnly());

    // Opened again it shows them; a restored table and Cancel change nothing stored.
    options->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(options));
    shown.clear();
    ASSERT_TRUE(pressMnemonic(options, Qt::Key_C, [&shown] { return !shown.isEmpty(); }));
    sheet = GuiTest::lastShown<VAOptionsFileNameSheet>(shown);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_EQ(sheet->table()->rowCount(), 2);
    EXPECT_EQ(sheet->field(1, 0)->text(), QStringLiteral("?"));
    EXPECT_TRUE(sheet->ansiOnlyBox()->isChecked());
    ASSERT_TRUE(
        pressMnemonic(sheet, Qt::Key_W, [sheet] { return sheet->table()->rowCount() == 9; }));
    EXPECT_EQ(sheet->field(0, 0)->text(), QStringLiteral("\""));
    EXPECT_EQ(sheet->field(1, 1)->text(), QStringLiteral("»"));
    EXPECT_FALSE(sheet->ansiOnlyBox()->isChecked());
    ASSERT_TRUE(
        pressMnemonic(sheet, Qt::Key_D, [sheet] { return sheet->table()->rowCount() == 2; }));
    EXPECT_EQ(sheet->field(0, 0)->text(), QStringLiteral("/"));
    const QPointer<QWidget> again(sheet);
    QTest::keyClick(sheet, Qt::Key_Escape);
    ASSERT_TRUE(GuiTest::waitUntil([&again] { return again.isNull(); }));
    EXPECT_EQ(XRegistry::GetString("vMCFileNameChrReplace"), XStr(":;?_"));
    EXPECT_EQ(XRegistry::GetDWORD("vMCFileNameANSIFilenameOnly"), 1u);
    close(options);
}

}  // namespace
