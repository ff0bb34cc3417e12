#include "VMCControlEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cmath>

#include "VMCQtText.h"

using VMCQtText::mnemonicSafe;
using VMCQtText::toQt;

namespace {

// Sliders with few positions show a mark at each.
constexpr int kMostTickMarks = 30;
// Notes wrap only beyond this many average characters.
constexpr int kNoteColumns = 48;

// A number field's range as a spin box can hold it.
double clampedBound(double bound, int decimals) {
    const double most = decimals == 0 ? static_cast<double>(INT_MAX) : 1e12;
    return std::clamp(bound, -most, most);
}

QString numberText(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

void setEnabledShown(QWidget* widget, const VVCControl& control) {
    if (widget != nullptr) {
        widget->setEnabled(control.enabled);
    }
}

}  // namespace

VMCControlEditor::VMCControlEditor(const VVCControl& control, bool leading, QWidget* parent,
                                   Actions actions)
    : mId(control.id),
      mKind(control.kind),
      mFileTypes(control.fileTypes),
      mTitle(control.title),
      mActions(std::move(actions)) {
    switch (control.kind) {
        case VVCControl::Kind::kSlider:
            buildSlider(control, parent);
            break;
        case VVCControl::Kind::kChoice:
            buildChoice(control, parent);
            break;
        case VVCControl::Kind::kCheckBox:
            buildCheckBox(control, parent);
            break;
        case VVCControl::Kind::kNumber:
            buildNumber(control, parent);
            break;
        case VVCControl::Kind::kText:
            buildText(control, parent);
            break;
        case VVCControl::Kind::kFile:
            buildFile(control, parent);
            break;
        case VVCControl::Kind::kButton:
            buildButton(control, parent);
            break;
        case VVCControl::Kind::kLabel:
            mSpansRow = leading;
            buildNote(control, parent);
            break;
    }
    if (mLabel != nullptr) {
        mLabel->setBuddy(mEditor);
    }
    mEditor->setObjectName(toQt(control.id));
    update(control);
}

void VMCControlEditor::set(const XStr& value) const {
    if (mActions.set) {
        mActions.set(mId, value);
    }
}

void VMCControlEditor::buildSlider(const VVCControl& control, QWidget* parent) {
    mLabel = new QLabel(mnemonicSafe(control.title) + QLatin1Char(':'), parent);
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setAccessibleName(toQt(control.title));
    // On its own line under the slider, so the title beside the slider stays level with it
    // and a longer value never moves the slider.
    mValueLabel = new QLabel(parent);
    mValueLabel->setTextFormat(Qt::PlainText);
    mValueLabel->setObjectName(toQt(control.id) + QStringLiteral("-value"));
    // A little air below, so the value reads as the slider's and not the next row's.
    mValueLabel->setContentsMargins(0, 0, 0, mValueLabel->fontMetrics().height() / 3);
    QObject::connect(slider, &QSlider::valueChanged, slider, [this, slider](int position) {
        set(XStr::format("#%d", position - slider->minimum() + 1));
    });
    mField = mEditor = slider;
}

void VMCControlEditor::buildChoice(const VVCControl& control, QWidget* parent) {
    mLabel = new QLabel(mnemonicSafe(control.title) + QLatin1Char(':'), parent);
    auto* combo = new QComboBox(parent);
    combo->setAccessibleName(toQt(control.title));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QObject::connect(combo, &QComboBox::activated, combo,
                     [this](int index) { set(XStr::format("#%d", index + 1)); });
    mField = mEditor = combo;
}

void VMCControlEditor::buildCheckBox(const VVCControl& control, QWidget* parent) {
    auto* box = new QCheckBox(mnemonicSafe(control.title), parent);
    box->setAccessibleName(toQt(control.title));
    QObject::connect(box, &QCheckBox::toggled, box,
                     [this](bool on) { set(on ? XStr("on") : XStr("off")); });
    mField = mEditor = box;
}

void VMCControlEditor::buildNumber(const VVCControl& control, QWidget* parent) {
    mLabel = new QLabel(mnemonicSafe(control.title) + QLatin1Char(':'), parent);
    const int decimals = control.decimals;
    QAbstractSpinBox* spin = nullptr;
    if (decimals == 0) {
        auto* box = new QSpinBox(parent);
        box->setRange(static_cast<int>(clampedBound(control.numberMinimum, 0)),
                      static_cast<int>(clampedBound(control.numberMaximum, 0)));
        QObject::connect(box, &QSpinBox::valueChanged, box,
                         [this](int value) { set(XStr::number(value)); });
        spin = box;
    } else {
        auto* box = new QDoubleSpinBox(parent);
        box->setDecimals(decimals);
        box->setRange(clampedBound(control.numberMinimum, decimals),
                      clampedBound(control.numberMaximum, decimals));
        box->setSingleStep(std::pow(10.0, -std::min(decimals, 2)));
        QObject::connect(box, &QDoubleSpinBox::valueChanged, box, [this, decimals](double value) {
            set(VMCQtText::fromQt(numberText(value, decimals)));
        });
        spin = box;
    }
    // A value goes to the page when it is complete (Return, leaving the field, a step),
    // not at every key.
    spin->setKeyboardTracking(false);
    spin->setAccessibleName(toQt(control.title));
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    mField = mEditor = spin;
}

void VMCControlEditor::buildText(const VVCControl& control, QWidget* parent) {
    mLabel = new QLabel(mnemonicSafe(control.title) + QLatin1Char(':'), parent);
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(toQt(control.title));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this](const QString& text) { set(VMCQtText::fromQt(text)); });
    mField = mEditor = edit;
}

