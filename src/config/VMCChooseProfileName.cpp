#include "VMCChooseProfileName.h"

#include <algorithm>

#include "VMCCreateProfile.h"

bool VMCChooseProfileName::onOK(const XStr& name) {
    if (mInvalidNames &&
        std::find(mInvalidNames->begin(), mInvalidNames->end(), name) != mInvalidNames->end()) {
        if (mView != nullptr) {
            mView->showAlert(VMCCreateProfile::kTakenAlert);
        }
        return false;
    }
    mChosen = name;
    return true;
}
