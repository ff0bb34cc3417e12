// The naming template of the output location picker, edited in a sheet: the template and
// the folder it starts in, OK and Cancel. OK waits for a template and a folder given as a
// path (or "~/..." or a shown form such as "Videos/...").
#pragma once

#include <QDialog>

#include "VMCOutputLocationPickerV2.h"

class QDialogButtonBox;
class QLineEdit;

class VMCNamingTemplateDialog : public QDialog {
    Q_OBJECT

public:
    VMCNamingTemplateDialog(const VMCOutputLocationPickerV2::DynamicNamingRequest& request,
                            QWidget* parent);

    XStr pattern() const;
    // The base folder as typed.
    XStr baseLocation() const;
    QLineEdit* patternField() const { return mPattern; }
    QLineEdit* baseLocationField() const { return mBase; }

Q_SIGNALS:
    // The folder chooser of the base folder is on screen.
    void folderChooserShown(QWidget* chooser);

private:
    void chooseFolder();
    void updateOK();

    QLineEdit* mPattern;
    QLineEdit* mBase;
    QDialogButtonBox* mButtons;
};
