// The output location picker as a drop-down: its rows with separators, the folder chooser
// and the naming sheet it asks for.
#pragma once

#include <QWidget>

#include "VMCOutputLocationPickerV2.h"

class QComboBox;

class VMCOutputLocationPickerView : public QWidget, public VMCOutputLocationPickerV2::View {
    Q_OBJECT

public:
    // The picker outlives the view, or is told first (setView(nullptr)).
    explicit VMCOutputLocationPickerView(VMCOutputLocationPickerV2& picker,
                                         QWidget* parent = nullptr);
    ~VMCOutputLocationPickerView() override;

    QComboBox* comboBox() const { return mCombo; }
    // The picker lets go of this view; nothing reaches the picker afterwards.
    void detach();

    void locationPickerChanged() override;
    void runFolderChooser(const XStr& startFolder, const XStr& title) override;
    void runDynamicNamingDialog(
        const VMCOutputLocationPickerV2::DynamicNamingRequest& request) override;

Q_SIGNALS:
    // A chooser or sheet of the picker is on screen.
    void folderChooserShown(QWidget* chooser);
    void namingDialogShown(QWidget* dialog);

private:
    void fill();

    VMCOutputLocationPickerV2* mPicker;
    QComboBox* mCombo;
    // What the rows show, to tell when they change.
    QStringList mShownRows;
};
