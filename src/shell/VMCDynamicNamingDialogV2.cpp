#include "VMCDynamicNamingDialogV2.h"

#include "VMCFileNaming.h"
#include "VMCFriendlyPath.h"
#include "VMCLocationDescriptor.h"
#include "VMCNamingTemplate.h"
#include "XRegistry.h"

namespace {

using MenuItem = VMCDynamicNamingDialogV2::MenuItem;

// The profile asks for the disc number in the album's name of multi-disc sets.
constexpr const char* kValueDiscNumToAlbum = "PerfectMetaDiscNumToAlbum";

std::vector<MenuItem> makeProgrammableMenu() {
    const std::vector<MenuItem> typed = {
        {"Compilation", "[IFCOMP]included if compilation[]"},
        {"Not Compilation", "[IF!COMP]included if not a compilation[]"},
        {"Multi-Disc", "[IFMULTI]included if multi-disc[]"},
        {"Not Multi-Disc", "[IF!MULTI]included if not multi-disc[]"},
        {"Uppercase string", "[UPPER]string[]"},
        {"Lowercase string", "[LOWER]string[]"},
        {"Last Characters From String", "[RIGHT]count,string[]"},
        {"Grab Portion From String", "[GRAB]posfrom,posto,string[]"},
        {"Trim Start && Ending Spaces", "[TRIM]string[]"},
        {"Remove Portion of String", "[DEL]posfrom,posto,string[]"},
        {"Set String Length (increase or decrease)", "[SETLEN]count,pre,post,string[]"},
        {"Equals Test", "[IFEQUALS]tag,equals,string[]"},
        {"Not Equals Test", "[IF!EQUALS]tag,equals,string[]"},
        {"If Condition", "[IF]tag,condition,match,stringmatch,stringnomatch[]"},
        {"Tag Value Test", "[IFVALUE]tag,strifvalue,strnovalue[]"},
        {"Remove First Folder", "[TRIMFIRSTFOLDER][origpath][]"},
        {"Remove Last Folder", "[TRIMLASTFOLDER][origpath][]"},
        {"Extract Folder x", "[FRONTFOLDER]pos[]"},
        {"Extract Folder count-x", "[BACKFOLDER]pos[]"},
        {"Maximum Length", "[MAXLENGTH]maxlength,string[]"},
        {"Replace String", "[REPLACE]search,replacement,string[]"},
        {"Limit Word Count", "[WORD]string,wordcount[]"},
        {"Group a-c, d-f...", "[GROUP]group count,string[]"},
        {"Split a string around a character", "[SPLIT]split on,string,return index[]"},
    };
    const XStr noBreak(std::u32string(1, U'\u00A0'));
    std::vector<MenuItem> out;
    for (const MenuItem& item : typed) {
        out.push_back({item.label.replaced(" ", noBreak), item.text.replaced(" ", noBreak)});
    }
    return out;
}

// The extension of the example's name; "ignore" stands for none.
XStr shownExtension(const XStr& extension) {
    const XStr bare = extension.startsWith(".") ? extension.substr(1) : extension;
    if (bare.empty() || bare == "ignore") {
        return {};
    }
    return "." + bare;
}

}  // namespace

VMCDynamicNamingDialogV2::VMCDynamicNamingDialogV2(XStr curPattern, XStr baseLocation,
                                                   XStr baseLocationURL,
                                                   VMCDynamicNamingDialogV2_Context context)
    : mCurPattern(std::move(curPattern)),
      mCursor(mCurPattern.size()),
      mBaseLocation(std::move(baseLocation)),
      mBaseLocationURL(std::move(baseLocationURL)),
      mContext(std::move(context)),
      mExamples(makeExamples()),
      mClock([] { return std::time(nullptr); }) {
    if (mBaseLocation.empty()) {
        mBaseLocation = mBaseLocationURL;
    }
    mDiscInAlbum = !mContext.activeProfileReg.empty() &&
                   XRegistry::GetDWORD(kValueDiscNumToAlbum, XRegistryName(XStr("HKCU")),
                                       mContext.activeProfileReg) != 0;
    // The user's own file is the better example whenever there is one.
    mExUseCurrentMeta = haveCurrentMeta();
    refreshExample();
}

