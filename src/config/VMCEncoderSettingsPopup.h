// A sheet that shows one encoder's settings page over an argument record: the page edits
// the record through this sheet, which is its host. OK lets the page finish and ends with
// 1, Cancel puts the record back as it was and ends with 0; a sheet ends only once.
#pragma once

#include <memory>

#include "VAEncoderArgs.h"
#include "VMCEncoderPage.h"
#include "VMCEncoderPageHost.h"
#include "XStr.h"

class VMCEncoderSettingsPopupView {
public:
    virtual ~VMCEncoderSettingsPopupView() = default;
    virtual void endSheet(int code) = 0;
};

class VMCEncoderSettingsPopup : public VMCEncoderPageHost {
public:
    // args is edited in place and must outlive the sheet.
    VMCEncoderSettingsPopup(const XStr& encoderName, VAEncoderArgs& args,
                            VMCEncoderSettingsPopupView* view);

    // Creates and loads the page; false when the encoder has none.
    bool viewDidLoad();
    VMCEncoderPage* page() const { return mPage.get(); }

    void onOK();
    void onCancel();
    bool ended() const { return mEnded; }
    int result() const { return mResult; }

    XStr encoderArgs() const override { return mArgs.strArgs; }
    void setEncoderArgs(const XStr& args) override { mArgs.strArgs = args; }
    VAEncoderArgs encoderArgsV2() const override { return mArgs; }
    void setEncoderArgsV2(const VAEncoderArgs& args) override { mArgs = args; }

private:
    void end(int code);

    XStr mEncoderName;
    VAEncoderArgs& mArgs;
    VAEncoderArgs mOpened;
    VMCEncoderSettingsPopupView* mView;
    std::unique_ptr<VMCEncoderPage> mPage;
    bool mEnded = false;
    int mResult = 0;
};
