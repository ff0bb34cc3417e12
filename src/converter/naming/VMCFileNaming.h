// Where an output goes and what it is called. The naming object holds the kind of naming
// (beside the source, one folder, a folder and a template, or the parent's), the
// destination folder, the template and the character rules; every destination path of
// the program comes from here.
//
// Tags are untrusted: whatever they hold, a path under a destination folder stays inside
// it, has no name "." or "..", no name longer than the limits and no path longer than its
// limit (VMCPathCleanup). A template that begins with the source's folder keeps that
// folder's spelling.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "NTag.h"
#include "VAEncoderArgs.h"
#include "VAEncoderDesc.h"
#include "VAStringTools.h"
#include "VMCLocationDescriptor.h"
#include "XStr.h"

class VAMediaFileInfo;
class VMCFolderCase;
class XRegistryTransaction;

class VMCFileNaming {
public:
    // fileNamingType
    static constexpr uint32_t kSameFolder = 0;
    static constexpr uint32_t kSingleFolder = 1;
    static constexpr uint32_t kDynamic = 2;
    static constexpr uint32_t kUseParent = 3;

    static constexpr const char* kDefaultCharacterReplacement = "/-:;";
    static constexpr const char* kOrigPath = "[origpath]";
    static constexpr const char* kPreservePathFormat = "[origpath]/[origfilename]";
    static constexpr const char* kOrigFileName = "[origfilename]";

    // Values under the owner's key, and the global ones under the application's key.
    static constexpr const char* kValueFolderStr = "VMCUserFolderStr";
    static constexpr const char* kValueFolderData = "VMCUserFolderData";
    static constexpr const char* kValueFriendlyName = "VMCUserFolderFriendlyName";
    static constexpr const char* kValueDynamicNaming = "VMCDynamicNaming";
    static constexpr const char* kValueNamingType = "VMCUserFolder";
    static constexpr const char* kValueChrReplace = "vMCFileNameChrReplace";
    static constexpr const char* kValueANSIOnly = "vMCFileNameANSIFilenameOnly";
    static constexpr const char* kValueLastFolder = "vMCLastFolder-%u";
    static constexpr unsigned kRecentCount = 10;
    // The root of the owners' keys.
    static constexpr const char* kRoot = "HKCU";

    // The defaults: beside the source, the default output folder as destination, the
    // default template, and the global character rules of the settings store.
    VMCFileNaming();
    VMCFileNaming(const VMCFileNaming& other);
    VMCFileNaming& operator=(const VMCFileNaming& other);
    ~VMCFileNaming();

    static VMCFileNaming initWithRegKey(const XStr& key);
    static VMCFileNaming initWithRegKeyR16(const XStr& key);
    void serializeToRegKey(const XStr& key, XRegistryTransaction& transaction) const;
    // Types 0 and 1 become templates of type 2 (true); types 2 and 3 stay (false).
    bool convertToR16Dynamic();

    static VMCFileNaming namingSameFolder();
    static VMCFileNaming namingUseParentConfig();
    static VMCFileNaming namingSingleFolderLoc(const VMCLocationDescriptor& destination);
    static VMCFileNaming namingSingleFolder(const XStr& folder);
    static VMCFileNaming namingPreservePath(const XStr& folder);

    uint32_t fileNamingType() const { return mFileNamingType; }
    void setFileNamingType(uint32_t type) { mFileNamingType = type; }
    const VMCLocationDescriptor& destination() const { return mDestination; }
    void setDestination(const VMCLocationDescriptor& destination) { mDestination = destination; }
    const XStr& dynamicFormat() const { return mDynamicFormat; }
    void setDynamicFormat(const XStr& format) { mDynamicFormat = format; }
    const XStr& characterReplacement() const { return mCharacterReplacement; }
    void setCharacterReplacement(const XStr& table) { mCharacterReplacement = table; }
    bool ansiOnly() const { return mAnsiOnly; }
    void setAnsiOnly(bool on) { mAnsiOnly = on; }
    const XStr& encoderName() const { return mEncoderName; }
    void setEncoderName(const XStr& name) { mEncoderName = name; }
    const XStr& encoderExtra() const { return mEncoderExtra; }
    void setEncoderExtra(const XStr& extra) { mEncoderExtra = extra; }
    const XStr& dspEffectsString() const { return mDspEffectsString; }
    void setDspEffectsString(const XStr& text) { mDspEffectsString = text; }
    // The encoder of the conversion: its name, and the estimate behind "k_bitrate".
    void setEncoder(const VAEncoderDesc& encoder, const VAEncoderArgs& args);