void VMCDynamicNamingDialogV2::setClock(std::function<std::time_t()> clock) {
    mClock = std::move(clock);
    refreshExample();
    changed();
}

void VMCDynamicNamingDialogV2::setCurPattern(const XStr& pattern, std::size_t cursor) {
    mCurPattern = pattern;
    mCursor = std::min(cursor, mCurPattern.size());
    mSelectionLength = 0;
    refreshExample();
    changed();
}

void VMCDynamicNamingDialogV2::setSelection(std::size_t start, std::size_t length) {
    mCursor = std::min(start, mCurPattern.size());
    mSelectionLength = std::min(length, mCurPattern.size() - mCursor);
}

void VMCDynamicNamingDialogV2::insertString(const XStr& text) {
    mCurPattern.erase(mCursor, mSelectionLength);
    mCurPattern.insert(mCursor, text);
    mCursor += text.size();
    mSelectionLength = 0;
    refreshExample();
    changed();
}

const std::vector<MenuItem>& VMCDynamicNamingDialogV2::tagMenu() {
    static const std::vector<MenuItem> menu = {
        {"Artist", "[artist]"},
        {"Album Artist", "[album artist]"},
        {"Album Title", "[album]"},
        {"Composer", "[composer]"},
        {"Conductor", "[conductor]"},
        {"Disc number", "[disc]"},
        {"Disc total", "[disc_total]"},
        {"Band", "[band]"},
        {"Compilation", "[compilation]"},
        {"Genre", "[genre]"},
        {"ISRC", "[isrc]"},
        {"Label", "[label]"},
        {"Mood", "[mood]"},
        {"Style", "[style]"},
        {"Tempo", "[tempo]"},
        {"Title", "[title]"},
        {"Track number", "[track]"},
        {"Track number (unpadded)", "[track_unpad]"},
        {"Total track count", "[track_total]"},
        {"Total track count (unpadded)", "[track_total_unpad]"},
        {"Year", "[year]"},
        {"UPC", "[upc]"},
        {"", ""},
        {"User defined tag", "[tag]tagname[]"},
        {"User defined tags", "[tags]tagname,delimiter[]"},
    };
    return menu;
}

const std::vector<MenuItem>& VMCDynamicNamingDialogV2::propertyMenu() {
    static const std::vector<MenuItem> menu = {
        {"Audio Quality", "[audio_quality]"},
        {"Bitrate", "[bitrate]"},
        {"Bitrate (Kbps)", "[k_bitrate]"},
        {"Bits Per Sample", "[bits_per_sample]"},
        {"Bytes Per Sample", "[bytes_per_sample]"},
        {"Channels", "[channels]"},
        {"Channels -1", "[channels_subone]"},
        {"Encoder", "[encoder]"},
        {"Encoder Extra", "[encoder+]"},
        {"Encoder Extension", "[extension]"},
        {"Frequency", "[frequency]"},
        {"Gapless", "[gapless]"},
        {"ID Tag Type", "[id_tag]"},
        {"Length (seconds)", "[length]"},
        {"Length (mm:ss)", "[length_mmss]"},
        {"Length (hh:mm:ss)", "[length_hhmmss]"},
        {"Protected", "[protected]"},
        {"Now Time", "[time]"},
        {"Now Date", "[date]"},
        {"Now Day of Week", "[day_of_week]"},
        {"Now Year", "[now_year]"},
        {"Source Path", "[origpath]"},
        {"Source Filename", "[origfilename]"},
        {"Disc Unique Number", "[discunique]"},
        {"Track Unique Number", "[unique]"},
        {"CDDB Disc ID", "[cddb_id]"},
    };
    return menu;
}

const std::vector<MenuItem>& VMCDynamicNamingDialogV2::programmableMenu() {
    static const std::vector<MenuItem> menu = makeProgrammableMenu();
    return menu;
}

bool VMCDynamicNamingDialogV2::insertFrom(const std::vector<MenuItem>& menu, std::size_t row) {
    if (row >= menu.size() || menu[row].separator()) {
        return false;
    }
    insertString(menu[row].text);
    return true;
}

