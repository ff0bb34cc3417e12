// The dynamic naming dialog as a sheet: the template with its three insertion menus and
// the presets, the template read back in colours, the live example with its switches, the
// base folder (typed, chosen, or the source drive), OK (Return) and Cancel (Escape).
#pragma once

#include <QDialog>
#include <memory>

#include "VMCDynamicNamingDialogV2.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

class VMCDynamicNamingDialogView : public QDialog, public VMCDynamicNamingDialogV2::View {
    Q_OBJECT

public:
    VMCDynamicNamingDialogView(std::shared_ptr<VMCDynamicNamingDialogV2> dialog, QWidget* parent);
    ~VMCDynamicNamingDialogView() override;

    VMCDynamicNamingDialogV2& dialog() const { return *mDialog; }
    QLineEdit* patternField() const { return mPattern; }
    QLineEdit* baseLocationField() const { return mBase; }
    QPushButton* tagButton() const { return mTagButton; }
    QPushButton* propertyButton() const { return mPropertyButton; }
    QPushButton* programmableButton() const { return mProgrammableButton; }
    QPushButton* presetsButton() const { return mPresetsButton; }
    QPushButton* chooseButton() const { return mChoose; }
    QPushButton* sourceDriveButton() const { return mSourceDrive; }
    QLabel* exampleLabel() const { return mExample; }
    QLabel* descriptionLabel() const { return mDescription; }
    QCheckBox* useCurrentBox() const { return mUseCurrent; }
    QCheckBox* compilationBox() const { return mCompilation; }
    QCheckBox* multiDiscBox() const { return mMultiDisc; }
    QDialogButtonBox* buttons() const { return mButtons; }

    void namingDialogChanged() override;
    void runBaseFolderChooser(const XStr& startFolder) override;
    void closeDialog(int code) override;

public Q_SLOTS:
    void reject() override;

Q_SIGNALS:
    // The folder chooser of the base folder is on screen.
    void folderChooserShown(QWidget* chooser);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* menuButton(const QString& title, const QString& name,
                            const std::vector<VMCDynamicNamingDialogV2::MenuItem>& items,
                            bool (VMCDynamicNamingDialogV2::*insert)(std::size_t));
    void patternEdited();
    void selectionMoved();
    void showDescription();

    std::shared_ptr<VMCDynamicNamingDialogV2> mDialog;
    QLineEdit* mPattern;
    QPushButton* mTagButton;
    QPushButton* mPropertyButton;
    QPushButton* mProgrammableButton;
    QPushButton* mPresetsButton;
    QLabel* mDescription;
    QLabel* mExample;
    QCheckBox* mUseCurrent;
    QCheckBox* mCompilation;
    QCheckBox* mMultiDisc;
    QLineEdit* mBase;
    QPushButton* mChoose;
    QPushButton* mSourceDrive;
    QDialogButtonBox* mButtons;
    bool mUpdating = false;
};
