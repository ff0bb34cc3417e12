// The loading half of clFolderListEntry: listing, building subfolders, scanning files and
// reading their information, in the background or, for a collection, on the spot.
#include <algorithm>
#include <set>

#include "XMainThread.h"
#include "clFolderListEntry.h"

namespace {

clFolderLister::FileWanted mediaFiles(const std::shared_ptr<const VAMediaFormatFilter>& formats) {
    return [formats](const XStr& name) { return formats->isMediaFile(name); };
}

}  // namespace

void clFolderListEntry::wantFolders() {
    if (!mWantFolders.exchange(true)) {
        beginLoadFolders();
    }
}

void clFolderListEntry::wantFiles() {
    wantFolders();
    if (!mWantFiles.exchange(true)) {
        beginLoadFiles();
    }
}

void clFolderListEntry::beginRefresh() {
    mWantFolders = true;
    mRefreshing = true;
    beginLoadFolders();
}

void clFolderListEntry::getFoldersSynchronously() {
    mWantFolders = true;
    mLoaderKS.renew();
    const clFolderListing listing = clFolderLister::list(mURL, mediaFiles(mGlobals->formats()));
    onListed(listing);
    mWantFiles = true;
    beginLoadFiles();
}

void clFolderListEntry::beginLoadFolders() {
    const KillSwitchPtr ks = mLoaderKS.renew();
    mListing = true;
    mGlobals->queue().post(
        [weak = weak_from_this(), url = mURL, formats = mGlobals->formats(), ks] {
            if (ks->die()) {
                return;
            }
            auto listing =
                std::make_shared<clFolderListing>(clFolderLister::list(url, mediaFiles(formats)));
            XMainThread::post([weak, ks, listing] {
                const Ptr self = weak.lock();
                if (self && self->mLoaderKS.isCurrent(ks)) {
                    self->onListed(*listing);
                }
            });
        });
}

void clFolderListEntry::onListed(const clFolderListing& listing) {
    mListing = false;
    const bool refreshing = mRefreshing;
    mRefreshing = false;
    if (!listing.ok) {
        // The previous lists stay.
        reportAccessError(listing.error);
        return;
    }
    makeFolders(listing.items);
    if (refreshing) {
        if (mWantFiles) {
            mRefreshing = true;
            beginLoadFiles();
        } else {
            postRefresh();
        }
    }
}

void clFolderListEntry::reportAccessError(const XStr& error) {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mAccessError = error;
    }
    mGlobals->tellOwner([self = shared_from_this(), error](clFolderListOwner& owner) {
        owner.folderAccessError(self, error);
    });
}

void clFolderListEntry::makeFolders(const std::vector<clFolderItem>& items) {
    clFoldersAddRemove change;
    std::vector<Ptr> added;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mAccessError.clear();
        mAllContent = items;
        std::set<XStr> present;
        for (const clFolderItem& item : items) {
            if (item.isDirectory && !item.isPackage) {
                present.insert(item.url);
            }
        }
        change.numFoldersBefore = mFolders.size();
        std::vector<Ptr> kept;
        std::set<XStr> known;
        for (std::size_t i = 0; i < mFolders.size(); ++i) {
            if (present.contains(mFolders[i]->url())) {
                kept.push_back(mFolders[i]);
                known.insert(mFolders[i]->url());
            } else {
                change.foldersRemoved.push_back(i);
            }
        }
        const int born = checkState() == kRecursive ? kRecursive : kUnchecked;
        for (const clFolderItem& item : items) {
            if (item.isDirectory && !item.isPackage && !known.contains(item.url)) {
                auto entry =
                    std::make_shared<clFolderListEntry>(item.url, mGlobals, weak_from_this());
                entry->setCheckStateQuietly(born);
                added.push_back(std::move(entry));
            }
        }
        std::stable_sort(added.begin(), added.end(),
                         [](const Ptr& a, const Ptr& b) { return a->compare(*b) < 0; });
        change.foldersAddedFirst = kept.size();
        change.foldersAddedCount = added.size();
        change.foldersToRefresh = kept;
        kept.insert(kept.end(), added.begin(), added.end());
        mFolders = std::move(kept);
        mFoldersBuilt = true;
    }
    if (const std::shared_ptr<const XPropertyDictionary> selection = mGlobals->selection()) {
        for (const Ptr& entry : added) {
            entry->applySelectionData(*selection);
        }
    }
    mGlobals->tellOwner([self = shared_from_this(), change](clFolderListOwner& owner) {
        owner.folderAddRemoveFolders(self, change);
    });
}

