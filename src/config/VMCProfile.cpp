#include "VMCProfile.h"

#include "XRegistry.h"
#include "XRegistryTransaction.h"

namespace {

const XRegistryName kRoot{XStr(VMCFileNaming::kRoot)};

bool endsInQuotedName(const XStr& name) {
    return name.size() >= 2 && name.back() == U'"';
}

}  // namespace

VMCProfile VMCProfile::profileNamed(const XStr& name, const std::optional<XStr>& batchProfile) {
    VMCProfile profile;
    profile.mProfileName = name;
    profile.mBatchProfileName = batchProfile;
    return profile;
}

XStr VMCProfile::userProfileNameFor(const XStr& userName, const XStr& encoderName) {
    return userName + " \"" + encoderName + "\"";
}

XStr VMCProfile::registryKeyFor(const XStr& profileName, const std::optional<XStr>& batchProfile) {
    XStr key = XStr(kCodecKey) + "\\" + profileName;
    if (batchProfile) {
        key += "\\" + *batchProfile;
    }
    return key;
}

void VMCProfile::fetchFromRegistry() {
    if (endsInQuotedName(mProfileName)) {
        const XStr inner = mProfileName.left(mProfileName.size() - 1);
        const std::size_t quote = inner.rfind(U'"');
        mEncoderName = quote == XStr::npos ? inner : inner.substr(quote + 1);
    } else {
        mEncoderName = mProfileName;
    }
    const XStr key = registryKey();
    const XRegistryName path(key);
    VAEncoderArgs args;
    args.strArgs = XRegistry::GetString(kValueCLI, kRoot, path);
    args.customFormatExt = XRegistry::GetString(kValueCustomExt, kRoot, path);
    const XRegistryName frontendPath(key + "\\" + kKeyFrontendData);
    XStrList names;
    if (XRegistry::EnumValues(kRoot, frontendPath, names)) {
        for (const XStr& name : names) {
            args.frontendData[name] = XRegistry::GetString(name, kRoot, frontendPath);
        }
    }
    mEncoderArgs = std::move(args);
    mFileNaming = VMCFileNaming::initWithRegKey(key);
    setDspString(XRegistry::GetString(kValueDSPEffects, kRoot, path));
    onDSPChanged();
    onEncoderChanged();
}

void VMCProfile::saveToRegistry(XRegistryTransaction& transaction) const {
    const XStr key = registryKey();
    const XRegistryName path(key);
    transaction.SetString(kValueCLI, mEncoderArgs.strArgs, kRoot, path);
    if (!mEncoderArgs.customFormatExt.empty()) {
        transaction.SetString(kValueCustomExt, mEncoderArgs.customFormatExt, kRoot, path);
    } else {
        transaction.DeleteValue(kValueCustomExt, kRoot, path);
    }
    // Rewritten whole, so that entries taken out of the map go from the store too.
    transaction.DeleteKey(kKeyFrontendData, kRoot, path);
    const XRegistryName frontendPath(key + "\\" + kKeyFrontendData);
    for (const auto& [name, value] : mEncoderArgs.frontendData) {
        transaction.SetString(name, value, kRoot, frontendPath);
    }
    transaction.SetString(kValueDSPEffects, dspString(), kRoot, path);
    mFileNaming.serializeToRegKey(key, transaction);
}

void VMCProfile::saveProfile() const {
    XRegistryTransaction transaction;
    saveToRegistry(transaction);
    transaction.Commit();
}

void VMCProfile::deleteFromRegistry(XRegistryTransaction& transaction) const {
    transaction.DeleteKey(mProfileName, kRoot, XStr(kCodecKey));
}

void VMCProfile::setEncoderArgsV2(const VAEncoderArgs& args) {
    mEncoderArgs = args;
    onEncoderChanged();
}

void VMCProfile::setDspEffects(const VADSPChain& chain) {
    mDspEffects = chain;
    onDSPChanged();
}

void VMCProfile::setFileNaming(const VMCFileNaming& naming) {
    mFileNaming = naming;
    onDSPChanged();
    onEncoderChanged();
}

bool VMCProfile::isUserProfile() const {
    return !mProfileName.empty() && mProfileName.back() == U'"';
}

std::optional<XStr> VMCProfile::userProfileName() const {
    if (!isUserProfile()) {
        return std::nullopt;
    }
    const XStr inner = mProfileName.left(mProfileName.size() - 1);
    const std::size_t quote = inner.rfind(U'"');
    return (quote == XStr::npos ? inner : inner.left(quote)).trimmed();
}

void VMCProfile::setDspString(const XStr& text) {
    mDspEffects = VADSPList::stringToDSPs(text);
    mFileNaming.setDspEffectsString(text);
}

void VMCProfile::onDSPChanged() {
    mFileNaming.setDspEffectsString(dspString());
}

void VMCProfile::onEncoderChanged() {
    mFileNaming.setEncoderName(mEncoderName);
    mFileNaming.setEncoderExtra(mEncoderArgs.strArgs);
}
