// A sheet of a settings page (VMCPage::openSheet) on screen: a window-modal dialog with OK
// and Cancel, which deletes itself when it has finished. The owning page takes the sheet's
// settings only on OK.
#pragma once

#include <QDialog>

#include "VMCPage.h"

class VMCSheetDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog for the sheet: the multi encoder's configure sheet has a dialog of its
    // own, every other sheet is drawn by the page renderer. title: the button's that opened
    // it.
    static VMCSheetDialog* create(VMCPage& sheet, const XStr& title, QWidget* parent);
    // "Advanced..." on a button is "Advanced" on its sheet.
    static QString sheetTitle(const XStr& buttonTitle);

    // The sheet goes away once the dialog has finished: the dialog no longer touches it.
    virtual void detachPage() = 0;

protected:
    explicit VMCSheetDialog(QWidget* parent);
};
