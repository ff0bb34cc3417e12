#include "VMCEncoderSettingsPopup.h"

#include "VMCEncoderPageIndex.h"

VMCEncoderSettingsPopup::VMCEncoderSettingsPopup(const XStr& encoderName, VAEncoderArgs& args,
                                                 VMCEncoderSettingsPopupView* view)
    : mEncoderName(encoderName), mArgs(args), mOpened(args), mView(view) {}

bool VMCEncoderSettingsPopup::viewDidLoad() {
    mPage = VMCEncoderPageIndex::createFor(mEncoderName, this);
    if (!mPage) {
        return false;
    }
    mPage->viewDidLoad();
    return true;
}

void VMCEncoderSettingsPopup::onOK() {
    if (mEnded) {
        return;
    }
    if (mPage) {
        mPage->pageWillClose();
    }
    end(1);
}

void VMCEncoderSettingsPopup::onCancel() {
    if (mEnded) {
        return;
    }
    mArgs = mOpened;
    end(0);
}

void VMCEncoderSettingsPopup::end(int code) {
    mEnded = true;
    mResult = code;
    if (mView != nullptr) {
        mView->endSheet(code);
    }
}
