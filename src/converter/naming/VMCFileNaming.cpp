#include "VMCFileNaming.h"

#include "VAConvertSource.h"
#include "VAMediaFileInfo.h"
#include "VMCAnsiTransliteration.h"
#include "VMCFolderCase.h"
#include "VMCNamingTemplate.h"
#include "VMCPathCleanup.h"
#include "XPath.h"
#include "XRegistry.h"

namespace {

// The character rules of the settings store, which the options page edits.
XStr globalCharacterReplacement() {
    const XStr table = XRegistry::GetString(VMCFileNaming::kValueChrReplace);
    return table.empty() ? XStr(VMCFileNaming::kDefaultCharacterReplacement) : table;
}

bool globalAnsiOnly() {
    bool missing = false;
    const uint32_t value = XRegistry::GetDWORD(VMCFileNaming::kValueANSIOnly, {}, {}, &missing);
    return !missing && value != 0;
}

// The source's folder as the templates see it: beginning and ending with "/".
XStr origPathOf(const XStr& source) {
    const XStr folder = XPath::folderOf(source);
    return folder.endsWith("/") ? folder : folder + "/";
}

XStr withoutTrailingSlashes(XStr path) {
    while (!path.empty() && path.back() == U'/') {
        path.pop_back();
    }
    return path;
}

// Points at the start of the path or of a name go (no hidden files, no "." or "..").
XStr withoutLeadingPoints(const XStr& path) {
    XStr out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == U'.' && (i == 0 || path[i - 1] == U'/')) {
            continue;
        }
        out += path[i];
    }
    return out;
}

}  // namespace

VMCFileNaming::VMCFileNaming()
    : mDestination(VMCLocationDescriptor::withDefaultFolder()),
      mDynamicFormat(defaultDynamicFormat()),
      mCharacterReplacement(globalCharacterReplacement()),
      mAnsiOnly(globalAnsiOnly()),
      mFolderCase(std::make_shared<VMCFolderCase>()) {}

VMCFileNaming::VMCFileNaming(const VMCFileNaming& other) = default;
VMCFileNaming& VMCFileNaming::operator=(const VMCFileNaming& other) = default;
VMCFileNaming::~VMCFileNaming() = default;

bool VMCFileNaming::convertToR16Dynamic() {
    if (mFileNamingType == kSingleFolder) {
        mDynamicFormat = kOrigFileName;
    } else if (mFileNamingType == kSameFolder) {
        mDestination = VMCLocationDescriptor::root();
        mDynamicFormat = kPreservePathFormat;
    } else {
        return false;
    }
    mFileNamingType = kDynamic;
    return true;
}

VMCFileNaming VMCFileNaming::namingSameFolder() {
    VMCFileNaming naming;
    naming.convertToR16Dynamic();
    return naming;
}

VMCFileNaming VMCFileNaming::namingUseParentConfig() {
    VMCFileNaming naming = namingSameFolder();
    naming.mFileNamingType = kUseParent;
    return naming;
}

VMCFileNaming VMCFileNaming::namingSingleFolderLoc(const VMCLocationDescriptor& destination) {
    VMCFileNaming naming;
    naming.mFileNamingType = kSingleFolder;
    naming.mDestination = destination;
    naming.convertToR16Dynamic();
    return naming;
}

VMCFileNaming VMCFileNaming::namingSingleFolder(const XStr& folder) {
    return namingSingleFolderLoc(VMCLocationDescriptor::withURL(folder));
}

VMCFileNaming VMCFileNaming::namingPreservePath(const XStr& folder) {
    VMCFileNaming naming;
    naming.mFileNamingType = kDynamic;
    naming.mDestination = VMCLocationDescriptor::withURL(folder);
    naming.mDynamicFormat = kPreservePathFormat;
    return naming;
}

void VMCFileNaming::setEncoder(const VAEncoderDesc& encoder, const VAEncoderArgs& args) {
    mEncoder = encoder;
    mEncoderArgs = args;
    mEncoderName = encoder.name;
}

bool VMCFileNaming::usingDestinationFolder() const {
    return mFileNamingType == kSingleFolder || mFileNamingType == kDynamic;
}

bool VMCFileNaming::isOrigFileName() const {
    return mFileNamingType == kSameFolder ||
           (mFileNamingType == kDynamic && mDynamicFormat.endsWith(kOrigFileName));
}

