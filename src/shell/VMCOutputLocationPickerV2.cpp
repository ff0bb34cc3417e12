#include "VMCOutputLocationPickerV2.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VAStringTools.h"
#include "VMCFriendlyPath.h"
#include "VMCNamingTemplate.h"

namespace {

using Entry = VMCOutputLocationPickerEntry;

Entry fixedEntry(const char* title, Entry::Action action) {
    Entry entry;
    entry.title = title;
    entry.action = action;
    return entry;
}

// A naming as the recent list keeps it: a folder and a template.
VMCFileNaming asTemplate(const VMCFileNaming& naming) {
    VMCFileNaming out = naming;
    out.convertToR16Dynamic();
    return out;
}

XStr plainText(const XStr& styled) {
    XStr out;
    for (const VAStringTools::StyledRun& run : VAStringTools::importColorsW(styled)) {
        out += run.text;
    }
    return out;
}

}  // namespace

VMCOutputLocationPickerV2::VMCOutputLocationPickerV2(bool allowSameFolder, bool allowParentConfig)
    : mAllowSameFolder(allowSameFolder),
      mAllowParentConfig(allowParentConfig),
      mRecent(VMCFileNaming::loadRecentList()) {
    updateCombo();
}

void VMCOutputLocationPickerV2::setFileNaming(const VMCFileNaming& naming) {
    mNaming = naming;
    mPending = Pending::kNone;
    updateCombo();
}

void VMCOutputLocationPickerV2::setEncoder(const std::optional<VAEncoderDesc>& encoder) {
    mEncoder = encoder;
    updateCombo();
}

XStr VMCOutputLocationPickerV2::selectedTitle() const {
    if (mSelected && *mSelected < mEntries.size()) {
        return mEntries[*mSelected].title;
    }
    return mNaming ? describe(*mNaming) : XStr();
}

void VMCOutputLocationPickerV2::onDropdownValueSelected(std::size_t index) {
    if (index >= mEntries.size() || !mEntries[index].enabled) {
        reselectCurrent();
        return;
    }
    const Entry& entry = mEntries[index];
    switch (entry.action) {
        case Entry::Action::kSameFolder: {
            // The folder stays, so that choosing a folder again starts there.
            VMCFileNaming naming = mNaming.value_or(VMCFileNaming());
            naming.setFileNamingType(VMCFileNaming::kSameFolder);
            applyNaming(naming);
            break;
        }
        case Entry::Action::kSingleFolder:
            onSingleFolder();
            break;
        case Entry::Action::kPreservePath:
            onPreserveSourcePath();
            break;
        case Entry::Action::kEditDynamicNaming:
            editDynamicNaming();
            break;
        case Entry::Action::kUseParent:
            applyNaming(VMCFileNaming::namingUseParentConfig());
            break;
        case Entry::Action::kApplyNaming: {
            const VMCFileNaming naming = *entry.naming;
            applyNaming(naming);
            break;
        }
        case Entry::Action::kNone:
            reselectCurrent();
            break;
    }
}

void VMCOutputLocationPickerV2::onSingleFolder() {
    askForFolder(Pending::kSingleFolder);
}

void VMCOutputLocationPickerV2::onPreserveSourcePath() {
    askForFolder(Pending::kPreservePath);
}

void VMCOutputLocationPickerV2::askForFolder(Pending pending) {
    XStr start = mNaming ? mNaming->destination().url() : XStr();
    // The root stands for "the sources' own folders"; nobody means to start there.
    if (start.empty() || start == "/") {
        start = VMCLocationDescriptor::withDefaultFolder().url();
    }
    mPending = pending;
    if (mView != nullptr) {
        mView->runFolderChooser(start, pending == Pending::kSingleFolder
                                           ? "Choose the Destination Folder"
                                           : "Choose the Folder for the Source Paths");
    }
}

void VMCOutputLocationPickerV2::editDynamicNaming() {
    const VMCFileNaming current = asTemplate(mNaming.value_or(VMCFileNaming()));
    DynamicNamingRequest request;
    request.curPattern = current.dynamicFormat();
    request.baseLocationURL = current.destination().url();
    request.baseLocation = VMCFriendlyPath::friendlyNameExt(request.baseLocationURL);
    if (request.baseLocation.empty() && !request.baseLocationURL.empty()) {
        request.baseLocation = request.baseLocationURL;
    }
    request.context = mContext;
    mPending = Pending::kDynamicNaming;
    if (mView != nullptr) {
        mView->runDynamicNamingDialog(request);
    }
}

void VMCOutputLocationPickerV2::folderChosen(const std::optional<XStr>& folder) {
    const Pending pending = mPending;
    mPending = Pending::kNone;
    if (!folder || folder->empty() ||
        (pending != Pending::kSingleFolder && pending != Pending::kPreservePath)) {
        reselectCurrent();
        return;
    }
    applyNaming(pending == Pending::kSingleFolder ? VMCFileNaming::namingSingleFolder(*folder)
                                                  : VMCFileNaming::namingPreservePath(*folder));
}

