// Every encoder and effect page of the catalogue drawn by the one renderer, and driven
// through its widgets the way a user does.
#include "VMCPageWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSignalSpy>
#include <memory>

#include "GuiTestSupport.h"
#include "VMCDSPPageIndex.h"
#include "VMCEncoderPageIndex.h"
#include "VMCPageSheetDialog.h"
#include "VVCCodecs.h"
#include "VVCDSPs.h"

namespace {

using GuiTest::changeWithKeyboard;
using GuiTest::expectShowsPage;
using GuiTest::firstChangeable;

XStrList encoderNames() {
    XStrList names;
    for (const VAEncoderDesc& desc : VVCCodecs::listEncoders(true)) {
        if (VMCEncoderPageIndex::hasPageFor(desc.name)) {
            names.push_back(desc.name);
        }
    }
    return names;
}

XStrList effectNames() {
    XStrList names;
    for (const VADSPDesc& desc : VVCDSPs::list(true)) {
        names.push_back(desc.name);
    }
    return names;
}

// An encoder page on its own host, as a new profile opens it.
struct EncoderOnHost {
    VMCEncoderArgsHost host;
    std::unique_ptr<VMCEncoderPage> page;

    explicit EncoderOnHost(const XStr& name) : page(VMCEncoderPageIndex::createFor(name, &host)) {
        EXPECT_NE(page, nullptr) << name;
        if (page) {
            page->viewDidLoad();
        }
    }
};

std::unique_ptr<VMCDSPPage> newEffect(const XStr& name) {
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(name);
    EXPECT_NE(page, nullptr) << name;
    if (page) {
        page->setDspArgs(XStr());
    }
    return page;
}

// The page drawn in a shown window.
std::unique_ptr<VMCPageWidget> shown(VMCPage& page) {
    auto widget = std::make_unique<VMCPageWidget>(page);
    widget->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
    return widget;
}

TEST(VMCPageWidget, EveryEncoderPageWritesWhatItsFirstControlWasSetTo) {
    const XStrList names = encoderNames();
    ASSERT_GT(names.size(), 20u);
    for (const XStr& name : names) {
        SCOPED_TRACE(name.utf8());
        EncoderOnHost drawn(name);
        ASSERT_TRUE(drawn.page);
        const auto widget = shown(*drawn.page);
        expectShowsPage(*widget, *drawn.page, name);

        const std::optional<VVCControl> first = firstChangeable(*drawn.page);
        if (!first) {
            // GIF and VOB take no settings.
            EXPECT_TRUE(drawn.page->pageView().empty() || widget->firstFocusWidget() == nullptr);
            continue;
        }
        const VAEncoderArgs before = drawn.host.encoderArgsV2();
        const int writes = drawn.host.writes();
        QSignalSpy changed(widget.get(), &VMCPageWidget::pageChanged);
        const XStr value = changeWithKeyboard(*widget, *first);

        // The same change made through the page by identifier gives the same record.
        EncoderOnHost twin(name);
        XStr error;
        ASSERT_TRUE(twin.page->setControl(first->id, value, &error)) << error;
        EXPECT_EQ(drawn.host.encoderArgsV2(), twin.host.encoderArgsV2())
            << first->id << "=" << value;
        EXPECT_NE(drawn.host.encoderArgsV2(), before) << first->id << "=" << value;
        EXPECT_GT(drawn.host.writes(), writes);
        EXPECT_GE(changed.count(), 1);
        expectShowsPage(*widget, *drawn.page, name);
    }
}

TEST(VMCPageWidget, EveryEffectPageGivesWhatItsFirstControlWasSetTo) {
    const XStrList names = effectNames();
    ASSERT_GT(names.size(), 25u);
    for (const XStr& name : names) {
        SCOPED_TRACE(name.utf8());
        const std::unique_ptr<VMCDSPPage> page = newEffect(name);
        ASSERT_TRUE(page);
        const auto widget = shown(*page);
        expectShowsPage(*widget, *page, name);

        const std::optional<VVCControl> first = firstChangeable(*page);
        if (!first) {
            // Effects without settings show what they do.
            ASSERT_FALSE(page->pageView().empty());
            EXPECT_EQ(widget->firstFocusWidget(), nullptr);
            continue;
        }
        const XStr before = page->dspArgs();
        const XStr value = changeWithKeyboard(*widget, *first);

        const std::unique_ptr<VMCDSPPage> twin = newEffect(name);
        XStr error;
        ASSERT_TRUE(twin->setControl(first->id, value, &error)) << error;
        EXPECT_EQ(page->dspArgs(), twin->dspArgs()) << first->id << "=" << value;
        EXPECT_NE(page->dspArgs(), before) << first->id << "=" << value;
        expectShowsPage(*widget, *page, name);
    }
}

// Screen readers name every control, and Tab walks the controls top to bottom.
TEST(VMCPageWidget, EveryControlIsNamedAndTabbedInLayoutOrder) {
    std::vector<std::pair<XStr, std::unique_ptr<VMCPage>>> pages;
    std::vector<std::unique_ptr<VMCEncoderArgsHost>> hosts;
    for (const XStr& name : encoderNames()) {
        hosts.push_back(std::make_unique<VMCEncoderArgsHost>());
        std::unique_ptr<VMCEncoderPage> page =
            VMCEncoderPageIndex::createFor(name, hosts.back().get());
        page->viewDidLoad();
        pages.emplace_back(name, std::move(page));
    }
    for (const XStr& name : effectNames()) {
        pages.emplace_back(name, newEffect(name));
    }
    for (auto& [name, page] : pages) {
        SCOPED_TRACE(name.utf8());
        const auto widget = shown(*page);
        std::vector<QWidget*> inOrder;
        for (const VVCControl& control : page->pageView()) {
            QWidget* editor = widget->editorFor(control.id);
            ASSERT_NE(editor, nullptr) << control.id;
            EXPECT_FALSE(editor->accessibleName().isEmpty()) << control.id;
            if (control.kind == VVCControl::Kind::kLabel) {
                continue;
            }
            // Tab passes over what cannot be changed now.
            if (control.enabled) {
                inOrder.push_back(editor);
            }
            // A file field's chooser button follows its text field.
            if (control.kind == VVCControl::Kind::kFile && control.enabled) {
                auto* choose = editor->parentWidget()->findChild<QPushButton*>();
                ASSERT_NE(choose, nullptr);
                EXPECT_FALSE(choose->accessibleName().isEmpty());
                inOrder.push_back(choose);
            }
            // The title beside a control names it too, and its shortcut moves the focus there;
            // check boxes and buttons carry their own.
            const auto* form = qobject_cast<QFormLayout*>(widget->layout());
            QWidget* field =
                control.kind == VVCControl::Kind::kFile ? editor->parentWidget() : editor;
            auto* label = qobject_cast<QLabel*>(form->labelForField(field));
            if (control.kind == VVCControl::Kind::kCheckBox ||
                control.kind == VVCControl::Kind::kButton) {
                EXPECT_EQ(label, nullptr) << control.id;
            } else {
                ASSERT_NE(label, nullptr) << control.id;
                EXPECT_EQ(label->buddy(), editor) << control.id;
                EXPECT_EQ(label->text(), VMCQtText::mnemonicSafe(control.title) + ":");
            }
        }
        // Tab from each control reaches the next one.
        if (inOrder.empty()) {
            continue;
        }
        widget->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(widget.get()));
        inOrder.front()->setFocus(Qt::TabFocusReason);
        for (std::size_t i = 0; i + 1 < inOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), inOrder[i + 1]) << "after " << i;
        }
    }
}

