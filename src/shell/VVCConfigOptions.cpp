#include "VVCConfigOptions.h"

#include <cstdlib>

#include "VMCConfig.h"
#include "XDebugLog.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"

void VVCConfigOptions::viewDidLoad() {
    mEnableProfiles = XRegistry::GetDWORD(VMCConfig::kValueAllowProfiles) != 0;
    mShowAudioOnly = XRegistry::GetDWORD(kValueShowAudioOnly) != 0;
    mCheckForBetaUpdates = XRegistry::GetDWORD(kValueCheckBetaUpdates) != 0;
}

void VVCConfigOptions::viewWillDisappear() const {
    XRegistryTransaction transaction;
    transaction.SetDWORD(VMCConfig::kValueAllowProfiles, mEnableProfiles ? 1 : 0);
    transaction.SetDWORD(kValueShowAudioOnly, mShowAudioOnly ? 1 : 0);
    transaction.SetDWORD(kValueCheckBetaUpdates, mCheckForBetaUpdates ? 1 : 0);
    transaction.Commit();
}

bool VVCConfigOptions::converterDebug() {
    return XDebugLog::enabled();
}

void VVCConfigOptions::setConverterDebug(bool on) {
    XDebugLog::setEnabled(on);
}

void VVCConfigOptions::onSetRestrictedCharacters() {
    if (mView != nullptr) {
        mView->runFileNameOptions();
    }
}
