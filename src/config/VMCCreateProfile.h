// The dialog that names a new user profile for the active profile's encoder, and the
// question before a user profile is deleted. The view shows the texts and the alert; the
// decisions are made here.
#pragma once

#include "VMCConfig.h"
#include "XStr.h"

class VMCCreateProfileView {
public:
    virtual ~VMCCreateProfileView() = default;
    // An alert with one button; the dialog stays open behind it.
    virtual void showAlert(const XStr& message) = 0;
    // The profile picker shows this profile again.
    virtual void selectProfile(const XStr& /*profileName*/) {}
};

class VMCCreateProfile {
public:
    static constexpr const char* kPlaceholder = "<type profile name>";
    static constexpr const char* kCreateItem = "[Create New Profile]";
    static constexpr const char* kDeleteItem = "[Delete Selected Profile]";
    static constexpr const char* kTakenAlert = "Please choose another profile name.";
    static constexpr const char* kEmptyAlert = "Please type a name for the new profile.";
    static constexpr const char* kBackslashNote = "A profile name cannot hold a backslash (\\).";
    static constexpr const char* kSameAsNote = "It would be the same as the profile '%@'.";
    static constexpr const char* kYes = "Yes";
    static constexpr const char* kNo = "No";

    VMCCreateProfile(VMCConfig& config, VMCCreateProfileView* view);

    XStr nameFieldText() const { return kPlaceholder; }
    // The active profile's encoder in single quotes.
    XStr encoderLabel() const;
    // The picker's own items, every encoder's name and the user names of the active
    // encoder's user profiles.
    XStrList lstProfileNamesTaken() const;
    // The same for a user profile of any encoder.
    static XStrList namesTakenFor(const VMCConfig& config, const XStr& encoderName);

    // Why the name (blanks around it do not count) cannot name a new profile of the active
    // profile's encoder: a listed name, the hint, nothing but blanks, a backslash, or a name
    // that the store would not tell from an existing profile's (letter case, a double
    // quote kept as two single ones). Nothing when it can.
    std::optional<XStr> refusal(const XStr& name) const;

    // False, after the alert that says why, for a name that may not be used: the dialog
    // stays open. Otherwise the active profile is saved, the new profile made and made
    // active (or the picker shown the previous profile again when it cannot be made) and
    // the dialog ends.
    bool onOK(const XStr& name);
    // The profile onOK made, or null.
    const VMCConfig::ProfilePtr& createdProfile() const { return mCreated; }

    // "Delete profile '%@' ?", or nothing for a profile that cannot be deleted.
    static std::optional<XStr> deleteQuestion(const VMCProfile& profile);
    // After "Yes": the profile goes and, when it was the active one, the default profile
    // becomes active.
    static bool deleteProfile(VMCConfig& config, const VMCConfig::ProfilePtr& profile);

private:
    VMCConfig& mConfig;
    VMCCreateProfileView* mView;
    VMCConfig::ProfilePtr mCreated;
};