bool VMCDynamicNamingDialogV2::onAddTag(std::size_t row) {
    return insertFrom(tagMenu(), row);
}

bool VMCDynamicNamingDialogV2::onAddProperty(std::size_t row) {
    return insertFrom(propertyMenu(), row);
}

bool VMCDynamicNamingDialogV2::onAddProgrammable(std::size_t row) {
    return insertFrom(programmableMenu(), row);
}

std::vector<VMCDynamicNamingDialogV2::Preset> VMCDynamicNamingDialogV2::makeExamples() {
    const std::vector<Preset> written = {
        {"Preserve Source Path and Filename", "[origpath]\\[origfilename]"},
        {"Remove First Two Source Folders",
         "[TRIMFIRSTFOLDER][TRIMFIRSTFOLDER][origpath][][]\\[origfilename]"},
        {"Create Folder with First Character from Artist",
         "[GRAB]1,1,[artist][]\\[artist]\\[album]\\[origfilename]"},
        {"Group artists into 'a-c' 'd-f' folders", "[GROUP]3,[artist][]\\[origfilename]"},
    };
    std::vector<Preset> out;
    for (const Preset& preset : written) {
        out.push_back({preset.label, VMCFileNaming::sanitizeDynamicPattern(preset.pattern)});
    }
    return out;
}

bool VMCDynamicNamingDialogV2::setExampleNaming(std::size_t row) {
    if (row >= mExamples.size()) {
        return false;
    }
    setCurPattern(mExamples[row].pattern, mExamples[row].pattern.size());
    return true;
}

std::vector<VAStringTools::StyledRun> VMCDynamicNamingDialogV2::description() const {
    return VAStringTools::importColorsW(DescribeNamingTemplate(mCurPattern));
}

bool VMCDynamicNamingDialogV2::haveCurrentMeta() const {
    return !mContext.exampleURL.empty() && mContext.exampleMeta != nullptr;
}

void VMCDynamicNamingDialogV2::setExUseCurrentMeta(bool on) {
    mExUseCurrentMeta = on && haveCurrentMeta();
    refreshExample();
    changed();
}

void VMCDynamicNamingDialogV2::setExCompilation(bool on) {
    mExCompilation = on;
    refreshExample();
    changed();
}

void VMCDynamicNamingDialogV2::setExMultiDisc(bool on) {
    mExMultiDisc = on;
    refreshExample();
    changed();
}

NTag VMCDynamicNamingDialogV2::sampleTags() const {
    NTag tags;
    tags.AddElement("artist", XStr("Artist") + U'\r' + "Artist2");
    tags.AddElement("album",
                    mExMultiDisc && mDiscInAlbum ? XStr("Album Title, Disc 1") : "Album Title");
    if (!mExCompilation) {
        tags.AddElement("album artist", "Album Artist");
    }
    tags.AddElement("title", "Title");
    tags.AddElement("genre", "Genre");
    tags.AddElement("year", "2011 08 12");
    tags.AddElement("track", "5/15");
    tags.AddElement("disc", mExMultiDisc ? "2/3" : "1/1");
    tags.AddElement("Composer", XStr("Composer") + U'\r' + "Composer 2");
    for (const char* own : {"Conductor", "Band", "UPC", "Label", "Mood", "Style", "Tempo"}) {
        tags.AddElement(own, own);
    }
    tags.AddElement("ISRC", "CC-XXX-YY-NNNNN");
    if (mExCompilation) {
        tags.AddElement("Compilation", "1");
    }
    tags.AddElement("origdrive", "");
    tags.AddElement("origpath", "Folder1/Folder2/Folder3");
    tags.AddElement("origfilename", "A Filename");
    tags.AddElement("unique", "5754");
    tags.AddElement("length", "125955");
    tags.AddElement("length_mmss", "10.51");
    tags.AddElement("length_hhmmss", "01.25.55");
    const XStr& name = mContext.encoderName;
    const XStr& settings = mContext.encoderSettings;
    tags.AddElement("encoder", name);
    tags.AddElement("encoder+", name + (!name.empty() && !settings.empty() ? " " : "") + settings);
    const XStr extension = shownExtension(mContext.formatExtension);
    tags.AddElement("extension", extension.empty() ? extension : extension.substr(1));
    tags.AddElement("cddb_id", "3DF2700A");
    tags.AddElement("protected", "No");
    tags.AddElement("id_tag", "ID3v2.2");
    tags.AddElement("audio_quality", "Medium (Lossy)");
    tags.AddElement("gapless", "Yes");
    VMCFileNaming::addDateFieldsTo(tags, mClock());
    for (const char* audio : {"frequency", "channels", "channels_subone", "bits_per_sample",
                              "bytes_per_sample", "bitrate", "k_bitrate"}) {
        tags.AddElement(audio, kAudioPlaceholder);
    }
    return tags;
}

