// The parts the converter's setup panel and the multi encoder's encoder sheet are built of
// alike: the encoder picker, the settings page in its scroll area, the effects group, and
// the encoder and destination rows whose fields start in one column.
#pragma once

#include <QCoreApplication>

class QComboBox;
class QFormLayout;
class QGroupBox;
class QScrollArea;
class QWidget;
class VMCEffectChainView;
class VMCPage;
class VMCOutputLocationPickerView;
class VMCPageWidget;

class VMCEncoderSetupParts {
    Q_DECLARE_TR_FUNCTIONS(VMCEncoderSetupParts)

public:
    struct Rows {
        QFormLayout* encoder;
        QFormLayout* destination;
    };

    static QComboBox* makeEncoderPicker(QWidget* parent);
    // The "Encoder Settings" group; `pageArea` is set to the area the page goes in.
    static QGroupBox* makeSettingsBox(QWidget* parent, QScrollArea*& pageArea);
    // The "Effects" group holding `view`; its mnemonic leads to the effect list.
    static QGroupBox* makeEffectsBox(QWidget* parent, VMCEffectChainView* view);
    static Rows makeRows(QComboBox* encoder, VMCOutputLocationPickerView* location);
    // Puts `page` (or a note that there is none) in the area in place of `old`, which is
    // detached first; returns the new page's widget, null without a page.
    static VMCPageWidget* showPage(QScrollArea* pageArea, VMCPageWidget* old, VMCPage* page);
};