// The advanced settings of H.264 open as a sheet; the page takes them on OK only.
TEST(VMCPageWidget, TheAdvancedSheetChangesTheTextOnlyOnOK) {
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        EncoderOnHost drawn("MP4 (H264)");
        const auto widget = shown(*drawn.page);
        const VAEncoderArgs before = drawn.host.encoderArgsV2();
        QSignalSpy opened(widget.get(), &VMCPageWidget::sheetOpened);
        QTest::mouseClick(widget->editorFor("advanced"), Qt::LeftButton);
        ASSERT_EQ(opened.count(), 1);
        auto* sheet = qobject_cast<VMCPageSheetDialog*>(opened.at(0).at(0).value<QWidget*>());
        ASSERT_NE(sheet, nullptr);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Advanced"));

        auto* preset = qobject_cast<QComboBox*>(sheet->pageWidget()->editorFor("preset"));
        ASSERT_NE(preset, nullptr);
        QTest::keyClick(preset, Qt::Key_Down);
        const XStr chosen = XStr::format("#%d", preset->currentIndex() + 1);
        auto* buttons = sheet->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
        EXPECT_FALSE(sheet->isVisible());

        EncoderOnHost twin("MP4 (H264)");
        if (ok) {
            ASSERT_TRUE(twin.page->setControl("advanced.preset", chosen));
            EXPECT_NE(drawn.host.encoderArgsV2(), before);
        }
        EXPECT_EQ(drawn.host.encoderArgsV2(), twin.host.encoderArgsV2());
        // It opens again, showing what the page holds now.
        QTest::mouseClick(widget->editorFor("advanced"), Qt::LeftButton);
        ASSERT_EQ(opened.count(), 2);
        auto* again = qobject_cast<VMCPageSheetDialog*>(opened.at(1).at(0).value<QWidget*>());
        auto* presetAgain = qobject_cast<QComboBox*>(again->pageWidget()->editorFor("preset"));
        XStr held;
        for (const VVCControl& control : twin.page->allControls()) {
            if (control.id == "advanced.preset") {
                held = control.currentValueText();
            }
        }
        EXPECT_EQ(GuiTest::fromQt(presetAgain->currentText()), held);
        again->reject();
    }
}

// A control the page turns on and off follows the page at once.
TEST(VMCPageWidget, ControlsFollowTheSettingsThatEnableThem) {
    const std::unique_ptr<VMCDSPPage> cut = newEffect("Cut");
    const auto widget = shown(*cut);
    QWidget* start = widget->editorFor("start");
    ASSERT_NE(start, nullptr);
    EXPECT_FALSE(start->isEnabled());
    QTest::mouseClick(widget->editorFor("set-start"), Qt::LeftButton);
    EXPECT_TRUE(start->isEnabled());
    // A typed value is taken when the user confirms it.
    auto* spin = qobject_cast<QDoubleSpinBox*>(start);
    ASSERT_NE(spin, nullptr);
    spin->selectAll();
    QTest::keyClicks(spin, "12.5");
    QTest::keyClick(spin, Qt::Key_Return);
    const std::unique_ptr<VMCDSPPage> twin = newEffect("Cut");
    ASSERT_TRUE(twin->setControl("set-start", "on"));
    ASSERT_TRUE(twin->setControl("start", "12.5"));
    EXPECT_EQ(cut->dspArgs(), twin->dspArgs());
    EXPECT_NE(cut->dspArgs(), XStr());
    expectShowsPage(*widget, *cut, "Cut");
}

}  // namespace
