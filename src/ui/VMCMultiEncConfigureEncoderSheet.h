// The sheet that configures one encoder of the multi encoder: the encoder, its settings
// page, its own effects and where its outputs go (the main naming among the choices), OK
// (Return) and Cancel (Escape). The effect list and the destination are the setup panel's
// own editors, bound to the sheet's entry.
#pragma once

#include <memory>

#include "VMCEffectChainEditor.h"
#include "VMCMultiEncConfigureEncoder.h"
#include "VMCOutputLocationPickerV2.h"
#include "VMCSheetDialog.h"

class QComboBox;
class QDialogButtonBox;
class QScrollArea;
class VMCEffectChainView;
class VMCOutputLocationPickerView;
class VMCPageWidget;

class VMCMultiEncConfigureEncoderSheet : public VMCSheetDialog,
                                         public VMCMultiEncConfigureEncoderView {
    Q_OBJECT

public:
    // The sheet outlives the dialog until it has finished (detachPage).
    VMCMultiEncConfigureEncoderSheet(VMCMultiEncConfigureEncoder& sheet, const XStr& title,
                                     QWidget* parent);
    ~VMCMultiEncConfigureEncoderSheet() override;

    QComboBox* encoderPicker() const { return mEncoder; }
    // The encoder's page; null for an encoder without settings.
    VMCPageWidget* pageWidget() const { return mPageWidget; }
    VMCEffectChainView* effectsView() const { return mEffectsView; }
    VMCOutputLocationPickerView* locationView() const { return mLocationView; }
    QDialogButtonBox* buttons() const { return mButtons; }

    void detachPage() override;
    void accept() override;

    // VMCMultiEncConfigureEncoderView
    void endSheet(int code) override;
    void encoderPageChanged() override;

Q_SIGNALS:
    // A settings window, chooser, naming sheet or alert of the sheet is on screen.
    void dialogShown(QWidget* dialog);

private:
    void fillEncoderPicker();
    void updateNamingContext();
    void orderFocus();

    VMCMultiEncConfigureEncoder* mSheet;
    VMCOutputLocationPickerV2 mLocation;
    VMCEffectChainEditor mEffects;
    QComboBox* mEncoder;
    QScrollArea* mPageArea;
    VMCPageWidget* mPageWidget = nullptr;
    VMCEffectChainView* mEffectsView;
    VMCOutputLocationPickerView* mLocationView;
    QDialogButtonBox* mButtons;
};
