#include "VMCFileListDialog.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VAStringTools.h"
#include "VMCFileAlreadyExistsDialog.h"
#include "VMCFriendlyPath.h"
#include "VMCPanelHost.h"
#include "VMCPreConvertDialog.h"
#include "XPath.h"

VMCFileListDialog::VMCFileListDialog(std::shared_ptr<VMCPreConvertDialog> owner, VMCPanelHost& host)
    : mOwner(std::move(owner)), mHost(host), mClock([] { return std::time(nullptr); }) {}

// The cache holds its listeners weakly, and the host may be going too: nothing to tell.
VMCFileListDialog::~VMCFileListDialog() = default;

void VMCFileListDialog::refreshDialog() {
    const VMCConfig& config = mOwner->config();
    mEncoder = config.activeEncoder();
    mEncoderInstance = mEncoder && mEncoder->outputsFiles ? mEncoder->instantiate() : nullptr;
    const VMCConfig::ProfilePtr profile = config.activeProfile();
    mNaming = profile ? std::optional<VMCFileNaming>(profile->fileNaming()) : std::nullopt;
    mEdits.clear();
    mEstimatedSizes.clear();
    refreshEstimatedSize();
}

void VMCFileListDialog::oneTimeInit() {
    if (mInitialised) {
        return;
    }
    mInitialised = true;
    if (VAFileInfoCache* cache = mHost.fileInfoCache()) {
        cache->addCallback(shared_from_this());
        mListening = true;
        mShownLoaded = cache->countLoaded();
    }
    refreshTotals();
}

std::size_t VMCFileListDialog::rowCount() const {
    return mHost.entries().size();
}

XStr VMCFileListDialog::columnTitle(Column column) {
    switch (column) {
        case kColumnChecked:
            return {};
        case kColumnSource:
            return "Source";
        case kColumnDestination:
            return "Destination";
        case kColumnDuration:
            return "Duration";
        case kColumnSourceType:
            return "Source Type";
        case kColumnEstimatedSize:
            return "Estimated Size";
        case kColumnCount:
            break;
    }
    return {};
}

XStr VMCFileListDialog::cellText(std::size_t row, Column column) const {
    if (row >= rowCount()) {
        return {};
    }
    const VMCPreConvertEntry& entry = mHost.entries()[row];
    const VAFileInfoCache* cache = mHost.fileInfoCache();
    const std::shared_ptr<const VAMediaFileInfo> info =
        cache != nullptr ? cache->mediaInfoForIndex(row) : nullptr;
    switch (column) {
        case kColumnChecked:
            return {};
        case kColumnSource: {
            // With its extension: two sources may differ in nothing else.
            XStr name = VADisplayText::escaped(VMCFriendlyPath::friendlyNameExt(entry.namingURL()));
            if (entry.source && entry.source->specialActionDesc) {
                name += " [" + VADisplayText::escaped(*entry.source->specialActionDesc) + "]";
            }
            return name;
        }
        case kColumnDestination:
            return VADisplayText::escaped(destinationUserAt(row));
        case kColumnDuration:
            return info && info->lengthMS() > 0 ? VAStringTools::formatDuration(info->lengthMS())
                                                : XStr(kNotAvailable);
        case kColumnSourceType: {
            if (!info) {
                return kNotAvailable;
            }
            if (!info->formatName().empty()) {
                return VADisplayText::escaped(info->formatName());
            }
            // The probe names no container: the kind of file its name says, as file
            // managers show it.
            const XStr extension = XPath::extension(entry.namingURL());
            return extension.size() < 2 ? XStr(kNotAvailable)
                                        : VADisplayText::escaped(extension.substr(1).upperASCII());
        }
        case kColumnEstimatedSize:
            return row < mEstimatedSizes.size() && mEstimatedSizes[row] > 0
                       ? VAStringTools::formatFileSize(static_cast<uint64_t>(mEstimatedSizes[row]))
                       : XStr(kNotAvailable);
        case kColumnCount:
            break;
    }
    return {};
}

VMCFileListEdit VMCFileListDialog::getEditDataAt(std::size_t row) const {
    const auto found = mEdits.find(row);
    if (found != mEdits.end()) {
        return found->second;
    }
    if (row >= rowCount()) {
        return {};
    }
    const VMCPreConvertEntry& entry = mHost.entries()[row];
    return {entry.checked, entry.destinationUser};
}