void VMCDynamicNamingDialogV2::refreshExample() {
    // A backslash is saved as the folder separator it stands for.
    const XStr pattern = VMCFileNaming::sanitizeDynamicPattern(mCurPattern);
    NTag tags;
    if (mExUseCurrentMeta && haveCurrentMeta()) {
        // The tags a conversion of the file would name it with.
        VMCFileNaming naming;
        naming.setFileNamingType(VMCFileNaming::kDynamic);
        naming.setDynamicFormat(pattern);
        naming.setEncoderName(mContext.encoderName);
        naming.setEncoderExtra(mContext.encoderSettings);
        tags = naming.namingTags(mContext.exampleURL, mContext.exampleMeta.get());
    } else {
        tags = sampleTags();
    }
    mExample = ExpandNamingTemplate(pattern, tags, true) + shownExtension(mContext.formatExtension);
}

void VMCDynamicNamingDialogV2::setBaseLocation(const XStr& typed) {
    mBaseLocation = typed;
    mBaseLocationURL = fixBaseLocationURL(typed).value_or(XStr());
    changed();
}

void VMCDynamicNamingDialogV2::onSetBaseLocation() {
    XStr start = mBaseLocationURL;
    // The root stands for "the sources' own folders"; nobody means to start there.
    if (start.empty() || start == "/") {
        start = VMCLocationDescriptor::withDefaultFolder().url();
    }
    if (mView != nullptr) {
        mView->runBaseFolderChooser(start);
    }
}

void VMCDynamicNamingDialogV2::baseFolderChosen(const std::optional<XStr>& folder) {
    if (!folder || folder->empty()) {
        return;
    }
    const XStr shown = VMCFriendlyPath::friendlyNameExt(*folder);
    mBaseLocation = shown.empty() ? *folder : shown;
    mBaseLocationURL = *folder;
    changed();
}

void VMCDynamicNamingDialogV2::onBaseLocationToSourceDrive() {
    mBaseLocation = "/";
    mBaseLocationURL = "/";
    changed();
}

std::optional<XStr> VMCDynamicNamingDialogV2::fixBaseLocationURL(const XStr& typed) {
    const XStr text = typed.trimmed();
    if (text.empty()) {
        return std::nullopt;
    }
    const XStr path = VMCFriendlyPath::fileURLFromFriendlyName(text, XStr());
    if (!path.startsWith("/")) {
        return std::nullopt;
    }
    return path;
}

bool VMCDynamicNamingDialogV2::okEnabled() const {
    return !mCurPattern.trimmed().empty() && !mBaseLocationURL.empty();
}

bool VMCDynamicNamingDialogV2::onOK() {
    if (!okEnabled()) {
        return false;
    }
    endDialog(kOK);
    return true;
}

void VMCDynamicNamingDialogV2::onCancel() {
    endDialog(kCancel);
}

void VMCDynamicNamingDialogV2::endDialog(int code) {
    if (mDidEndDialog) {
        return;
    }
    mDidEndDialog = true;
    // The owner may let go of the callback while it runs.
    const std::function<void(int)> onEnd = mOnEnd;
    if (onEnd) {
        onEnd(code);
    }
    if (mView != nullptr) {
        mView->closeDialog(code);
    }
}

void VMCDynamicNamingDialogV2::changed() {
    if (mView != nullptr) {
        mView->namingDialogChanged();
    }
}
