// One declared control of a page as widgets: a label for the form's left column (none for
// check boxes, buttons and notes) and the editor beside it. What the user does goes out as
// the value text the page takes; update() shows the page's state again without echoing it
// back.
#pragma once

#include <QList>
#include <QPointer>
#include <functional>

#include "VVCControl.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

class VMCControlEditor {
public:
    struct Actions {
        // The user set the control to a value, written as VMCPage::setControl takes it.
        std::function<void(const XStr& id, const XStr& value)> set;
        // The user pressed a button that opens a sheet.
        std::function<void(const XStr& id)> openSheet;
    };

    VMCControlEditor(const VVCControl& control, bool leading, QWidget* parent, Actions actions);
    VMCControlEditor(const VMCControlEditor&) = delete;
    VMCControlEditor& operator=(const VMCControlEditor&) = delete;

    void update(const VVCControl& control);

    const XStr& id() const { return mId; }
    VVCControl::Kind kind() const { return mKind; }
    // The left column's label; null when the control carries its own title.
    QLabel* label() const { return mLabel; }
    QWidget* field() const { return mField; }
    // A line under the field (a slider's value); null for most controls.
    QWidget* below() const;
    // A note that opens the page spans both columns.
    bool spansRow() const { return mSpansRow; }
    // The widgets that take the keyboard focus, in the order the user tabs through them.
    QList<QWidget*> focusWidgets() const;
    // The widget that holds the value (the slider, the choice, the text field, ...).
    QWidget* editor() const { return mEditor; }

private:
    void buildSlider(const VVCControl& control, QWidget* parent);
    void buildChoice(const VVCControl& control, QWidget* parent);
    void buildCheckBox(const VVCControl& control, QWidget* parent);
    void buildNumber(const VVCControl& control, QWidget* parent);
    void buildText(const VVCControl& control, QWidget* parent);
    void buildFile(const VVCControl& control, QWidget* parent);
    void buildButton(const VVCControl& control, QWidget* parent);
    void buildNote(const VVCControl& control, QWidget* parent);
    void chooseFile();
    void set(const XStr& value) const;

    XStr mId;
    VVCControl::Kind mKind;
    XStrList mFileTypes;
    XStr mTitle;
    Actions mActions;
    bool mSpansRow = false;
    QLabel* mLabel = nullptr;
    QWidget* mField = nullptr;
    QWidget* mEditor = nullptr;
    QLabel* mValueLabel = nullptr;
    QPushButton* mChooseButton = nullptr;
};
