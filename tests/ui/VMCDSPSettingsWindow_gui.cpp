#include "VMCDSPSettingsWindow.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "TestSupport.h"
#include "VMCDSPPageIndex.h"
#include "VMCPageWidget.h"

namespace {

std::unique_ptr<VMCDSPPage> effect(const XStr& name, const XStr& stored = XStr()) {
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(name);
    page->setDspArgs(stored);
    return page;
}

void clickButton(QDialog& window, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(window.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

// OK stays in the window while the page objects, and says why; a fixed setting is taken.
TEST(VMCDSPSettingsWindow, OKWaitsForSettingsThePageAccepts) {
    const TestTempDir dir;
    writeTextFile(dir.file("logo.png"), "not really a picture");
    VMCDSPSettingsWindow window(effect("Watermark"), "Watermark");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Watermark"));
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    clickButton(window, QDialogButtonBox::Ok);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.objection(), QStringLiteral("Choose a PNG image for the watermark."));

    auto* image = qobject_cast<QLineEdit*>(window.pageWidget()->editorFor("image"));
    ASSERT_NE(image, nullptr);
    QTest::keyClicks(image, QString::fromStdString(dir.file("logo.jpg")));
    EXPECT_TRUE(window.objection().isEmpty()) << "a change clears the objection";
    clickButton(window, QDialogButtonBox::Ok);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.objection().startsWith(QStringLiteral("The watermark image must be a PNG")));

    image->selectAll();
    QTest::keyClicks(image, QString::fromStdString(dir.file("logo.png")));
    clickButton(window, QDialogButtonBox::Ok);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    const std::unique_ptr<VMCDSPPage> twin = effect("Watermark");
    ASSERT_TRUE(twin->setControl("image", XStr(dir.file("logo.png"))));
    EXPECT_EQ(window.dspArgs(), twin->dspArgs());
}

// A file field's button opens a chooser for the field's file types; the chosen file fills
// the field and the page.
TEST(VMCDSPSettingsWindow, TheChooseButtonFillsAFileField) {
    const TestTempDir dir;
    writeTextFile(dir.file("mark.png"), "");
    VMCDSPSettingsWindow window(effect("Watermark"), "Watermark");
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* image = window.pageWidget()->editorFor("image");
    auto* choose = image->parentWidget()->findChild<QPushButton*>();
    ASSERT_NE(choose, nullptr);
    EXPECT_EQ(choose->accessibleName(), QStringLiteral("Choose Image"));
    QTest::mouseClick(choose, Qt::LeftButton);
    QFileDialog* chooser = window.findChild<QFileDialog*>();
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_EQ(chooser->nameFilters(), QStringList{QStringLiteral("Image (*.png)")});
    chooser->setDirectory(QString::fromStdString(dir.path()));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("mark.png"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(qobject_cast<QLineEdit*>(image)->text(),
              QString::fromStdString(dir.file("mark.png")));
    XStr why;
    EXPECT_TRUE(window.page().dspValidate(&why)) << why;
}

// The window opens on the effect's stored settings; Cancel ends it without asking the page.
TEST(VMCDSPSettingsWindow, OpensOnTheStoredTextAndCancels) {
    const XStr stored = effect("Flip")->dspArgs();
    const std::unique_ptr<VMCDSPPage> horizontal = effect("Flip");
    ASSERT_TRUE(horizontal->setControl("direction", "#2"));
    VMCDSPSettingsWindow window(effect("Flip", horizontal->dspArgs()), "Flip");
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(qobject_cast<QComboBox*>(window.pageWidget()->editorFor("direction"))->currentIndex(),
              1);
    EXPECT_NE(window.dspArgs(), stored);
    clickButton(window, QDialogButtonBox::Cancel);
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

}  // namespace
