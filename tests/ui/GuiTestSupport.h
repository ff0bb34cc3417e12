// What the GUI tests share: the renderer's widgets read back as a user sees them, and one
// change of a control made with the keyboard.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <optional>

#include "VMCPageWidget.h"
#include "VMCQtText.h"

namespace GuiTest {

inline XStr fromQt(const QString& text) {
    return VMCQtText::fromQt(text);
}

// Runs the event loop until the condition holds (a button's animated click, a posted
// change); false when it never does.
// Long enough for FFmpeg on a small machine busy with other work; a test waits for its
// condition, never for the time.
constexpr int kConversionDeadlineMs = 240000;

template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 10000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

// The view of the window's current panel once it is on screen (a new view shows from the
// event loop), or null.
template <typename View, typename Window>
View* waitForPanel(Window& window, int timeoutMs = kConversionDeadlineMs) {
    waitUntil(
        [&] {
            auto* view = qobject_cast<View*>(window.panelView());
            return view != nullptr && view->isVisible();
        },
        timeoutMs);
    return qobject_cast<View*>(window.panelView());
}

// The line under a slider that shows its value.
inline QLabel* sliderValueLabel(QWidget* slider) {
    return slider->parentWidget()->findChild<QLabel*>(slider->objectName() +
                                                      QStringLiteral("-value"));
}

// What the widget of a control shows, as one line ("hidden" when it is not on screen).
inline XStr shownState(const VMCPageWidget& widget, const VVCControl& control) {
    QWidget* editor = widget.editorFor(control.id);
    if (editor == nullptr) {
        return "hidden";
    }
    XStr state = editor->isEnabled() ? XStr() : XStr("disabled ");
    switch (control.kind) {
        case VVCControl::Kind::kSlider: {
            auto* slider = qobject_cast<QSlider*>(editor);
            return state + XStr::number(slider->value()) + " " +
                   fromQt(sliderValueLabel(slider)->text());
        }
        case VVCControl::Kind::kChoice: {
            auto* combo = qobject_cast<QComboBox*>(editor);
            return state + fromQt(combo->currentText()) + XStr::format(" of %d", combo->count());
        }
        case VVCControl::Kind::kCheckBox:
            return state + (qobject_cast<QCheckBox*>(editor)->isChecked() ? "on" : "off");
        case VVCControl::Kind::kNumber:
            return state + fromQt(qobject_cast<QAbstractSpinBox*>(editor)->text());
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile:
            return state + fromQt(qobject_cast<QLineEdit*>(editor)->text());
        case VVCControl::Kind::kButton:
            return state + fromQt(qobject_cast<QPushButton*>(editor)->text());
        case VVCControl::Kind::kLabel:
            return state + fromQt(qobject_cast<QLabel*>(editor)->text());
    }
    return state;
}

// What the page declares for a control, in the same form.
inline XStr declaredState(const VVCControl& control) {
    if (!control.visible) {
        return "hidden";
    }
    XStr state = control.enabled ? XStr() : XStr("disabled ");
    switch (control.kind) {
        case VVCControl::Kind::kSlider:
            return state + XStr::number(control.value) + " " +
                   (control.valueText.empty() ? control.currentValueText() : control.valueText);
        case VVCControl::Kind::kChoice:
            return state + control.currentValueText() +
                   XStr::format(" of %zu", control.items.size());
        case VVCControl::Kind::kCheckBox:
        case VVCControl::Kind::kNumber:
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile:
            return state + control.currentValueText();
        case VVCControl::Kind::kButton:
            return state + control.title.replaced("&", "&&");
        case VVCControl::Kind::kLabel:
            return state + control.text;
    }
    return state;
}

// Every control of the page shown as the page declares it.
inline void expectShowsPage(const VMCPageWidget& widget, const VMCPage& page, const XStr& name) {
    for (const VVCControl& control : page.pageView()) {
        EXPECT_EQ(shownState(widget, control), declaredState(control))
            << name << ": control " << control.id;
    }
}

// The first control a user can change on the page itself; none on a page of notes only. A
// button that opens a sheet changes nothing before the sheet's OK (the multi encoder's "Add
// Encoder...", whose page is there once a configuration was made).
inline std::optional<VVCControl> firstChangeable(const VMCPage& page) {
    for (const VVCControl& control : page.pageView()) {
        if (control.kind != VVCControl::Kind::kLabel && control.visible && control.enabled &&
            !control.opensSheet) {
            return control;
        }
    }
    return std::nullopt;
}

// Changes the control one step with the keyboard, as a user would (or types into a text
// field), and answers what the user asked for, written as the page takes it from the
// command line: worked out from what the widget showed before the key, so a widget that
// hands the page another value is caught.
inline XStr changeWithKeyboard(VMCPageWidget& widget, const VVCControl& control) {
    QWidget* editor = widget.editorFor(control.id);
    EXPECT_NE(editor, nullptr) << control.id;
    if (editor == nullptr) {
        return {};
    }
    editor->setFocus();
    switch (control.kind) {
        case VVCControl::Kind::kSlider: {
            auto* slider = qobject_cast<QSlider*>(editor);
            const bool up = slider->value() < slider->maximum();
            const int wanted = slider->value() + (up ? 1 : -1);
            QTest::keyClick(slider, up ? Qt::Key_Right : Qt::Key_Left);
            return XStr::format("#%d", wanted - slider->minimum() + 1);
        }
        case VVCControl::Kind::kChoice: {
            auto* combo = qobject_cast<QComboBox*>(editor);
            const bool down = combo->currentIndex() + 1 < combo->count();
            const int wanted = combo->currentIndex() + (down ? 1 : -1);
            QTest::keyClick(combo, down ? Qt::Key_Down : Qt::Key_Up);
            return XStr::format("#%d", wanted + 1);
        }
        case VVCControl::Kind::kCheckBox: {
            auto* box = qobject_cast<QCheckBox*>(editor);
            const bool wanted = !box->isChecked();
            QTest::keyClick(box, Qt::Key_Space);
            return wanted ? "on" : "off";
        }
        case VVCControl::Kind::kNumber: {
            const bool up = control.number < control.numberMaximum;
            if (auto* box = qobject_cast<QSpinBox*>(editor)) {
                const int wanted = box->value() + (up ? 1 : -1) * box->singleStep();
                QTest::keyClick(box, up ? Qt::Key_Up : Qt::Key_Down);
                return XStr::number(wanted);
            }
            auto* box = qobject_cast<QDoubleSpinBox*>(editor);
            const double wanted = box->value() + (up ? 1 : -1) * box->singleStep();
            QTest::keyClick(box, up ? Qt::Key_Up : Qt::Key_Down);
            return fromQt(QString::number(wanted, 'f', box->decimals()));
        }
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile: {
            auto* edit = qobject_cast<QLineEdit*>(editor);
            const XStr typed = control.kind == VVCControl::Kind::kFile ? "logo.png" : "-an";
            const XStr wanted = fromQt(edit->text()) + typed;
            edit->end(false);
            QTest::keyClicks(edit, VMCQtText::toQt(typed));
            return wanted;
        }
        case VVCControl::Kind::kButton:
            QTest::mouseClick(editor, Qt::LeftButton);
            return {};
        case VVCControl::Kind::kLabel:
            break;
    }
    return {};
}

}  // namespace GuiTest
