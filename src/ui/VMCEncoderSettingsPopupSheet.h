// One encoder's settings page in a sheet of its own, over an argument record: OK (Return)
// keeps what the page wrote, Cancel (Escape) puts the record back. The record is the
// sheet's; whoever opened it reads args() once it has finished.
#pragma once

#include <QDialog>
#include <memory>

#include "VMCEncoderSettingsPopup.h"

class QDialogButtonBox;
class VMCPageWidget;

class VMCEncoderSettingsPopupSheet : public QDialog, public VMCEncoderSettingsPopupView {
    Q_OBJECT

public:
    VMCEncoderSettingsPopupSheet(const XStr& encoderName, const VAEncoderArgs& args,
                                 QWidget* parent);
    ~VMCEncoderSettingsPopupSheet() override;

    const VAEncoderArgs& args() const { return mArgs; }
    // Null for an encoder without a page: the sheet then says there is nothing to choose.
    VMCPageWidget* pageWidget() const { return mPageWidget; }
    QDialogButtonBox* buttons() const { return mButtons; }

    void accept() override;
    void reject() override;
    void endSheet(int code) override;

Q_SIGNALS:
    // A sheet of the page (its advanced settings) is on screen.
    void dialogShown(QWidget* dialog);

private:
    VAEncoderArgs mArgs;
    VMCEncoderSettingsPopup mPopup;
    VMCPageWidget* mPageWidget = nullptr;
    QDialogButtonBox* mButtons;
};
