// A sheet of a settings page (the advanced settings of an encoder): the sheet's own page
// drawn by the renderer, in a window-modal dialog with OK and Cancel. The owning page takes
// the sheet's settings only on OK.
#pragma once

#include "VMCPage.h"
#include "VMCSheetDialog.h"

class VMCPageWidget;

class VMCPageSheetDialog : public VMCSheetDialog {
    Q_OBJECT

public:
    // The sheet page lives until the dialog has finished; the dialog deletes itself then.
    VMCPageSheetDialog(VMCPage& sheet, const XStr& title, QWidget* parent);

    VMCPageWidget* pageWidget() const { return mPageWidget; }
    void detachPage() override;

private:
    VMCPageWidget* mPageWidget;
};