VMCFileListEdit& VMCFileListDialog::editItemAt(std::size_t row) {
    const auto found = mEdits.find(row);
    if (found != mEdits.end()) {
        return found->second;
    }
    return mEdits.emplace(row, getEditDataAt(row)).first->second;
}

bool VMCFileListDialog::checkedAt(std::size_t row) const {
    return getEditDataAt(row).checked;
}

void VMCFileListDialog::setCheckedAt(std::size_t row, bool on) {
    if (row >= rowCount() || checkedAt(row) == on) {
        return;
    }
    editItemAt(row).checked = on;
    afterCheckChange();
}

XStr VMCFileListDialog::destinationUserAt(std::size_t row) const {
    if (!destinationEditable()) {
        return XStr("< %@ >").replaced("%@", mEncoder ? mEncoder->name : XStr());
    }
    if (row >= rowCount()) {
        return {};
    }
    const VMCFileListEdit edit = getEditDataAt(row);
    if (edit.destinationUser) {
        return *edit.destinationUser;
    }
    if (!mNaming) {
        return {};
    }
    const VAFileInfoCache* cache = mHost.fileInfoCache();
    const std::shared_ptr<const VAMediaFileInfo> info =
        cache != nullptr ? cache->mediaInfoForIndex(row) : nullptr;
    XStr name =
        mNaming->userStringFor(mHost.entries()[row].namingURL(), info.get()).value_or(XStr());
    // The source's folder and its name meet with one "/" too many; the path made from the
    // name has one.
    while (name.contains(XStr("//"))) {
        name = name.replaced("//", "/");
    }
    return name;
}

void VMCFileListDialog::setDestinationUserAt(std::size_t row, const XStr& name) {
    if (!destinationEditable() || row >= rowCount() || name == destinationUserAt(row)) {
        return;
    }
    // An emptied name gives the row back to the naming.
    editItemAt(row).destinationUser =
        name.trimmed().empty() ? std::nullopt : std::optional<XStr>(name);
    rowsChanged(row, row);
}

void VMCFileListDialog::toggleAll(bool on) {
    for (std::size_t row = 0; row < rowCount(); ++row) {
        editItemAt(row).checked = on;
    }
    afterCheckChange();
}

void VMCFileListDialog::onInvertCheck() {
    for (std::size_t row = 0; row < rowCount(); ++row) {
        VMCFileListEdit& edit = editItemAt(row);
        edit.checked = !edit.checked;
    }
    afterCheckChange();
}

bool VMCFileListDialog::onCheckOnlySelected(const std::vector<std::size_t>& selected) {
    bool changed = false;
    for (std::size_t row = 0; row < rowCount(); ++row) {
        const bool wanted = std::find(selected.begin(), selected.end(), row) != selected.end();
        if (checkedAt(row) != wanted) {
            editItemAt(row).checked = wanted;
            changed = true;
        }
    }
    if (changed) {
        afterCheckChange();
    }
    return changed;
}

void VMCFileListDialog::onToggleSelected(const std::vector<std::size_t>& selected) {
    if (selected.empty() || selected.front() >= rowCount()) {
        return;
    }
    const bool wanted = !checkedAt(selected.front());
    for (const std::size_t row : selected) {
        if (row < rowCount()) {
            editItemAt(row).checked = wanted;
        }
    }
    afterCheckChange();
}

void VMCFileListDialog::onMenuAppendDateTime() {
    appendToAll(VMCFileAlreadyExistsDialog::dateSuffix(mClock()));
}

void VMCFileListDialog::appendToAll(const XStr& suffix) {
    if (!destinationEditable() || rowCount() == 0) {
        return;
    }
    for (std::size_t row = 0; row < rowCount(); ++row) {
        editItemAt(row).destinationUser = destinationUserAt(row) + suffix;
    }
    rowsChanged(0, rowCount() - 1);
}

void VMCFileListDialog::onRevealSources(const std::vector<std::size_t>& selected) {
    XStrList paths;
    for (const std::size_t row : selected) {
        if (row < rowCount()) {
            paths.push_back(mHost.entries()[row].namingURL());
        }
    }
    if (!paths.empty() && mView != nullptr) {
        mView->revealFiles(paths);
    }
}

