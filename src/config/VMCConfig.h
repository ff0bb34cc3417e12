// Everything the converter remembers about how to convert: one profile per encoder of the
// catalogue, the user profiles when they are allowed, and which profile is active. Loaded
// whole at creation; nothing goes back to the store until a profile is saved, deleted or
// everything is saved, except the active profile's name, which is written at once.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VADSPDesc.h"
#include "VAEncoderDesc.h"
#include "VMCProfile.h"
#include "XStr.h"

class XRegistryTransaction;

class VMCConfig {
public:
    using ProfilePtr = std::shared_ptr<VMCProfile>;

    static constexpr const char* kAppKey = "Software\\Quillmere\\VantaroVideo";
    static constexpr const char* kValueLastCodec = "vMCLastCodec";
    static constexpr const char* kValueAllowProfiles = "vMCAllowProfiles";

    // The catalogue of the FFmpeg in use.
    VMCConfig();
    explicit VMCConfig(const std::optional<XStr>& batchConverterProfile);
    // With the given catalogue of encoders and effects.
    VMCConfig(const std::optional<XStr>& batchConverterProfile, std::vector<VAEncoderDesc> encoders,
              std::vector<VADSPDesc> effects);

    static bool userProfilesAllowed();

    std::vector<ProfilePtr> encoderProfiles() const { return mEncoderProfiles; }
    // Empty when user profiles are not allowed.
    std::vector<ProfilePtr> userProfiles() const { return mUserProfiles.value_or(ProfileList()); }
    bool allowUserProfiles() const { return mUserProfiles.has_value(); }
    const std::vector<VADSPDesc>& availableDSPEffects() const { return mAvailableDSPEffects; }
    const std::vector<VAEncoderDesc>& encoders() const { return mEncoders; }
    const std::optional<XStr>& batchConverterProfile() const { return mBatchConverterProfile; }

    ProfilePtr profileNamed(const XStr& name) const;
    ProfilePtr activeProfile() const { return profileNamed(mActiveProfile); }
    const XStr& activeProfileName() const { return mActiveProfile; }
    // Both write the name to the store at once.
    void setActiveProfile(const VMCProfile& profile) {
        setActiveProfileName(profile.profileName());
    }
    void setActiveProfileName(const XStr& name);

    // Nothing when the profile's encoder is not in the catalogue.
    std::optional<VAEncoderDesc> encoderForProfile(const VMCProfile& profile) const;
    std::optional<VAEncoderDesc> activeEncoder() const;

    // Null when user profiles are not allowed, when the user's name cannot name a profile
    // (empty, or holding a backslash, which would split its key) or when a profile of that
    // name exists. The new profile is not saved until the next save.
    ProfilePtr newUserProfile(const XStr& userName, const XStr& encoderName);
    // Only user profiles go; their keys are deleted at once, in a transaction of their own.
    bool deleteProfile(const ProfilePtr& profile);
    // Every encoder profile, every user profile, then the active profile's name.
    void saveAllToRegistry(XRegistryTransaction& transaction) const;
    void overrideBatchProfile(const std::optional<XStr>& name);

    // The target batch-converter profile starts as a copy of the source's profiles.
    static void cloneBatchConverterDataFromTo(const std::optional<XStr>& source,
                                              const std::optional<XStr>& target);
    static void cloneBatchConverterDataFromTo(const std::optional<XStr>& source,
                                              const std::optional<XStr>& target,
                                              std::vector<VAEncoderDesc> encoders);

    // "vMCLastCodec" directly followed by the batch-converter profile's name.
    static XStr lastCodecValueName(const std::optional<XStr>& batchConverterProfile);

private:
    using ProfileList = std::vector<ProfilePtr>;

    void load();
    ProfilePtr loadProfile(const XStr& name) const;

    std::optional<XStr> mBatchConverterProfile;
    std::vector<VAEncoderDesc> mEncoders;
    std::vector<VADSPDesc> mAvailableDSPEffects;
    std::map<XStr, ProfilePtr> mProfilesByName;
    ProfileList mEncoderProfiles;
    std::optional<ProfileList> mUserProfiles;
    XStr mActiveProfile;
};
