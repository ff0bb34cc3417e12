// One way of converting as the converter remembers it: an encoder with its argument record,
// an effect chain and the output naming. An encoder profile is named like its encoder; a
// user profile is a named variant of one encoder, its name the user's name followed by the
// encoder's in double quotes. A batch-converter profile may own a separate set of profiles,
// kept one key level deeper.
#pragma once

#include <optional>

#include "VADSPList.h"
#include "VAEncoderArgs.h"
#include "VMCFileNaming.h"
#include "XStr.h"

class XRegistryTransaction;

class VMCProfile {
public:
    // Below the application key; each profile's key is this plus its name.
    static constexpr const char* kCodecKey = "Software\\Quillmere\\VantaroVideo\\vMCCodec";
    static constexpr const char* kValueCLI = "vMC_CLI";
    static constexpr const char* kValueCustomExt = "vMC_CustomExt";
    static constexpr const char* kKeyFrontendData = "encFrontendData";
    static constexpr const char* kValueDSPEffects = "VMCDSPEffects";

    static XStr defaultProfileName() { return "MP4 (copy, no encoding)"; }

    // A new, empty profile; nothing is read yet.
    static VMCProfile profileNamed(const XStr& name, const std::optional<XStr>& batchProfile);
    // The text of a user profile's name: the user's name, a blank, the encoder's name in
    // double quotes.
    static XStr userProfileNameFor(const XStr& userName, const XStr& encoderName);
    // The key that holds the profile's values.
    static XStr registryKeyFor(const XStr& profileName, const std::optional<XStr>& batchProfile);

    // Replaces everything but the names with what the store holds under the profile's key.
    void fetchFromRegistry();
    // Queues every value of the profile into the caller's transaction.
    void saveToRegistry(XRegistryTransaction& transaction) const;
    // saveToRegistry in a transaction of its own, committed.
    void saveProfile() const;
    // The profile's key and everything below it, so every batch-converter profile's copy too.
    void deleteFromRegistry(XRegistryTransaction& transaction) const;

    const XStr& profileName() const { return mProfileName; }
    const XStr& encoderName() const { return mEncoderName; }
    const VAEncoderArgs& encoderArgsV2() const { return mEncoderArgs; }
    // Tells the naming about the new arguments, whose text it may use in names.
    void setEncoderArgsV2(const VAEncoderArgs& args);
    const VADSPChain& dspEffects() const { return mDspEffects; }
    void setDspEffects(const VADSPChain& chain);
    const VMCFileNaming& fileNaming() const { return mFileNaming; }
    VMCFileNaming& fileNaming() { return mFileNaming; }
    void setFileNaming(const VMCFileNaming& naming);
    const std::optional<XStr>& batchProfileName() const { return mBatchProfileName; }
    void overrideBatchProfile(const std::optional<XStr>& name) { mBatchProfileName = name; }
    XStr registryKey() const { return registryKeyFor(mProfileName, mBatchProfileName); }

    bool isUserProfile() const;
    // The user's part of a user profile's name; nothing for an encoder profile.
    std::optional<XStr> userProfileName() const;
    XStr dspString() const { return VADSPList::dspsToString(mDspEffects); }
    // Replaces the chain by the one the string holds and hands the string to the naming.
    void setDspString(const XStr& text);

    // The naming expands encoder and effect fields from these.
    void onDSPChanged();
    void onEncoderChanged();

private:
    XStr mProfileName;
    XStr mEncoderName;
    VAEncoderArgs mEncoderArgs;
    VADSPChain mDspEffects;
    VMCFileNaming mFileNaming;
    std::optional<XStr> mBatchProfileName;
};