std::unordered_map<XStr, clAsyncReadFile> clFolderListEntry::scanHints() const {
    std::unordered_map<XStr, clAsyncReadFile> hints;
    const std::lock_guard<std::mutex> lock(mMutex);
    for (const clAsyncReadFile& record : mFilesIntermediate) {
        hints.emplace(record.URL, record);
    }
    return hints;
}

std::vector<clAsyncReadFile> clFolderListEntry::scanFiles(
    const std::vector<clFolderItem>& items, bool needInfo,
    const std::unordered_map<XStr, clAsyncReadFile>& hints,
    const std::shared_ptr<VAProbeCache>& cache, const KillSwitch* ks) {
    std::vector<clAsyncReadFile> records;
    for (const clFolderItem& item : items) {
        if (ks != nullptr && ks->die()) {
            break;
        }
        if (!item.isFile) {
            continue;
        }
        const auto hint = hints.find(item.url);
        if (hint != hints.end() && hint->second.lastModified == item.modifiedNs &&
            (!needInfo || hint->second.info)) {
            records.push_back(hint->second);
            records.back().size = item.size;
            continue;
        }
        clAsyncReadFile record;
        record.URL = item.url;
        record.size = item.size;
        record.lastModified = item.modifiedNs;
        if (needInfo) {
            record.info = clAsyncReadFile::readInfo(item.url, cache, item.size, item.modifiedNs);
            if (!record.info) {
                continue;
            }
        }
        records.push_back(std::move(record));
    }
    return records;
}

void clFolderListEntry::beginLoadFiles() {
    const KillSwitchPtr ks = mFilesKS.renew();
    mScanning = true;
    const bool needInfo = mGlobals->fileFilter()->needsProbe();
    mGlobals->queue().post([weak = weak_from_this(), url = mURL, formats = mGlobals->formats(),
                            cache = mGlobals->probeCache(), hints = scanHints(), needInfo, ks] {
        if (ks->die()) {
            return;
        }
        const clFolderListing listing = clFolderLister::list(url, mediaFiles(formats));
        auto records = std::make_shared<std::vector<clAsyncReadFile>>(
            scanFiles(listing.items, needInfo, hints, cache, ks.get()));
        XMainThread::post([weak, ks, records] {
            const Ptr self = weak.lock();
            if (self && self->mFilesKS.isCurrent(ks)) {
                self->onScanned(std::move(*records));
            }
        });
    });
}

void clFolderListEntry::onScanned(std::vector<clAsyncReadFile> records) {
    mScanning = false;
    takeScan(std::move(records));
    mGlobals->tellOwner([self = shared_from_this()](clFolderListOwner& owner) {
        owner.folderFilesListReady(self);
    });
    if (mRefreshing) {
        mRefreshing = false;
        postRefresh();
    }
    beginLoadFileInfo();
}

void clFolderListEntry::takeScan(std::vector<clAsyncReadFile> records) {
    bool hadInfo = !records.empty();
    for (const clAsyncReadFile& record : records) {
        hadInfo = hadInfo && record.info != nullptr;
    }
    const std::vector<FilePtr> old = files();
    std::vector<FilePtr> rebuilt = filterFileList(records, old);
    const std::lock_guard<std::mutex> lock(mMutex);
    mFilesIntermediate = std::move(records);
    mScanHadInfo = hadInfo;
    mFiles = std::move(rebuilt);
    mFilesBuilt = true;
}