    bool usingDestinationFolder() const;
    bool isUseParentConfig() const { return mFileNamingType == kUseParent; }
    bool isOrigFileName() const;
    bool isSameFolder() const;
    bool needsMetaFromFiles() const;
    bool usesEncoderInfo() const { return namingUsesEncoderInfo(mDynamicFormat); }
    static bool namingUsesEncoderInfo(const XStr& format);
    XStr destinationFolderName() const { return mDestination.friendlyName(); }

    // The output's path relative to the destination, without extension; nothing when the
    // template needs the source's metadata and no record is given.
    std::optional<XStr> subPathForSource(const XStr& source, const VAMediaFileInfo* info) const;
    std::optional<XStr> userStringFor(const XStr& source, const VAMediaFileInfo* info) const {
        return subPathForSource(source, info);
    }
    // The absolute output path; nothing when the destination cannot be used or no safe path
    // can be made.
    std::optional<XStr> fullPathForSubPath(const XStr& subPath, const XStr& source);
    std::optional<XStr> fullPathForSubPath(const XStr& subPath, const XStr& source,
                                           const XStr& extension);
    std::optional<XStr> fullPathForSource(const XStr& source, const VAMediaFileInfo* info);
    std::optional<XStr> fullPathForSource(const XStr& source, const VAMediaFileInfo* info,
                                          const XStr& extension);
    // With a sub-path the user has edited.
    std::optional<XStr> fullPathForSourceUserString(const XStr& source, const XStr& userString,
                                                    const XStr& extension);

    bool prepareFolder(XStr* why = nullptr);
    bool sanity();

    // The destination path, a "/" when it lacks one, and the template.
    XStr descriptionRaw() const;
    std::vector<VAStringTools::StyledRun> attributedDescription() const;
    XStr description() const;

    // The tag set a template is expanded with.
    NTag namingTags(const XStr& source, const VAMediaFileInfo* info) const;

    static XStr defaultDynamicFormat() { return "[artist]/[artist] - [title]"; }
    // "date", "time", "day_of_week" (0 for Sunday) and "now_year" in local time.
    static void addDateFieldsTo(NTag& tag);
    static void addDateFieldsTo(NTag& tag, std::time_t now);
    // Backslashes become "/".
    static XStr sanitizeDynamicPattern(const XStr& format);
    static XStr recentDelim() { return "{_._}"; }
    static void saveRecentList(const std::vector<VMCFileNaming>& list);
    static std::vector<VMCFileNaming> loadRecentList();

    VMCFileNaming copy() const { return *this; }
    void copyFrom(const VMCFileNaming& other) { *this = other; }
    bool isEqualTo(const VMCFileNaming& other) const;

    // Folder listings for case matching are taken once per naming object and shared by its
    // copies; this forgets them, so that later changes on the disk are seen.
    void resetFolderCache();
    std::shared_ptr<VMCFolderCase> folderCache() const { return mFolderCase; }

private:
    // The folders at the start of the sub-path that are the source's own.
    std::size_t keptSourceFolders(const XStr& subPath, const XStr& source) const;

    uint32_t mFileNamingType = kSameFolder;
    VMCLocationDescriptor mDestination;
    XStr mDynamicFormat;
    XStr mCharacterReplacement;
    bool mAnsiOnly = false;
    XStr mEncoderName;
    XStr mEncoderExtra;
    XStr mDspEffectsString;
    std::optional<VAEncoderDesc> mEncoder;
    VAEncoderArgs mEncoderArgs;
    std::shared_ptr<VMCFolderCase> mFolderCase;
};
