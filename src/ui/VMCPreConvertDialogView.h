// The converter's setup panel: the encoder picker, the encoder's settings page, the effect
// chain, the destination, the file count, Convert (Return) and Cancel (Escape).
#pragma once

#include <QWidget>
#include <memory>

#include "VMCPreConvertDialog.h"

class QComboBox;
class QDialogButtonBox;
class QPushButton;
class QScrollArea;
class VMCEffectChainView;
class VMCOutputLocationPickerView;
class VMCPageWidget;

class VMCPreConvertDialogView : public QWidget, public VMCPreConvertDialog::View {
    Q_OBJECT

public:
    explicit VMCPreConvertDialogView(std::shared_ptr<VMCPreConvertDialog> dialog,
                                     QWidget* parent = nullptr);
    ~VMCPreConvertDialogView() override;

    VMCPreConvertDialog& dialog() const { return *mDialog; }
    QComboBox* encoderPicker() const { return mEncoder; }
    // The encoder's page; null for an encoder without one.
    VMCPageWidget* pageWidget() const { return mPageWidget; }
    VMCEffectChainView* effectsView() const { return mEffects; }
    VMCOutputLocationPickerView* locationView() const { return mLocation; }
    QPushButton* fileCountButton() const { return mFileCount; }
    QPushButton* convertButton() const { return mConvert; }
    QPushButton* cancelButton() const { return mCancel; }

    void encoderPickerChanged() override;
    void encoderPageChanged() override;
    void fileCountChanged() override;
    void showAlert(const XStr& message) override;
    void askNewProfileName(const XStr& fieldText, const XStr& encoderLabel) override;
    void askDeleteProfile(const XStr& question) override;
    void showFFmpegInstall() override;

Q_SIGNALS:
    // A sheet or an alert of the panel is on screen.
    void dialogShown(QWidget* dialog);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillEncoderPicker();
    void orderFocus();

    std::shared_ptr<VMCPreConvertDialog> mDialog;
    QComboBox* mEncoder;
    QScrollArea* mPageArea;
    VMCPageWidget* mPageWidget = nullptr;
    VMCEffectChainView* mEffects;
    VMCOutputLocationPickerView* mLocation;
    QPushButton* mFileCount;
    QPushButton* mConvert;
    QPushButton* mCancel;
    QDialogButtonBox* mButtons;
    std::vector<VMCPreConvertDialog::PickerItem> mShownItems;
};