std::optional<XStr> VMCOutputLocationPickerV2::fixBaseLocationURL(const XStr& typed) {
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

void VMCOutputLocationPickerV2::dynamicNamingDone(bool ok, const XStr& pattern,
                                                  const XStr& baseLocation) {
    const Pending pending = mPending;
    mPending = Pending::kNone;
    const XStr templ = VMCFileNaming::sanitizeDynamicPattern(pattern.trimmed());
    const std::optional<XStr> folder = fixBaseLocationURL(baseLocation);
    if (!ok || pending != Pending::kDynamicNaming || templ.empty() || !folder) {
        reselectCurrent();
        return;
    }
    VMCFileNaming naming = mNaming.value_or(VMCFileNaming());
    naming.setFileNamingType(VMCFileNaming::kDynamic);
    naming.setDynamicFormat(templ);
    naming.setDestination(VMCLocationDescriptor::withURL(*folder));
    applyNaming(naming);
}

void VMCOutputLocationPickerV2::applyNaming(const VMCFileNaming& naming) {
    mNaming = naming;
    if (mOnChanged) {
        mOnChanged();
    }
    updateCombo();
}

void VMCOutputLocationPickerV2::reselectCurrent() {
    mSelected = rowOfCurrent();
    notifyView();
}

void VMCOutputLocationPickerV2::updateCombo() {
    mEntries.clear();
    if (mEncoder && mEncoder->disableConvertToFolder) {
        Entry note = fixedEntry(kNotRequired, Entry::Action::kNone);
        note.enabled = false;
        mEntries.push_back(note);
        mSelected = 0;
        notifyView();
        return;
    }
    if (mAllowSameFolder) {
        mEntries.push_back(fixedEntry(kSameFolder, Entry::Action::kSameFolder));
    }
    mEntries.push_back(fixedEntry(kSingleFolder, Entry::Action::kSingleFolder));
    mEntries.push_back(fixedEntry(kPreservePath, Entry::Action::kPreservePath));
    mEntries.push_back(fixedEntry(kEditDynamicNaming, Entry::Action::kEditDynamicNaming));
    if (mAllowParentConfig) {
        mEntries.push_back(fixedEntry(kUseParent, Entry::Action::kUseParent));
    }
    // The current destination is a row of its own until it joins the recent ones.
    std::vector<VMCFileNaming> shown;
    if (mNaming && !mNaming->isSameFolder() && !mNaming->isUseParentConfig() &&
        mNaming->destination().hasURL() &&
        std::none_of(mRecent.begin(), mRecent.end(),
                     [this](const VMCFileNaming& r) { return namingEquals(r, *mNaming); })) {
        shown.push_back(*mNaming);
    }
    shown.insert(shown.end(), mRecent.begin(), mRecent.end());
    if (!shown.empty()) {
        mEntries.push_back(Entry::makeSeparator());
    }
    for (const VMCFileNaming& naming : shown) {
        Entry entry = fixedEntry("", Entry::Action::kApplyNaming);
        entry.title = describe(naming);
        entry.naming = naming;
        mEntries.push_back(std::move(entry));
    }
    mSelected = rowOfCurrent();
    notifyView();
}

std::optional<std::size_t> VMCOutputLocationPickerV2::rowOfCurrent() const {
    if (mEntries.size() == 1 && !mEntries[0].enabled) {
        return 0;
    }
    if (!mNaming) {
        return std::nullopt;
    }
    const Entry::Action fixed = mNaming->isUseParentConfig() ? Entry::Action::kUseParent
                                : mNaming->isSameFolder()    ? Entry::Action::kSameFolder
                                                             : Entry::Action::kNone;
    for (std::size_t i = 0; i < mEntries.size(); ++i) {
        const Entry& entry = mEntries[i];
        if (fixed != Entry::Action::kNone ? entry.action == fixed
                                          : entry.naming && namingEquals(*entry.naming, *mNaming)) {
            return i;
        }
    }
    return std::nullopt;
}

void VMCOutputLocationPickerV2::saveToRecentList() {
    if (!mNaming || mNaming->isSameFolder() || mNaming->isUseParentConfig()) {
        return;
    }
    const VMCFileNaming current = asTemplate(*mNaming);
    std::vector<VMCFileNaming> list = VMCFileNaming::loadRecentList();
    std::erase_if(list, [&current](const VMCFileNaming& r) { return namingEquals(r, current); });
    list.insert(list.begin(), current);
    VMCFileNaming::saveRecentList(list);
    mRecent = VMCFileNaming::loadRecentList();
    updateCombo();
}

bool VMCOutputLocationPickerV2::namingEquals(const VMCFileNaming& a, const VMCFileNaming& b) {
    return a.fileNamingType() == b.fileNamingType() && a.dynamicFormat() == b.dynamicFormat() &&
           a.destination().isEqualTo(b.destination());
}

XStr VMCOutputLocationPickerV2::describe(const VMCFileNaming& naming) {
    const VMCFileNaming shown = asTemplate(naming);
    const XStr& path = shown.destination().url();
    XStr folder = path.empty() ? XStr() : VMCFriendlyPath::friendlyNameExt(path);
    if (folder.empty() && !path.empty()) {
        folder = "/";
    }
    folder = VADisplayText::escaped(folder);
    // The template is described on its own: brackets in a folder's name are no elements.
    const XStr templ =
        VADisplayText::escaped(plainText(DescribeNamingTemplate(shown.dynamicFormat())));
    if (folder.empty()) {
        return templ;
    }
    return folder.endsWith("/") ? folder + templ : folder + "/" + templ;
}

void VMCOutputLocationPickerV2::notifyView() const {
    if (mView != nullptr) {
        mView->locationPickerChanged();
    }
}