XStr VMCFileListDialog::toggleSelectedTitle(std::size_t selectedCount) {
    return selectedCount == 1 ? "Toggle Selected Item" : "Toggle Selected Items";
}

XStr VMCFileListDialog::revealTitle(std::size_t selectedCount) {
    // The file viewer of the desktop, whichever it is.
    return selectedCount == 1 ? "Reveal Source File in File Manager"
                              : "Reveal Source Files in File Manager";
}

XStr VMCFileListDialog::totalsText() const {
    std::size_t checked = 0;
    for (std::size_t row = 0; row < rowCount(); ++row) {
        checked += checkedAt(row) ? 1 : 0;
    }
    const VMCConfig::ProfilePtr profile = mOwner->config().activeProfile();
    return XStr::format("Converting %zu %s to ", checked, checked == 1 ? "File" : "Files") +
           (profile ? profile->encoderName() : XStr());
}

XStr VMCFileListDialog::estimatedTotalText() const {
    uint64_t total = 0;
    for (std::size_t row = 0; row < rowCount() && row < mEstimatedSizes.size(); ++row) {
        if (!checkedAt(row)) {
            continue;
        }
        if (mEstimatedSizes[row] <= 0) {
            return {};
        }
        total += static_cast<uint64_t>(mEstimatedSizes[row]);
    }
    return total == 0 ? XStr() : "Estimated Total: " + VAStringTools::formatFileSize(total);
}

void VMCFileListDialog::refreshEstimatedSize() {
    const VAFileInfoCache* cache = mHost.fileInfoCache();
    if (!mEncoderInstance || cache == nullptr) {
        return;
    }
    const VMCConfig::ProfilePtr profile = mOwner->config().activeProfile();
    const VAEncoderArgs args = profile ? profile->encoderArgsV2() : VAEncoderArgs();
    const std::size_t loaded = std::min(cache->countLoaded(), rowCount());
    while (mEstimatedSizes.size() < loaded) {
        const VMCPreConvertEntry& entry = mHost.entries()[mEstimatedSizes.size()];
        mEstimatedSizes.push_back(
            entry.source ? mEncoderInstance->estimateOutputSizeFor(*entry.source, args) : 0);
    }
    if (cache->allLoaded()) {
        mEncoderInstance.reset();
    }
}

void VMCFileListDialog::onInfosLoaded(std::size_t countLoaded) {
    refreshEstimatedSize();
    const std::size_t loaded = std::min(countLoaded, rowCount());
    if (loaded > mShownLoaded) {
        // Every cell of those rows: a name made from tags appears with them.
        rowsChanged(mShownLoaded, loaded - 1);
        mShownLoaded = loaded;
    }
    refreshTotals();
}

void VMCFileListDialog::afterCheckChange() {
    if (rowCount() > 0) {
        rowsChanged(0, rowCount() - 1);
    }
    refreshTotals();
}

void VMCFileListDialog::refreshTotals() {
    if (mView != nullptr) {
        mView->totalsChanged();
    }
}

void VMCFileListDialog::rowsChanged(std::size_t first, std::size_t last) {
    if (mView != nullptr) {
        mView->rowsChanged(first, last);
    }
}

void VMCFileListDialog::applyEdits() {
    std::vector<VMCPreConvertEntry>& entries = mHost.entries();
    const bool names = destinationEditable();
    for (const auto& [row, edit] : mEdits) {
        if (row >= entries.size()) {
            continue;
        }
        entries[row].checked = edit.checked;
        if (names) {
            entries[row].destinationUser = edit.destinationUser;
        }
    }
}

void VMCFileListDialog::onOK() {
    // Showing the setup panel again lets go of this one.
    const std::shared_ptr<VMCFileListDialog> self = shared_from_this();
    applyEdits();
    mOwner->fileListDialogApply();
    mOwner->onSubDialogClose();
}

void VMCFileListDialog::onCancel() {
    const std::shared_ptr<VMCFileListDialog> self = shared_from_this();
    mOwner->onSubDialogClose();
}

void VMCFileListDialog::panelWillClose() {
    if (mListening && mHost.fileInfoCache() != nullptr) {
        mHost.fileInfoCache()->removeCallback(this);
    }
    mListening = false;
}
