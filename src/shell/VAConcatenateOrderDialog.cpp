#include "VAConcatenateOrderDialog.h"

#include "VAConvertSourceConcat.h"
#include "VADisplayText.h"
#include "VADurationFormat.h"
#include "VAMediaFileInfo.h"
#include "VMCFriendlyPath.h"
#include "VMCPanelHost.h"
#include "XPath.h"

std::shared_ptr<VAConcatenateOrderDialog> VAConcatenateOrderDialog::create(
    VMCPanelHost& host, XStrList files, std::shared_ptr<VMCPanel> returnTo) {
    std::shared_ptr<VAConcatenateOrderDialog> panel(
        new VAConcatenateOrderDialog(host, std::move(files), std::move(returnTo)));
    panel->probe(panel->mFiles);
    return panel;
}

VAConcatenateOrderDialog::VAConcatenateOrderDialog(VMCPanelHost& host, XStrList files,
                                                   std::shared_ptr<VMCPanel> returnTo)
    : mHost(host), mFiles(std::move(files)), mReturnTo(std::move(returnTo)) {}

VAConcatenateOrderDialog::~VAConcatenateOrderDialog() = default;

void VAConcatenateOrderDialog::probe(const XStrList& paths) {
    if (paths.empty()) {
        return;
    }
    mCaches.push_back(VAFileInfoCache::initForURLs(paths));
    mCaches.back()->addCallback(shared_from_this());
}

void VAConcatenateOrderDialog::onInfosLoaded(std::size_t /*countLoaded*/) {
    for (const std::unique_ptr<VAFileInfoCache>& cache : mCaches) {
        for (std::size_t i = 0; i < cache->countLoaded(); ++i) {
            if (const auto info = cache->mediaInfoForIndex(i)) {
                mLengths[cache->urlForIndex(i)] = info->lengthMS();
            }
        }
    }
    changed();
}

std::optional<uint64_t> VAConcatenateOrderDialog::lengthOf(const XStr& path) const {
    const auto found = mLengths.find(path);
    return found == mLengths.end() ? std::nullopt : std::optional<uint64_t>(found->second);
}

XStr VAConcatenateOrderDialog::fileName(std::size_t index) const {
    return index < mFiles.size() ? VADisplayText::escaped(XPath::fileName(mFiles[index])) : XStr();
}

XStr VAConcatenateOrderDialog::folderName(std::size_t index) const {
    if (index >= mFiles.size()) {
        return {};
    }
    const XStr folder = XPath::folderOf(mFiles[index]);
    const XStr shown = VMCFriendlyPath::friendlyNameExt(folder);
    return VADisplayText::escaped(shown.empty() ? folder : shown);
}

XStr VAConcatenateOrderDialog::lengthText(std::size_t index) const {
    const std::optional<uint64_t> length =
        index < mFiles.size() ? lengthOf(mFiles[index]) : std::nullopt;
    if (!length) {
        return {};
    }
    return *length == 0 ? XStr("unknown") : VADurationFormat::clock(*length);
}

XStr VAConcatenateOrderDialog::totalText() const {
    uint64_t total = 0;
    bool complete = true;
    for (const XStr& path : mFiles) {
        const std::optional<uint64_t> length = lengthOf(path);
        complete = complete && length && *length > 0;
        total += length.value_or(0);
    }
    if (total == 0) {
        return {};
    }
    return XStr(complete ? "Total length: " : "Total length: at least ") +
           VADurationFormat::clock(total);
}

XStr VAConcatenateOrderDialog::statusText() const {
    return proceedEnabled() ? XStr(kHint) : XStr(kTooFew);
}

bool VAConcatenateOrderDialog::moveFile(std::size_t from, std::size_t to) {
    if (from >= mFiles.size() || to >= mFiles.size() || from == to) {
        return false;
    }
    XStr moved = mFiles[from];
    mFiles.erase(mFiles.begin() + static_cast<std::ptrdiff_t>(from));
    mFiles.insert(mFiles.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    changed();
    return true;
}

bool VAConcatenateOrderDialog::removeFile(std::size_t index) {
    if (index >= mFiles.size()) {
        return false;
    }
    mFiles.erase(mFiles.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
    return true;
}

void VAConcatenateOrderDialog::addFiles(const XStrList& paths) {
    XStrList added;
    for (const XStr& path : paths) {
        if (!path.empty()) {
            added.push_back(path);
        }
    }
    if (added.empty()) {
        return;
    }
    mFiles.insert(mFiles.end(), added.begin(), added.end());
    probe(added);
    changed();
}

void VAConcatenateOrderDialog::onProceed() {
    if (!proceedEnabled()) {
        return;
    }
    auto joined = std::make_shared<VAConvertSourceConcat>();
    joined->setConcatURLs(mFiles);
    // Cancelling the converter's panel comes back here, to change the order.
    mHost.preConvertFrom({joined}, shared_from_this());
}

void VAConcatenateOrderDialog::onBack() {
    if (mReturnTo) {
        mHost.showPanel(mReturnTo);
    } else {
        mHost.returnToRoot();
    }
}

void VAConcatenateOrderDialog::changed() {
    if (mView != nullptr) {
        mView->filesChanged();
    }
}