bool VMCFileNaming::isSameFolder() const {
    if (mFileNamingType == kSameFolder) {
        return true;
    }
    if (mFileNamingType != kDynamic || mDynamicFormat != kPreservePathFormat) {
        return false;
    }
    VMCLocationDescriptor destination = mDestination;
    return destination.resolveAndMount() && destination.url() == "/";
}

bool VMCFileNaming::needsMetaFromFiles() const {
    return mFileNamingType == kDynamic && TemplateNeedsMetadata(mDynamicFormat);
}

bool VMCFileNaming::namingUsesEncoderInfo(const XStr& format) {
    return format.contains("[encoder]") || format.contains("[k_bitrate]") ||
           format.contains("[encoder+]");
}

void VMCFileNaming::addDateFieldsTo(NTag& tag) {
    addDateFieldsTo(tag, std::time(nullptr));
}

void VMCFileNaming::addDateFieldsTo(NTag& tag, std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    const unsigned year = static_cast<unsigned>(local.tm_year + 1900);
    tag.SetString("date",
                  XStr::format("%04u-%02u-%02u", year, static_cast<unsigned>(local.tm_mon + 1),
                               static_cast<unsigned>(local.tm_mday)));
    tag.SetString("time", XStr::format("%02u:%02u:%02u", static_cast<unsigned>(local.tm_hour),
                                       static_cast<unsigned>(local.tm_min),
                                       static_cast<unsigned>(local.tm_sec)));
    tag.SetString("day_of_week", XStr::number(local.tm_wday));
    tag.SetString("now_year", XStr::number(year));
}

XStr VMCFileNaming::sanitizeDynamicPattern(const XStr& format) {
    return format.replaced("\\", "/");
}

NTag VMCFileNaming::namingTags(const XStr& source, const VAMediaFileInfo* info) const {
    NTag tags;
    if (info != nullptr && TemplateNeedsMetadata(mDynamicFormat)) {
        // Text only: pictures are of no use in a name and costly to copy.
        for (const NTag::Element& element : info->IDTags().tag().Elements()) {
            if (element.data.empty()) {
                tags.AddElement(element.name, element.value);
            }
        }
        const NTag& props = info->MediaProps().tag();
        tags.MergeFrom(props, false);
        const XStr encoder = props.GetString("encoder");
        if (!encoder.empty()) {
            const XStr settings = props.GetString("encoder settings");
            tags.SetString("encoder+", encoder + (settings.empty() ? "" : " ") + settings);
        }
    }
    addDateFieldsTo(tags);
    if (!mEncoderName.empty() || !mEncoderExtra.empty()) {
        tags.SetString("encoder", mEncoderName);
        const char* space = !mEncoderName.empty() && !mEncoderExtra.empty() ? " " : "";
        tags.SetString("encoder+", mEncoderName + space + mEncoderExtra);
        if (mEncoder) {
            const int64_t kbps =
                mEncoder->instantiate()->kBitrateFor(VAConvertSource(source), mEncoderArgs);
            if (kbps > 0) {
                tags.SetString("k_bitrate", XStr::number(kbps));
            }
        }
    }
    tags.SetString("origfilename", XPath::baseName(source));
    tags.SetString("origpath", origPathOf(source));
    return tags;
}

std::optional<XStr> VMCFileNaming::subPathForSource(const XStr& given,
                                                    const VAMediaFileInfo* info) const {
    const XStr source = XPath::lexicallyNormal(given);
    if (mFileNamingType != kDynamic) {
        return XPath::baseName(source);
    }
    if (info == nullptr && TemplateNeedsMetadata(mDynamicFormat)) {
        return std::nullopt;
    }
    const NTag tags = namingTags(source, info);

    // The source's own folders are put in front as they are.
    XStr leading;
    XStr rest = mDynamicFormat;
    for (const char* start : {kPreservePathFormat, kOrigPath}) {
        if (rest.startsWith(start)) {
            leading = ExpandNamingTemplate(XStr(start), tags, true);
            rest = rest.substr(XStr(start).size());
            break;
        }
    }
    XStr cleaned;
    // Without a leading source path even an empty template names a file.
    if (!rest.empty() || leading.empty()) {
        cleaned = ExpandNamingTemplate(rest, tags, true);
        if (mAnsiOnly) {
            cleaned = VMCAnsiTransliteration::transliterate(cleaned);
        }
        VMCPathCleanup::Options options;
        options.table = mCharacterReplacement;
        cleaned = withoutLeadingPoints(VMCPathCleanup::cleanPath(cleaned, options).value_or(""));
        // A file name that came out empty still names a file.
        if (withoutTrailingSlashes(cleaned).empty()) {
            cleaned += U'_';
        }
    }
    return withoutTrailingSlashes(leading + cleaned);
}