void VMCControlEditor::buildFile(const VVCControl& control, QWidget* parent) {
    mLabel = new QLabel(mnemonicSafe(control.title) + QLatin1Char(':'), parent);
    mField = new QWidget(parent);
    auto* edit = new QLineEdit(mField);
    edit->setAccessibleName(toQt(control.title));
    mChooseButton = new QPushButton(QObject::tr("Choose..."), mField);
    mChooseButton->setAccessibleName(QObject::tr("Choose %1").arg(toQt(control.title)));
    auto* row = new QHBoxLayout(mField);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit, 1);
    row->addWidget(mChooseButton);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this](const QString& text) { set(VMCQtText::pathFromQt(text)); });
    QObject::connect(mChooseButton, &QPushButton::clicked, mChooseButton, [this] { chooseFile(); });
    mEditor = edit;
}

void VMCControlEditor::buildButton(const VVCControl& control, QWidget* parent) {
    auto* button = new QPushButton(mnemonicSafe(control.title), parent);
    button->setAccessibleName(toQt(control.title));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const bool sheet = control.opensSheet;
    QObject::connect(button, &QPushButton::clicked, button, [this, sheet] {
        if (sheet) {
            if (mActions.openSheet) {
                mActions.openSheet(mId);
            }
        } else {
            set(XStr());
        }
    });
    mField = mEditor = button;
}

void VMCControlEditor::buildNote(const VVCControl& /*control*/, QWidget* parent) {
    auto* note = new QLabel(parent);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    // Read by screen readers and copyable, but not a stop for the Tab key.
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mField = mEditor = note;
}

void VMCControlEditor::chooseFile() {
    auto* edit = static_cast<QLineEdit*>(mEditor);
    QStringList patterns;
    for (const XStr& type : mFileTypes) {
        patterns.push_back(QStringLiteral("*.") + toQt(type));
    }
    QString filter;
    if (!patterns.isEmpty()) {
        filter = QObject::tr("%1 (%2)").arg(toQt(mTitle), patterns.join(QLatin1Char(' ')));
    }
    // Beside the file chosen before; else where the chooser was last.
    const QString folder =
        edit->text().isEmpty() ? QString() : QFileInfo(edit->text()).absolutePath();
    auto* dialog =
        new QFileDialog(edit->window(), QObject::tr("Choose %1").arg(toQt(mTitle)), folder, filter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setWindowModality(Qt::WindowModal);
    QObject::connect(dialog, &QFileDialog::fileSelected, edit, [this, edit](const QString& path) {
        edit->setText(path);
        set(VMCQtText::pathFromQt(path));
    });
    dialog->open();
}

void VMCControlEditor::update(const VVCControl& control) {
    const QSignalBlocker block(mEditor);
    switch (control.kind) {
        case VVCControl::Kind::kSlider: {
            auto* slider = static_cast<QSlider*>(mEditor);
            const int steps = control.maximum - control.minimum;
            slider->setRange(control.minimum, control.maximum);
            slider->setPageStep(std::max(1, steps / 10));
            slider->setTickPosition(steps < kMostTickMarks ? QSlider::TicksBelow
                                                           : QSlider::NoTicks);
            slider->setValue(control.value);
            const XStr shown =
                control.valueText.empty() ? control.currentValueText() : control.valueText;
            mValueLabel->setText(toQt(shown));
            slider->setAccessibleDescription(toQt(shown));
            break;
        }
        case VVCControl::Kind::kChoice: {
            auto* combo = static_cast<QComboBox*>(mEditor);
            const QStringList items = VMCQtText::toQt(control.items);
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i) {
                shown.push_back(combo->itemText(i));
            }
            if (shown != items) {
                combo->clear();
                combo->addItems(items);
            }
            combo->setCurrentIndex(control.value);
            break;
        }
        case VVCControl::Kind::kCheckBox:
            static_cast<QCheckBox*>(mEditor)->setChecked(control.value != 0);
            break;
        case VVCControl::Kind::kNumber:
            if (auto* box = qobject_cast<QSpinBox*>(mEditor)) {
                box->setValue(static_cast<int>(std::lround(control.number)));
            } else if (auto* dbox = qobject_cast<QDoubleSpinBox*>(mEditor)) {
                dbox->setValue(control.number);
            }
            break;
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile: {
            auto* edit = static_cast<QLineEdit*>(mEditor);
            const QString text = toQt(control.text);
            // Not under the user's cursor while typing: the page has what was typed.
            if (edit->text() != text && !edit->hasFocus()) {
                edit->setText(text);
            }
            break;
        }
        case VVCControl::Kind::kButton:
            static_cast<QPushButton*>(mEditor)->setText(mnemonicSafe(control.title));
            break;
        case VVCControl::Kind::kLabel: {
            auto* note = static_cast<QLabel*>(mEditor);
            const QString text = toQt(control.text);
            note->setText(text);
            note->setAccessibleName(text);
            // A wrapping label would otherwise break even a short note over two lines, or
            // keep room for a second line it does not use.
            const QFontMetrics metrics = note->fontMetrics();
            const int width = metrics.horizontalAdvance(text) + 1;
            note->setWordWrap(width > metrics.averageCharWidth() * kNoteColumns);
            note->setMinimumWidth(std::min(width, metrics.averageCharWidth() * kNoteColumns));
            break;
        }
    }
    setEnabledShown(mLabel, control);
    setEnabledShown(mField, control);
}

QWidget* VMCControlEditor::below() const {
    return mValueLabel;
}

QList<QWidget*> VMCControlEditor::focusWidgets() const {
    QList<QWidget*> out;
    if (mKind == VVCControl::Kind::kLabel) {
        return out;
    }
    out.push_back(mEditor);
    if (mChooseButton != nullptr) {
        out.push_back(mChooseButton);
    }
    return out;
}
