#include "VMCConfig.h"

#include <algorithm>
#include <mutex>

#include "VADSPMenu.h"
#include "VMCEncoderPageMultiEnc.h"
#include "VVCCodecs.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"

namespace {

const XRegistryName kRoot{XStr(VMCFileNaming::kRoot)};

}  // namespace

VMCConfig::VMCConfig() : VMCConfig(std::nullopt) {}

VMCConfig::VMCConfig(const std::optional<XStr>& batchConverterProfile)
    : VMCConfig(batchConverterProfile, VVCCodecs::listEncoders(), VADSPMenu::listDSPs()) {}

VMCConfig::VMCConfig(const std::optional<XStr>& batchConverterProfile,
                     std::vector<VAEncoderDesc> encoders, std::vector<VADSPDesc> effects)
    : mBatchConverterProfile(batchConverterProfile),
      mEncoders(std::move(encoders)),
      mAvailableDSPEffects(std::move(effects)) {
    // Whoever holds a configuration may open the multi encoder's profile.
    static std::once_flag registered;
    std::call_once(registered, VMCEncoderPageMultiEnc::registerWithIndex);
    load();
}

bool VMCConfig::userProfilesAllowed() {
    return XRegistry::GetDWORD(kValueAllowProfiles) != 0;
}

XStr VMCConfig::lastCodecValueName(const std::optional<XStr>& batchConverterProfile) {
    return XStr(kValueLastCodec) + batchConverterProfile.value_or(XStr());
}

VMCConfig::ProfilePtr VMCConfig::loadProfile(const XStr& name) const {
    auto profile =
        std::make_shared<VMCProfile>(VMCProfile::profileNamed(name, mBatchConverterProfile));
    profile->fetchFromRegistry();
    return profile;
}

void VMCConfig::load() {
    if (userProfilesAllowed()) {
        ProfileList users;
        XStrList keys;
        XRegistry::EnumKeys(kRoot, XStr(VMCProfile::kCodecKey), keys);
        for (const XStr& key : keys) {
            if (key.size() >= 2 && key.back() == U'"') {
                users.push_back(loadProfile(key));
            }
        }
        mUserProfiles = std::move(users);
    }
    for (const VAEncoderDesc& encoder : mEncoders) {
        mEncoderProfiles.push_back(loadProfile(encoder.name));
    }
    // User profiles first: a name taken twice keeps the first.
    for (const ProfilePtr& profile : userProfiles()) {
        mProfilesByName.emplace(profile->profileName(), profile);
    }
    for (const ProfilePtr& profile : mEncoderProfiles) {
        mProfilesByName.emplace(profile->profileName(), profile);
    }
    const XStr active =
        XRegistry::GetString(lastCodecValueName(mBatchConverterProfile), kRoot, XStr(kAppKey));
    mActiveProfile =
        !active.empty() && profileNamed(active) ? active : VMCProfile::defaultProfileName();
}

VMCConfig::ProfilePtr VMCConfig::profileNamed(const XStr& name) const {
    const auto it = mProfilesByName.find(name);
    return it == mProfilesByName.end() ? nullptr : it->second;
}

void VMCConfig::setActiveProfileName(const XStr& name) {
    mActiveProfile = name;
    XRegistry::SetString(lastCodecValueName(mBatchConverterProfile), name, kRoot, XStr(kAppKey));
}

std::optional<VAEncoderDesc> VMCConfig::encoderForProfile(const VMCProfile& profile) const {
    const VAEncoderDesc* encoder = VAEncoderDesc::findEncoder(mEncoders, profile.encoderName());
    return encoder != nullptr ? std::optional<VAEncoderDesc>(*encoder) : std::nullopt;
}

std::optional<VAEncoderDesc> VMCConfig::activeEncoder() const {
    const ProfilePtr profile = activeProfile();
    return profile ? encoderForProfile(*profile) : std::nullopt;
}

VMCConfig::ProfilePtr VMCConfig::newUserProfile(const XStr& userName, const XStr& encoderName) {
    if (!mUserProfiles || userName.trimmed().empty() || userName.contains(U'\\') ||
        encoderName.contains(U'\\')) {
        return nullptr;
    }
    const XStr name = VMCProfile::userProfileNameFor(userName.replaced("\"", "''"), encoderName);
    // The store does not tell names apart by letter case, so neither may the profiles.
    const bool taken =
        std::any_of(mProfilesByName.begin(), mProfilesByName.end(),
                    [&name](const auto& item) { return item.first.equalsNoCase(name); });
    if (taken) {
        return nullptr;
    }
    ProfilePtr profile = loadProfile(name);
    mUserProfiles->push_back(profile);
    mProfilesByName.emplace(name, profile);
    return profile;
}

bool VMCConfig::deleteProfile(const ProfilePtr& profile) {
    if (!profile || !profile->isUserProfile() || !mUserProfiles) {
        return false;
    }
    const auto it = mProfilesByName.find(profile->profileName());
    if (it == mProfilesByName.end() || it->second != profile) {
        return false;
    }
    mProfilesByName.erase(it);
    std::erase(*mUserProfiles, profile);
    XRegistryTransaction transaction;
    profile->deleteFromRegistry(transaction);
    transaction.Commit();
    return true;
}

void VMCConfig::saveAllToRegistry(XRegistryTransaction& transaction) const {
    for (const ProfilePtr& profile : mEncoderProfiles) {
        profile->saveToRegistry(transaction);
    }
    for (const ProfilePtr& profile : userProfiles()) {
        profile->saveToRegistry(transaction);
    }
    transaction.SetString(lastCodecValueName(mBatchConverterProfile), mActiveProfile, kRoot,
                          XStr(kAppKey));
}

void VMCConfig::overrideBatchProfile(const std::optional<XStr>& name) {
    mBatchConverterProfile = name;
    for (const ProfilePtr& profile : mEncoderProfiles) {
        profile->overrideBatchProfile(name);
    }
    for (const ProfilePtr& profile : userProfiles()) {
        profile->overrideBatchProfile(name);
    }
}

void VMCConfig::cloneBatchConverterDataFromTo(const std::optional<XStr>& source,
                                              const std::optional<XStr>& target) {
    cloneBatchConverterDataFromTo(source, target, VVCCodecs::listEncoders());
}

void VMCConfig::cloneBatchConverterDataFromTo(const std::optional<XStr>& source,
                                              const std::optional<XStr>& target,
                                              std::vector<VAEncoderDesc> encoders) {
    VMCConfig config(source, std::move(encoders), {});
    config.overrideBatchProfile(target);
    XRegistryTransaction transaction;
    config.saveAllToRegistry(transaction);
    transaction.Commit();
}