std::size_t VMCFileNaming::keptSourceFolders(const XStr& subPath, const XStr& source) const {
    if (mFileNamingType != kDynamic || !mDynamicFormat.startsWith(kOrigPath)) {
        return 0;
    }
    const XStr origPath = origPathOf(source);
    std::size_t start = 0;
    while (start < subPath.size() && subPath[start] == U'/') {
        ++start;
    }
    const XStr folders = origPath.substr(1);
    if (folders.empty() || subPath.substr(start, folders.size()) != folders) {
        return 0;
    }
    return XPath::components(origPath).size();
}

std::optional<XStr> VMCFileNaming::fullPathForSubPath(const XStr& subPath, const XStr& given) {
    const XStr source = given.empty() ? given : XPath::lexicallyNormal(given);
    XStr folder;
    if (usingDestinationFolder()) {
        if (!mDestination.resolveAndMount()) {
            return std::nullopt;
        }
        folder = mDestination.url();
    } else if (mFileNamingType == kSameFolder && !source.empty()) {
        folder = XPath::folderOf(source);
    } else {
        // The engine puts the parent's naming in place of type 3 beforehand, and type 0
        // always comes with its source.
        return std::nullopt;
    }
    VMCPathCleanup::Options options;
    options.limitWholePath = true;
    options.matchCase = mFolderCase.get();
    options.base = folder;
    options.keptFolders = keptSourceFolders(subPath, source);
    const std::optional<XStr> path = VMCPathCleanup::cleanPath(subPath, options);
    if (!path || !VMCPathCleanup::isSafeInside(folder, *path)) {
        return std::nullopt;
    }
    return path;
}

std::optional<XStr> VMCFileNaming::fullPathForSubPath(const XStr& subPath, const XStr& source,
                                                      const XStr& extension) {
    return fullPathForSubPath(subPath + extension, source);
}

std::optional<XStr> VMCFileNaming::fullPathForSource(const XStr& source,
                                                     const VAMediaFileInfo* info) {
    const std::optional<XStr> subPath = subPathForSource(source, info);
    return subPath ? fullPathForSubPath(*subPath, source) : std::nullopt;
}

std::optional<XStr> VMCFileNaming::fullPathForSource(const XStr& source,
                                                     const VAMediaFileInfo* info,
                                                     const XStr& extension) {
    const std::optional<XStr> subPath = subPathForSource(source, info);
    return subPath ? fullPathForSubPath(*subPath, source, extension) : std::nullopt;
}

std::optional<XStr> VMCFileNaming::fullPathForSourceUserString(const XStr& source,
                                                               const XStr& userString,
                                                               const XStr& extension) {
    return fullPathForSubPath(userString, source, extension);
}

bool VMCFileNaming::prepareFolder(XStr* why) {
    if (usingDestinationFolder()) {
        return mDestination.prepareFolder(why);
    }
    return mFileNamingType == kSameFolder;
}

bool VMCFileNaming::sanity() {
    if (usingDestinationFolder()) {
        return mDestination.sanity();
    }
    return mFileNamingType == kSameFolder;
}

XStr VMCFileNaming::descriptionRaw() const {
    const XStr& folder = mDestination.url();
    if (folder.empty()) {
        return mDynamicFormat;
    }
    return folder.endsWith("/") ? folder + mDynamicFormat : folder + "/" + mDynamicFormat;
}

std::vector<VAStringTools::StyledRun> VMCFileNaming::attributedDescription() const {
    return VAStringTools::importColorsW(DescribeNamingTemplate(descriptionRaw()));
}

XStr VMCFileNaming::description() const {
    XStr out;
    for (const VAStringTools::StyledRun& run : attributedDescription()) {
        out += run.text;
    }
    return out;
}

bool VMCFileNaming::isEqualTo(const VMCFileNaming& other) const {
    const bool noDestination = !mDestination.hasURL() && !other.mDestination.hasURL() &&
                               mDestination.bookmark().empty() &&
                               other.mDestination.bookmark().empty();
    return mFileNamingType == other.mFileNamingType &&
           (noDestination || mDestination.isEqualTo(other.mDestination)) &&
           mDynamicFormat == other.mDynamicFormat &&
           mCharacterReplacement == other.mCharacterReplacement && mAnsiOnly == other.mAnsiOnly;
}

void VMCFileNaming::resetFolderCache() {
    mFolderCase = std::make_shared<VMCFolderCase>();
}
