#include "VMCBatchFileListDialog.h"

#include <algorithm>

#include "VAProbeCache.h"
#include "VAStringTools.h"
#include "XClock.h"
#include "XMainThread.h"
#include "clAsyncReadFile.h"
#include "clFolderLister.h"

std::shared_ptr<VMCBatchFileListDialog> VMCBatchFileListDialog::create(
    std::vector<FilePtr> files, std::weak_ptr<VMCBatchConvertHost> host,
    std::shared_ptr<VMCUserDefaults> defaults) {
    std::shared_ptr<VMCBatchFileListDialog> dialog(
        new VMCBatchFileListDialog(std::move(host), std::move(defaults)));
    dialog->setFiles(std::move(files));
    return dialog;
}

VMCBatchFileListDialog::VMCBatchFileListDialog(std::weak_ptr<VMCBatchConvertHost> host,
                                               std::shared_ptr<VMCUserDefaults> defaults)
    : mHost(std::move(host)),
      mColumns(std::make_unique<VMCTableColumns>(std::weak_ptr<VMCTableColumnsTable>(), true,
                                                 kSaveName, std::move(defaults))) {}

VMCBatchFileListDialog::~VMCBatchFileListDialog() {
    stopReader();
}

void VMCBatchFileListDialog::stopReader() {
    mKS.reset();
    if (mReader.joinable()) {
        mReader.join();
    }
}

void VMCBatchFileListDialog::setFiles(std::vector<FilePtr> files) {
    stopReader();
    mKS = std::make_unique<KillSwitchHolder>();
    mFiles = std::move(files);
    mFileIndexMap.reset();
    std::vector<FilePtr> list = mFiles;
    mReader = std::thread([list = std::move(list), ks = mKS->current(), weak = weak_from_this()] {
        const std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared();
        std::vector<Delivery> pending;
        uint32_t last = XClock::nowMs();
        const auto post = [&] {
            XMainThread::post([weak, ks, batch = std::move(pending)] {
                const auto self = weak.lock();
                if (self && !ks->die()) {
                    self->deliverInfo(batch);
                }
            });
            pending.clear();
            last = XClock::nowMs();
        };
        for (const FilePtr& file : list) {
            if (ks->die()) {
                return;
            }
            if (file->info()) {
                continue;
            }
            if (auto info = clAsyncReadFile::readInfo(file->url(), cache)) {
                pending.push_back({file, std::move(info)});
            }
            if (!pending.empty() && XClock::elapsedMs(last) > kDeliveryMs) {
                post();
            }
        }
        if (!pending.empty()) {
            post();
        }
    });
}

std::optional<std::size_t> VMCBatchFileListDialog::rowOf(const XStr& url) {
    if (!mFileIndexMap) {
        mFileIndexMap.emplace();
        for (std::size_t i = 0; i < mFiles.size(); ++i) {
            mFileIndexMap->emplace(mFiles[i]->url(), i);
        }
    }
    const auto it = mFileIndexMap->find(url);
    if (it == mFileIndexMap->end()) {
        return std::nullopt;
    }
    return it->second;
}

void VMCBatchFileListDialog::deliverInfo(const std::vector<Delivery>& batch) {
    std::vector<std::size_t> rows;
    bool anyChecked = false;
    for (const Delivery& d : batch) {
        d.file->refreshWithURL(d.file->url(), d.file->formatName(), d.info);
        if (const std::optional<std::size_t> row = rowOf(d.file->url())) {
            rows.push_back(*row);
        }
        anyChecked = anyChecked || d.file->checked();
    }
    if (const auto v = mView.lock(); v && !rows.empty()) {
        v->reloadRows(rows);
    }
    if (anyChecked) {
        refreshStatus();
    }
}

XPropertyValue VMCBatchFileListDialog::cellValue(std::size_t row, const XStr& column) const {
    if (row >= mFiles.size()) {
        return {};
    }
    if (column == kCheckboxColumn) {
        return mFiles[row]->checkState();
    }
    return mFiles[row]->attribByName(column);
}

void VMCBatchFileListDialog::afterCheckChange() {
    if (const auto v = mView.lock()) {
        v->reloadAll();
    }
    refreshStatus();
}

void VMCBatchFileListDialog::setChecked(std::size_t row, bool checked) {
    if (row < mFiles.size()) {
        mFiles[row]->setCheckedQuietly(checked);
    }
    refreshStatus();
}

void VMCBatchFileListDialog::checkAll() {
    for (const FilePtr& file : mFiles) {
        file->setCheckedQuietly(true);
    }
    afterCheckChange();
}

