#include "VMCCreateProfile.h"

#include <algorithm>

VMCCreateProfile::VMCCreateProfile(VMCConfig& config, VMCCreateProfileView* view)
    : mConfig(config), mView(view) {}

XStr VMCCreateProfile::encoderLabel() const {
    const VMCConfig::ProfilePtr active = mConfig.activeProfile();
    return "'" + (active ? active->encoderName() : XStr()) + "'";
}

XStrList VMCCreateProfile::lstProfileNamesTaken() const {
    const VMCConfig::ProfilePtr active = mConfig.activeProfile();
    return namesTakenFor(mConfig, active ? active->encoderName() : XStr());
}

XStrList VMCCreateProfile::namesTakenFor(const VMCConfig& config, const XStr& encoderName) {
    XStrList names = {kCreateItem, kDeleteItem};
    for (const VAEncoderDesc& encoder : config.encoders()) {
        names.push_back(encoder.name);
    }
    for (const VMCConfig::ProfilePtr& profile : config.userProfiles()) {
        if (profile->encoderName() == encoderName) {
            names.push_back(profile->userProfileName().value_or(XStr()));
        }
    }
    return names;
}

std::optional<XStr> VMCCreateProfile::refusal(const XStr& typed) const {
    const XStr name = typed.trimmed();
    const XStrList taken = lstProfileNamesTaken();
    if (std::find(taken.begin(), taken.end(), name) != taken.end()) {
        return XStr(kTakenAlert);
    }
    // The hint is there to be typed over; nobody means it as a name.
    if (name.empty() || name == kPlaceholder) {
        return XStr(kEmptyAlert);
    }
    // A backslash would split the profile's key in the store.
    if (name.contains(U'\\')) {
        return XStr(kTakenAlert) + "\n" + kBackslashNote;
    }
    const VMCConfig::ProfilePtr active = mConfig.activeProfile();
    const XStr profileName = VMCProfile::userProfileNameFor(
        name.replaced("\"", "''"), active ? active->encoderName() : XStr());
    for (const VMCConfig::ProfilePtr& profile : mConfig.userProfiles()) {
        if (profile->profileName().equalsNoCase(profileName)) {
            return XStr(kTakenAlert) + "\n" +
                   XStr(kSameAsNote).replaced("%@", profile->profileName());
        }
    }
    return std::nullopt;
}

bool VMCCreateProfile::onOK(const XStr& typed) {
    if (const std::optional<XStr> why = refusal(typed)) {
        if (mView != nullptr) {
            mView->showAlert(*why);
        }
        return false;
    }
    const XStr name = typed.trimmed();
    const VMCConfig::ProfilePtr previous = mConfig.activeProfile();
    if (previous) {
        previous->saveProfile();
    }
    const XStr encoder = previous ? previous->encoderName() : VMCProfile::defaultProfileName();
    mCreated = mConfig.newUserProfile(name, encoder);
    if (mCreated) {
        mConfig.setActiveProfile(*mCreated);
    }
    if (mView != nullptr) {
        mView->selectProfile(mConfig.activeProfileName());
    }
    return true;
}

std::optional<XStr> VMCCreateProfile::deleteQuestion(const VMCProfile& profile) {
    if (!profile.isUserProfile()) {
        return std::nullopt;
    }
    return "Delete profile '" + profile.profileName() + "' ?";
}

bool VMCCreateProfile::deleteProfile(VMCConfig& config, const VMCConfig::ProfilePtr& profile) {
    if (!profile) {
        return false;
    }
    const bool wasActive = config.activeProfileName() == profile->profileName();
    if (!config.deleteProfile(profile)) {
        return false;
    }
    if (wasActive) {
        config.setActiveProfileName(VMCProfile::defaultProfileName());
    }
    return true;
}
