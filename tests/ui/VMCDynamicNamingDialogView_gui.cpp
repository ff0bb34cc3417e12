// The dynamic naming dialog driven as a user does from the setup panel's destination: a
// template built by typing and through the insertion menus, its example on the sample
// tags and on the first file, the base folder typed, and OK; then Cancel, and the keyboard.
#include "VMCDynamicNamingDialogView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTextDocument>
#include <cstdlib>

#include "GuiAccessibility.h"
#include "GuiMenus.h"
#include "GuiSetupWindow.h"
#include "VMCOutputLocationPickerView.h"

namespace {

using GuiTest::chooseFromCombo;
using GuiTest::chooseFromMenu;
using GuiTest::lastShown;

const QChar kNoBreak(0x00A0);

// The dialog, opened from the destination drop-down.
VMCDynamicNamingDialogView* openNamingDialog(GuiTest::SetupWindow& setup, QSignalSpy& shown) {
    chooseFromCombo(setup.view->locationView()->comboBox(), QStringLiteral("Edit Dynamic Naming"));
    auto* dialog = lastShown<VMCDynamicNamingDialogView>(shown);
    if (dialog != nullptr) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    return dialog;
}

// The offscreen platform has no window manager to hand the activation back from a closed
// menu.
void activate(QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// Opens a button's menu with its mnemonic and chooses the item.
void insertFromMenu(QWidget* from, QPushButton* button, Qt::Key mnemonic, const QString& item) {
    chooseFromMenu(button->menu(), item,
                   [from, mnemonic] { QTest::keyClick(from, mnemonic, Qt::AltModifier); });
    activate(from->window());
    // A mnemonic presses its button for a moment, as a click would look; the button takes
    // the next press only once it is up again.
    QTest::qWait(150);
}

// A mnemonic clicks its button or check box the way a click looks: a moment later.
template <typename Condition>
bool pressMnemonic(QWidget* from, Qt::Key key, Condition done) {
    QTest::keyClick(from, key, Qt::AltModifier);
    return GuiTest::waitUntil(done);
}

XStr textOf(const QString& text) {
    return GuiTest::fromQt(text);
}

// The text with "{if}" as " if " written with no-break spaces, as the programmable menu
// inserts it.
XStr noBreak(const char* text) {
    const XStr space(std::u32string(1, U'\u00A0'));
    return XStr(text).replaced("{if}", space + "if" + space);
}

QString plain(const QLabel* label) {
    QTextDocument document;
    document.setHtml(label->text());
    // (Plain text would turn the no-break spaces into spaces.)
    return document.toRawText().trimmed();
}

TEST(VMCDynamicNamingDialogView, ATemplateMadeThroughTheMenusGivesTheSampleExample) {
    GuiTest::SetupWindow setup;
    chooseFromCombo(setup.view->encoderPicker(), QStringLiteral("MP4 (H264)"));
    setup.activate();
    QSignalSpy shown(setup.view, &VMCPreConvertDialogView::dialogShown);
    VMCDynamicNamingDialogView* dialog = openNamingDialog(setup, shown);
    ASSERT_NE(dialog, nullptr);
    QLineEdit* field = dialog->patternField();
    EXPECT_EQ(QApplication::focusWidget(), field) << "the keyboard starts in the template";
    EXPECT_FALSE(field->hasSelectedText()) << "a menu's element is added, not put in its place";

    // The sample tags, not the first file's, and a template made anew.
    if (dialog->useCurrentBox()->isChecked()) {
        EXPECT_TRUE(pressMnemonic(field, Qt::Key_F,
                                  [dialog] { return !dialog->useCurrentBox()->isChecked(); }));
    }
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(textOf(dialog->exampleLabel()->text()), XStr(".mp4"));
    EXPECT_FALSE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());

    insertFromMenu(field, dialog->tagButton(), Qt::Key_A, QStringLiteral("Artist"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/"));
    insertFromMenu(field, dialog->tagButton(), Qt::Key_A, QStringLiteral("Album Title"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/"));
    insertFromMenu(field, dialog->tagButton(), Qt::Key_A, QStringLiteral("Track number"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" - "));
    insertFromMenu(field, dialog->tagButton(), Qt::Key_A, QStringLiteral("Title"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" ("));
    insertFromMenu(field, dialog->propertyButton(), Qt::Key_P, QStringLiteral("Length (mm:ss)"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(")"));
    insertFromMenu(field, dialog->programmableButton(), Qt::Key_O,
                   QStringLiteral("Multi-Disc").replace(QLatin1Char(' '), kNoBreak));
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_EQ(textOf(field->text()),
              noBreak("[artist]/[album]/[track] - [title] ([length_mmss])[IFMULTI]included{if}"
                      "multi-disc[]"));
    EXPECT_EQ(textOf(dialog->exampleLabel()->text()),
              XStr("Artist/Album Title/05 - Title (10.51).mp4"));
    EXPECT_EQ(textOf(plain(dialog->descriptionLabel())),
              noBreak("Artist/Album/TrackNum - Title (Length mm:ss)[IFMULTI]included{if}"
                      "multi-disc[]"));

    // The multi-disc sample, by its mnemonic.
    EXPECT_TRUE(
        pressMnemonic(field, Qt::Key_M, [dialog] { return dialog->multiDiscBox()->isChecked(); }));
    EXPECT_EQ(textOf(dialog->exampleLabel()->text()),
              noBreak("Artist/Album Title/05 - Title (10.51)included{if}multi-disc.mp4"));
    // An insertion at a point moved with the keyboard: Home, then the compilation test.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    insertFromMenu(field, dialog->programmableButton(), Qt::Key_O,
                   QStringLiteral("Uppercase string").replace(QLatin1Char(' '), kNoBreak));
    EXPECT_TRUE(field->text().startsWith(QStringLiteral("[UPPER]string[][artist]/")));
    EXPECT_EQ(field->cursorPosition(), QStringLiteral("[UPPER]string[]").size());
    EXPECT_TRUE(dialog->exampleLabel()->text().startsWith(QStringLiteral("STRINGArtist/")));
    field->setSelection(0, QStringLiteral("[UPPER]string[]").size());
    QTest::keyClick(field, Qt::Key_Delete);

    // A folder typed with "~/", then Return takes the dialog.
    QTest::keyClick(field, Qt::Key_B, Qt::AltModifier);
    QLineEdit* base = dialog->baseLocationField();
    EXPECT_EQ(QApplication::focusWidget(), base);
    base->selectAll();
    QTest::keyClicks(base, QStringLiteral("~/Films"));
    EXPECT_TRUE(dialog->buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    const QPointer<QWidget> open(dialog);
    QTest::keyClick(base, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([&open] { return open.isNull(); }));

    const VMCFileNaming& naming = setup.config().activeProfile()->fileNaming();
    EXPECT_EQ(naming.fileNamingType(), VMCFileNaming::kDynamic);
    const XStr noBreak(std::u32string(1, U'\u00A0'));
    EXPECT_EQ(naming.dynamicFormat(),
              "[artist]/[album]/[track] - [title] ([length_mmss])[IFMULTI]included" + noBreak +
                  "if" + noBreak + "multi-disc[]");
    EXPECT_EQ(naming.destination().url(), XStr(std::getenv("HOME")) + "/Films");
    EXPECT_TRUE(setup.view->locationView()->comboBox()->currentText().startsWith(
        QStringLiteral("~/Films/Artist/Album/TrackNum - Title")))
        << setup.view->locationView()->comboBox()->currentText().toStdString();
    setup.window.close();
}

// With its information gathered, the first file is the example; Escape leaves everything.
TEST(VMCDynamicNamingDialogView, TheFirstFileIsTheExampleAndEscapeChangesNothing) {
    GuiTest::SetupWindow setup(false, {"Holiday at the sea.mkv"});
    chooseFromCombo(setup.view->encoderPicker(), QStringLiteral("MP4 (H264)"));
    setup.activate();
    VAFileInfoCache* cache = setup.window.host().fileInfoCache();
    ASSERT_TRUE(GuiTest::waitUntil([cache] { return cache->allLoaded(); }));
    const VMCFileNaming before = setup.config().activeProfile()->fileNaming();
    QSignalSpy shown(setup.view, &VMCPreConvertDialogView::dialogShown);
    VMCDynamicNamingDialogView* dialog = openNamingDialog(setup, shown);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->useCurrentBox()->isEnabled());
    EXPECT_TRUE(dialog->useCurrentBox()->isChecked());
    EXPECT_FALSE(dialog->compilationBox()->isEnabled()) << "no sample switches for a real file";

    QLineEdit* field = dialog->patternField();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("[origfilename] - [title]"));
    EXPECT_EQ(GuiTest::fromQt(dialog->exampleLabel()->text()),
              GuiTest::fromQt(QStringLiteral("Holiday at the sea - .mp4")));
    EXPECT_TRUE(pressMnemonic(field, Qt::Key_F,
                              [dialog] { return !dialog->useCurrentBox()->isChecked(); }));
    EXPECT_EQ(GuiTest::fromQt(dialog->exampleLabel()->text()),
              GuiTest::fromQt(QStringLiteral("A Filename - Title.mp4")));

    // The source drive as base, then the chooser: a folder chosen in it is the base.
    EXPECT_TRUE(pressMnemonic(field, Qt::Key_D, [dialog] {
        return dialog->baseLocationField()->text() == QStringLiteral("/");
    }));
    QSignalSpy chooserShown(dialog, &VMCDynamicNamingDialogView::folderChooserShown);
    EXPECT_TRUE(
        pressMnemonic(field, Qt::Key_H, [&chooserShown] { return !chooserShown.isEmpty(); }));
    auto* chooser = lastShown<QFileDialog>(chooserShown);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
    chooser->setDirectory(QString::fromStdString(setup.dir.path()));
    ASSERT_EQ(mkdir(setup.dir.file("chosen").c_str(), 0755), 0);
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("chosen"));
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([chooser = QPointer<QWidget>(chooser)] { return !chooser; }));
    EXPECT_EQ(dialog->dialog().baseLocationURL(), setup.dir.xfile("chosen"));
    EXPECT_EQ(GuiTest::fromQt(dialog->baseLocationField()->text()),
              dialog->dialog().baseLocation());

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    const QPointer<QWidget> open(dialog);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_TRUE(GuiTest::waitUntil([&open] { return open.isNull(); }));
    const VMCFileNaming& after = setup.config().activeProfile()->fileNaming();
    EXPECT_TRUE(after.isEqualTo(before));
    setup.window.close();
}

// Tab goes through every control in reading order; every control has a name.
TEST(VMCDynamicNamingDialogView, TheKeyboardReachesEveryControl) {
    GuiTest::SetupWindow setup;
    QSignalSpy shown(setup.view, &VMCPreConvertDialogView::dialogShown);
    VMCDynamicNamingDialogView* dialog = openNamingDialog(setup, shown);
    ASSERT_NE(dialog, nullptr);
    GuiTest::expectEveryControlNamed(dialog);

    QList<QWidget*> expected{dialog->patternField(), dialog->tagButton(), dialog->propertyButton(),
                             dialog->programmableButton(), dialog->presetsButton()};
    for (QCheckBox* box :
         {dialog->useCurrentBox(), dialog->compilationBox(), dialog->multiDiscBox()}) {
        if (box->isEnabled()) {
            expected.push_back(box);
        }
    }
    expected.append(
        {dialog->baseLocationField(), dialog->chooseButton(), dialog->sourceDriveButton()});
    QList<QAbstractButton*> ends = dialog->buttons()->buttons();
    std::sort(ends.begin(), ends.end(),
              [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
    for (QAbstractButton* b : ends) {
        expected.push_back(b);
    }
    dialog->patternField()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> visited{QApplication::focusWidget()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);

    // A preset through its menu, by the keyboard.
    chooseFromMenu(dialog->presetsButton()->menu(),
                   QStringLiteral("Remove First Two Source Folders"),
                   [dialog] { QTest::keyClick(dialog, Qt::Key_E, Qt::AltModifier); });
    EXPECT_EQ(dialog->patternField()->text(),
              QStringLiteral("[TRIMFIRSTFOLDER][TRIMFIRSTFOLDER][origpath][][]/[origfilename]"));
    dialog->reject();
    setup.window.close();
}

}  // namespace