void VMCBatchFileListDialog::uncheckAll() {
    for (const FilePtr& file : mFiles) {
        file->setCheckedQuietly(false);
    }
    afterCheckChange();
}

void VMCBatchFileListDialog::invertSelection() {
    for (const FilePtr& file : mFiles) {
        file->setCheckedQuietly(!file->checked());
    }
    afterCheckChange();
}

void VMCBatchFileListDialog::checkOnlySelected(const std::vector<std::size_t>& rows) {
    if (rows.empty()) {
        return;
    }
    for (const FilePtr& file : mFiles) {
        file->setCheckedQuietly(false);
    }
    for (std::size_t row : rows) {
        if (row < mFiles.size()) {
            mFiles[row]->setCheckedQuietly(true);
        }
    }
    afterCheckChange();
}

void VMCBatchFileListDialog::toggleSelected(const std::vector<std::size_t>& rows) {
    if (rows.empty() || rows.front() >= mFiles.size()) {
        return;
    }
    const bool to = !mFiles[rows.front()]->checked();
    for (std::size_t row : rows) {
        if (row < mFiles.size()) {
            mFiles[row]->setCheckedQuietly(to);
        }
    }
    afterCheckChange();
}

XStr VMCBatchFileListDialog::toggleItemTitle(std::size_t selectedRows) {
    return selectedRows > 1 ? "Toggle Selected Items" : "Toggle Selected Item";
}

XStrList VMCBatchFileListDialog::grabURLsForAction(
    std::size_t clickedRow, const std::vector<std::size_t>& selectedRows) const {
    XStrList urls;
    const bool inSelection =
        std::find(selectedRows.begin(), selectedRows.end(), clickedRow) != selectedRows.end();
    if (inSelection) {
        for (std::size_t row : selectedRows) {
            if (row < mFiles.size()) {
                urls.push_back(mFiles[row]->url());
            }
        }
    } else if (clickedRow < mFiles.size()) {
        urls.push_back(mFiles[clickedRow]->url());
    }
    return urls;
}

void VMCBatchFileListDialog::reveal(std::size_t clickedRow,
                                    const std::vector<std::size_t>& selectedRows) {
    const XStrList urls = grabURLsForAction(clickedRow, selectedRows);
    if (const auto v = mView.lock(); v && !urls.empty()) {
        v->revealInFileViewer(urls);
    }
}

void VMCBatchFileListDialog::sortBy(
    const std::vector<VMCTableColumns::SortDescriptor>& descriptors) {
    std::stable_sort(mFiles.begin(), mFiles.end(), [&](const FilePtr& a, const FilePtr& b) {
        for (const VMCTableColumns::SortDescriptor& d : descriptors) {
            const int c =
                clFileListEntry::compareSortValues(a->valueForKey(d.key), b->valueForKey(d.key));
            if (c != 0) {
                return d.ascending ? c < 0 : c > 0;
            }
        }
        return false;
    });
    mFileIndexMap.reset();
    if (const auto v = mView.lock()) {
        v->reloadAll();
    }
}

XStr VMCBatchFileListDialog::statusText() const {
    std::size_t n = 0;
    uint64_t bytes = 0;
    uint64_t lengthMS = 0;
    for (const FilePtr& file : mFiles) {
        if (!file->checked()) {
            continue;
        }
        ++n;
        bytes += static_cast<uint64_t>(file->size());
        if (const auto info = file->info()) {
            lengthMS += info->lengthMS();
        }
    }
    return XStr::format("Converting %zu Files, Source Size: %s, Length: %s", n,
                        VAStringTools::formatFileSize(bytes).utf8().c_str(),
                        VAStringTools::formatDurationLong(lengthMS).utf8().c_str());
}

bool VMCBatchFileListDialog::convertEnabled() const {
    return std::any_of(mFiles.begin(), mFiles.end(),
                       [](const FilePtr& file) { return file->checked(); });
}

void VMCBatchFileListDialog::refreshStatus() {
    if (const auto v = mView.lock()) {
        v->setStatus(statusText(), convertEnabled());
    }
}

void VMCBatchFileListDialog::onButtonOK() {
    stopReader();
    if (const auto host = mHost.lock()) {
        host->onSubDialogDone();
    }
}

void VMCBatchFileListDialog::onButtonConvert() {
    XStrList urls;
    for (const FilePtr& file : mFiles) {
        if (file->checked()) {
            urls.push_back(file->url());
        }
    }
    if (urls.empty()) {
        if (const auto v = mView.lock()) {
            v->showNoFilesSelected();
        }
        return;
    }
    if (const auto host = mHost.lock()) {
        host->preConvertFrom(urls);
    }
}