std::vector<clFolderListEntry::FilePtr> clFolderListEntry::filterFileList(
    const std::vector<clAsyncReadFile>& records, const std::vector<FilePtr>& old) {
    std::unordered_map<XStr, FilePtr> byURL;
    for (const FilePtr& file : old) {
        byURL.emplace(file->url(), file);
    }
    const std::shared_ptr<const VAMediaFormatFilter> formats = mGlobals->formats();
    const std::shared_ptr<const VMCFileFilter> filter = mGlobals->fileFilter();
    const std::shared_ptr<const XPropertyDictionary> selection = mGlobals->selection();
    const int state = checkState();
    const uint64_t now = VAMediaFileInfo::fileTimeNow();
    std::vector<FilePtr> list;
    list.reserve(records.size());
    for (const clAsyncReadFile& record : records) {
        const std::optional<XStr> format = formats->fileTypeOf(record.URL);
        if (!format) {
            continue;
        }
        if (!filter->testURL(record.URL, record.info.get(),
                             clAsyncReadFile::fileTimeOf(record.lastModified), now)) {
            continue;
        }
        FilePtr entry;
        if (auto it = byURL.find(record.URL); it != byURL.end()) {
            entry = it->second;
            std::shared_ptr<const VAMediaFileInfo> info = record.info;
            // Information read since the scan stays while the file is unchanged.
            if (!info && entry->lastModified() == record.lastModified) {
                info = entry->info();
            }
            entry->setSizeAndTime(record.size, record.lastModified);
            entry->refreshWithURL(record.URL, *format, std::move(info));
        } else {
            entry = std::make_shared<clFileListEntry>(record.URL, weak_from_this(), record.size,
                                                      record.lastModified);
            entry->refreshWithURL(record.URL, *format, record.info);
            entry->setCheckedQuietly(state == kRecursive || state == kNonRecursive ||
                                     (selection && selection->contains(record.URL)));
        }
        list.push_back(std::move(entry));
    }
    return list;
}

void clFolderListEntry::filterFileList() {
    std::vector<clAsyncReadFile> records;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        records = mFilesIntermediate;
    }
    std::vector<FilePtr> rebuilt = filterFileList(records, files());
    const std::lock_guard<std::mutex> lock(mMutex);
    mFiles = std::move(rebuilt);
}

void clFolderListEntry::applyFormatFilterRecur() {
    bool rescan = false;
    bool scanned = false;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        scanned = mFilesBuilt;
        rescan = scanned && !mScanHadInfo && !mFilesIntermediate.empty() &&
                 mGlobals->fileFilter()->needsProbe();
    }
    if (rescan) {
        beginLoadFiles();
    } else if (scanned) {
        filterFileList();
        mGlobals->tellOwner([self = shared_from_this()](clFolderListOwner& owner) {
            owner.folderFilesListReady(self);
        });
    }
    for (const Ptr& folder : folders()) {
        folder->applyFormatFilterRecur();
    }
}

void clFolderListEntry::beginLoadFileInfo() {
    const KillSwitchPtr ks = mInfoKS.renew();
    std::vector<std::pair<std::weak_ptr<clFileListEntry>, XStr>> missing;
    for (const FilePtr& file : files()) {
        if (!file->info()) {
            missing.emplace_back(file, file->url());
        }
    }
    if (missing.empty()) {
        return;
    }
    mGlobals->queue().post([weak = weak_from_this(), missing = std::move(missing),
                            formats = mGlobals->formats(), cache = mGlobals->probeCache(), ks] {
        for (const auto& item : missing) {
            const std::weak_ptr<clFileListEntry> file = item.first;
            const XStr url = item.second;
            if (ks->die()) {
                return;
            }
            std::shared_ptr<const VAMediaFileInfo> info = clAsyncReadFile::readInfo(url, cache);
            if (!info) {
                continue;
            }
            XMainThread::post([weak, file, url, info, formats, ks] {
                const Ptr self = weak.lock();
                const FilePtr entry = file.lock();
                if (!self || !entry || !self->mInfoKS.isCurrent(ks) || entry->url() != url) {
                    return;
                }
                entry->refreshWithURL(url, formats->fileTypeOf(url).value_or(XStr()), info);
                self->mGlobals->tellOwner([self, entry](clFolderListOwner& owner) {
                    owner.folderFileInfoLoaded(self, entry);
                });
            });
        }
    });
}

void clFolderListEntry::loadSynchronously(bool files) {
    const clFolderListing listing = clFolderLister::list(mURL, mediaFiles(mGlobals->formats()));
    mWantFolders = true;
    if (!listing.ok) {
        reportAccessError(listing.error);
        return;
    }
    makeFolders(listing.items);
    if (!files) {
        return;
    }
    mWantFiles = true;
    takeScan(scanFiles(listing.items, mGlobals->fileFilter()->needsProbe(), scanHints(),
                       mGlobals->probeCache(), nullptr));
    mGlobals->tellOwner([self = shared_from_this()](clFolderListOwner& owner) {
        owner.folderFilesListReady(self);
    });
}
