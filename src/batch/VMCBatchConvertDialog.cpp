#include "VMCBatchConvertDialog.h"

#include <sys/stat.h>

#include <algorithm>

#include "VAStringTools.h"
#include "VMCBatchFileListDialog.h"
#include "XPath.h"

std::shared_ptr<VMCBatchConvertDialog> VMCBatchConvertDialog::create(
    std::weak_ptr<VMCBatchConvertHost> host, std::shared_ptr<VMCUserDefaults> defaults,
    XStrList selection, RootsBuilder roots) {
    return std::shared_ptr<VMCBatchConvertDialog>(new VMCBatchConvertDialog(
        std::move(host), std::move(defaults), std::move(selection), std::move(roots)));
}

VMCBatchConvertDialog::VMCBatchConvertDialog(std::weak_ptr<VMCBatchConvertHost> host,
                                             std::shared_ptr<VMCUserDefaults> defaults,
                                             XStrList selection, RootsBuilder roots)
    : mHost(std::move(host)),
      mDefaults(defaults ? std::move(defaults) : std::make_shared<VMCMemoryUserDefaults>()),
      mPendingSelection(std::move(selection)),
      mRootsBuilder(std::move(roots)),
      mCurrentProfile(VMCBatchConverterProfile::newProfileNamed("")) {}

VMCBatchConvertDialog::~VMCBatchConvertDialog() {
    close();
}

void VMCBatchConvertDialog::open() {
    const std::shared_ptr<clFolderListOwner> self = shared_from_this();
    mRoots = mRootsBuilder ? mRootsBuilder(self) : clFolderListEntry::rootFoldersWithOwner(self);
    const XStr saved = mDefaults->stringValue(kProfileKey);
    if (!saved.empty() && saved != kNoneSelected) {
        mCurrentProfile = VMCBatchConverterProfile::profileByName(saved);
    }
    rebuildProfileList();
    onProfileChanged();
}

void VMCBatchConvertDialog::close() {
    if (mNotifier) {
        mNotifier->dispose();
        mNotifier.reset();
    }
    mGrabber.reset();
}

XStr VMCBatchConvertDialog::shownProfileItem() const {
    return mCurrentProfile->name().empty() ? XStr(kNoneSelected) : mCurrentProfile->name();
}

void VMCBatchConvertDialog::rebuildProfileList() {
    mProfileItems = {kNoneSelected};
    for (const XStr& name : VMCBatchConverterProfile::listProfileNames()) {
        mProfileItems.push_back(name);
    }
    mProfileItems.push_back(kCreateProfile);
    mProfileItems.push_back(kDeleteProfile);
    showProfileChoice();
}

void VMCBatchConvertDialog::showProfileChoice() {
    if (const auto v = view()) {
        v->setProfileChoices(mProfileItems, shownProfileItem());
    }
}

void VMCBatchConvertDialog::onProfileChanged() {
    VMCFileFilter filter;
    mCurrentProfile->getFilters(filter);
    if (!filter.isEqualToFilter(mFilter)) {
        mFilter = filter;
        for (const clFolderListEntry::Ptr& root : mRoots) {
            root->globals()->setFileFilter(mFilter);
            root->applyFormatFilterRecur();
        }
    }
    if (const std::optional<XPropertyDictionary>& selection = mCurrentProfile->selection()) {
        for (const clFolderListEntry::Ptr& root : mRoots) {
            root->globals()->setSelection(selection);
            root->applySelectionData(*selection);
        }
    } else {
        // Folders loaded from now on must not take the selection of the profile before.
        for (const clFolderListEntry::Ptr& root : mRoots) {
            root->globals()->setSelection(std::nullopt);
        }
    }
    if (const auto v = view()) {
        v->setFilterHighlighted(mFilter.active());
        v->refreshFiles();
    }
    refreshStatusBar();
}

void VMCBatchConvertDialog::saveProfile() {
    if (mCurrentProfile->name().empty()) {
        return;
    }
    // What was saved for folders not loaded in this window stays as it was.
    XPropertyDictionary selection = mCurrentProfile->selection().value_or(XPropertyDictionary());
    for (const clFolderListEntry::Ptr& root : mRoots) {
        root->collectSelectionData(selection);
    }
    for (const clFolderListEntry::Ptr& root : mRoots) {
        root->globals()->setSelection(selection);
    }
    mCurrentProfile->setSelection(std::move(selection));
    mCurrentProfile->save();
}

void VMCBatchConvertDialog::chooseProfileItem(const XStr& item) {
    if (item == kNoneSelected) {
        saveProfile();
        mCurrentProfile = VMCBatchConverterProfile::newProfileNamed("");
        onProfileChanged();
        mDefaults->remove(kProfileKey);
        showProfileChoice();
        return;
    }
    if (item == kCreateProfile) {
        const auto v = view();
        if (!v) {
            return;
        }
        v->askProfileName(mProfileItems, [weak = weak_from_this()](std::optional<XStr> name) {
            const auto self = weak.lock();
            if (!self) {
                return;
            }
            if (!name || name->empty() ||
                std::find(self->mProfileItems.begin(), self->mProfileItems.end(), *name) !=
                    self->mProfileItems.end()) {
                self->showProfileChoice();
                return;
            }
            self->mCurrentProfile = self->mCurrentProfile->copyWithName(*name);
            self->saveProfile();
            self->mDefaults->setValue(kProfileKey, *name);
            self->rebuildProfileList();
        });
        return;
    }
    if (item == kDeleteProfile) {
        const auto v = view();
        if (!v || mCurrentProfile->name().empty()) {
            showProfileChoice();
            return;
        }
        const XStr question = "Delete profile '" + mCurrentProfile->name() + "' ?";
        v->askQuestion(question, "Yes", "No", [weak = weak_from_this()](bool yes) {
            const auto self = weak.lock();
            if (!self) {
                return;
            }
            if (!yes) {
                self->showProfileChoice();
                return;
            }
            self->mCurrentProfile->deleteProfile();
            self->mCurrentProfile = VMCBatchConverterProfile::newProfileNamed("");
            self->mDefaults->remove(kProfileKey);
            self->onProfileChanged();
            self->rebuildProfileList();
        });
        return;
    }
    saveProfile();
    mCurrentProfile = VMCBatchConverterProfile::profileByName(item);
    onProfileChanged();
    mDefaults->setValue(kProfileKey, item);
    showProfileChoice();
}

void VMCBatchConvertDialog::selectFolder(const clFolderListEntry::Ptr& folder) {
    if (mNotifier) {
        mNotifier->dispose();
        mNotifier.reset();
    }
    mCurrentFolder = folder;
    if (folder) {
        mNotifier = VMCFileChangeNotify::create();
        mNotifier->setLatency(kWatchLatency);
        mNotifier->setNotifyClient(shared_from_this());
        mNotifier->setWatchedFolder(folder->url());
        folder->wantFiles();
        XStrList path;
        folder->grabRelativePath(path, nullptr);
        XPropertyValue::List list;
        for (const XStr& name : path) {
            list.emplace_back(name);
        }
        mDefaults->setValue(kLocationKey, list);
    }
    if (const auto v = view()) {
        if (folder) {
            v->showCurrentFolder(folder);
        }
        v->refreshFiles();
    }
    refreshStatusBar();
}

clFolderListEntry::Ptr VMCBatchConvertDialog::findFolder(const XStr& path) {
    const XStr target = XPath::withoutTrailingSlash(path);
    clFolderListEntry::Ptr best;
    for (const clFolderListEntry::Ptr& root : mRoots) {
        const XStr& url = root->url();
        const bool inside = target == url || url == "/" || target.startsWith(url + "/");
        if (inside && (!best || url.size() > best->url().size())) {
            best = root;
        }
    }
    if (!best) {
        return nullptr;
    }
    const XStr rest = target.substr(best->url() == "/" ? 1 : best->url().size());
    clFolderListEntry::Ptr entry = best;
    for (const XStr& name : XPath::components(rest)) {
        if (!entry->foldersLoaded()) {
            entry->getFoldersSynchronously();
        }
        entry = clFolderListEntry::subFolderAt(name, entry->folders());
        if (!entry) {
            return nullptr;
        }
    }
    return entry;
}

void VMCBatchConvertDialog::didLayout() {
    if (!mPendingSelection.empty()) {
        applyPreselection();
        return;
    }
    const std::optional<XStrList> names = mDefaults->stringList(kLocationKey);
    if (!names || names->empty()) {
        return;
    }
    clFolderListEntry::Ptr entry = clFolderListEntry::subFolderAt(names->front(), mRoots);
    for (std::size_t i = 1; entry && i < names->size(); ++i) {
        if (!entry->foldersLoaded()) {
            entry->getFoldersSynchronously();
        }
        entry = clFolderListEntry::subFolderAt((*names)[i], entry->folders());
    }
    if (entry) {
        selectFolder(entry);
    }
}

void VMCBatchConvertDialog::applyPreselection() {
    XStrList folders;
    XStrList files;
    for (const XStr& location : mPendingSelection) {
        struct stat st {};
        if (stat(location.utf8().c_str(), &st) != 0) {
            continue;
        }
        (S_ISDIR(st.st_mode) ? folders : files).push_back(XPath::withoutTrailingSlash(location));
    }
    mPendingSelection.clear();
    if (folders.empty() && files.empty()) {
        return;
    }
    for (const clFolderListEntry::Ptr& root : mRoots) {
        root->setCheckState(clFolderListEntry::kUnchecked);
    }
    // The common parent of every location becomes the current folder.
    XStrList all = folders;
    for (const XStr& file : files) {
        all.push_back(XPath::folderOf(file));
    }
    XStrList common = XPath::components(all.front());
    for (const XStr& path : all) {
        const XStrList parts = XPath::components(path);
        std::size_t n = 0;
        while (n < common.size() && n < parts.size() && common[n] == parts[n]) {
            ++n;
        }
        common.resize(n);
    }
    XStr parent = "/";
    for (const XStr& part : common) {
        parent = XPath::join(parent, part);
    }
    if (folders.size() == 1 && files.empty() && parent == folders.front()) {
        parent = XPath::folderOf(parent);
    }
    for (const XStr& folder : folders) {
        if (clFolderListEntry::Ptr entry = findFolder(folder)) {
            entry->setCheckState(clFolderListEntry::kRecursive);
        }
    }
    // A file is ticked on its own: its folder is IndivSelected and the file is checked as
    // soon as its folder's list holds it.
    for (const XStr& file : files) {
        clFolderListEntry::Ptr folder = findFolder(XPath::folderOf(file));
        if (!folder) {
            continue;
        }
        std::shared_ptr<const XPropertyDictionary> had = folder->globals()->selection();
        XPropertyDictionary selection = had ? *had : XPropertyDictionary();
        selection.set(file, XStr(clFolderListEntry::kCheckedName));
        folder->globals()->setSelection(selection);
        bool ticked = false;
        for (const clFolderListEntry::FilePtr& entry : folder->files()) {
            if (entry->url() == file) {
                entry->setChecked(true);
                ticked = true;
            }
        }
        if (!ticked && folder->checkState() == clFolderListEntry::kUnchecked) {
            folder->setCheckState(clFolderListEntry::kIndivSelected);
        }
    }
    if (clFolderListEntry::Ptr current = findFolder(parent)) {
        selectFolder(current);
    }
}

void VMCBatchConvertDialog::onFilesCheckAll() {
    if (mCurrentFolder) {
        mCurrentFolder->setFilesCheckState(1);
    }
    refreshStatusBar();
    if (const auto v = view()) {
        v->refreshFiles();
    }
}

void VMCBatchConvertDialog::onFilesUncheckAll() {
    if (mCurrentFolder) {
        mCurrentFolder->setFilesCheckState(0);
    }
    refreshStatusBar();
    if (const auto v = view()) {
        v->refreshFiles();
    }
}

void VMCBatchConvertDialog::onFilesInvertSelection() {
    if (mCurrentFolder) {
        mCurrentFolder->invertFilesCheckState();
    }
    refreshStatusBar();
    if (const auto v = view()) {
        v->refreshFiles();
    }
}

void VMCBatchConvertDialog::setFileChecked(const clFolderListEntry::FilePtr& file, bool checked) {
    file->setChecked(checked);
    refreshStatusBar();
}

void VMCBatchConvertDialog::setFolderCheckState(const clFolderListEntry::Ptr& folder, int state) {
    folder->setCheckState(state);
    if (folder == mCurrentFolder) {
        if (const auto v = view()) {
            v->refreshFiles();
        }
    }
    refreshStatusBar();
}

void VMCBatchConvertDialog::onButtonReset() {
    const bool anySelected =
        std::any_of(mRoots.begin(), mRoots.end(), [](const clFolderListEntry::Ptr& root) {
            return root->checkState() != clFolderListEntry::kUnchecked;
        });
    const auto v = view();
    if (!anySelected || !v) {
        return;
    }
    v->askQuestion("Clear All Selections?", "Yes", "No", [weak = weak_from_this()](bool yes) {
        const auto self = weak.lock();
        if (!self || !yes) {
            return;
        }
        for (const clFolderListEntry::Ptr& root : self->mRoots) {
            root->setCheckState(clFolderListEntry::kUnchecked);
        }
        if (const auto view = self->view()) {
            view->refreshFiles();
        }
        self->refreshStatusBar();
    });
}

std::shared_ptr<VMCBatchConverterFiltersDialog> VMCBatchConvertDialog::openFiltersDialog(
    VMCMetaFieldCache* cache) {
    const std::shared_ptr<const VAMediaFormatFilter> formats =
        mRoots.empty() ? std::shared_ptr<const VAMediaFormatFilter>(VAMediaFormatFilter::init())
                       : mRoots.front()->globals()->formats();
    auto dialog = std::make_shared<VMCBatchConverterFiltersDialog>(
        mFilter, formats ? *formats : *VAMediaFormatFilter::fromLists({}),
        [weak = weak_from_this()](std::optional<VMCFileFilter> filter) {
            if (const auto self = weak.lock()) {
                self->returnFromFiltersDialog(std::move(filter));
            }
        });
    if (cache != nullptr) {
        XStrList folders;
        for (const clFolderListEntry::Ptr& root : mRoots) {
            const XStrList selected = root->collectCheckedFolders();
            folders.insert(folders.end(), selected.begin(), selected.end());
        }
        dialog->loadFieldValues(*cache, folders);
    }
    return dialog;
}

void VMCBatchConvertDialog::returnFromFiltersDialog(std::optional<VMCFileFilter> filter) {
    if (!filter) {
        return;
    }
    mFilter = *filter;
    mCurrentProfile->setFilters(mFilter);
    saveProfile();
    onFiltersChanged();
}

void VMCBatchConvertDialog::onFiltersChanged() {
    for (const clFolderListEntry::Ptr& root : mRoots) {
        root->globals()->setFileFilter(mFilter);
        root->applyFormatFilterRecur();
    }
    if (const auto v = view()) {
        v->setFilterHighlighted(mFilter.active());
        v->refreshFiles();
    }
    refreshStatusBar();
}

void VMCBatchConvertDialog::onButtonConvertEx(Action action) {
    const bool allUnchecked =
        std::all_of(mRoots.begin(), mRoots.end(), [](const clFolderListEntry::Ptr& root) {
            return root->checkState() == clFolderListEntry::kUnchecked;
        });
    if (allUnchecked) {
        if (const auto v = view()) {
            v->showMessage(kNoMediaFilesSelected);
        }
        return;
    }
    saveProfile();
    mGrabber = std::make_unique<VMCFileListGrabber>(
        mRoots, action, action != Action::kList,
        [weak = weak_from_this()](std::optional<VMCFileListGrabber::Results> results) {
            if (const auto self = weak.lock()) {
                self->onGrabListDone(std::move(results));
            }
        });
    mGrabber->start();
}

void VMCBatchConvertDialog::onGrabListDone(std::optional<VMCFileListGrabber::Results> results) {
    if (!results) {
        return;
    }
    const auto v = view();
    const auto host = mHost.lock();
    if (results->urls.empty()) {
        if (v) {
            v->showMessage(kNoMediaFilesSelected);
        }
        return;
    }
    switch (results->action) {
        case Action::kList:
            if (host) {
                host->showFileList(
                    VMCBatchFileListDialog::create(results->files, mHost, mDefaults));
            }
            break;
        case Action::kConvert:
            if (host) {
                host->preConvertFrom(results->urls);
            }
            break;
        case Action::kConcatenate:
            if (results->urls.size() < 2) {
                if (v) {
                    v->showMessage(kConcatNeedsTwo);
                }
            } else if (host) {
                host->beginConcatenate(results->urls);
            }
            break;
    }
}

XStr VMCBatchConvertDialog::statusText() const {
    if (!mCurrentFolder) {
        return "Nothing selected.";
    }
    if (mCurrentFolder->isLoading() || !mCurrentFolder->filesLoaded()) {
        return XStr::format("Looking for %s Files in Folder: %s", kMediaWord,
                            mCurrentFolder->url().utf8().c_str());
    }
    uint64_t shownBytes = 0;
    uint64_t checkedBytes = 0;
    std::size_t checked = 0;
    const std::vector<clFolderListEntry::FilePtr> files = mCurrentFolder->files();
    for (const clFolderListEntry::FilePtr& file : files) {
        shownBytes += static_cast<uint64_t>(file->size());
        if (file->checked()) {
            ++checked;
            checkedBytes += static_cast<uint64_t>(file->size());
        }
    }
    XStr text = XStr::format("%zu %s Files Shown", files.size(), kMediaWord);
    if (shownBytes != 0) {
        text += " (" + VAStringTools::formatFileSize(shownBytes) + ")";
    }
    if (checked != 0) {
        text += XStr::format(", %zu Files Selected", checked);
        if (checkedBytes != 0) {
            text += " (" + VAStringTools::formatFileSize(checkedBytes) + ")";
        }
    }
    return text + " in Folder: " + mCurrentFolder->url();
}

void VMCBatchConvertDialog::refreshStatusBar() {
    if (const auto v = view()) {
        v->setStatusText(statusText());
    }
}

void VMCBatchConvertDialog::refreshThisFolder() {
    if (mCurrentFolder) {
        mCurrentFolder->beginRefresh();
    }
}

void VMCBatchConvertDialog::folderAddRemoveFolders(const clFolderListEntry::Ptr& folder,
                                                   const clFoldersAddRemove& change) {
    if (const auto v = view()) {
        v->folderChanged(folder, change);
    }
}

void VMCBatchConvertDialog::folderAccessError(const clFolderListEntry::Ptr& folder,
                                              const XStr& error) {
    if (const auto v = view()) {
        v->showAccessError(folder, error);
    }
}

void VMCBatchConvertDialog::folderFilesListReady(const clFolderListEntry::Ptr& folder) {
    if (folder != mCurrentFolder) {
        return;
    }
    if (const auto v = view()) {
        v->refreshFiles();
    }
    refreshStatusBar();
}

void VMCBatchConvertDialog::folderFileInfoLoaded(const clFolderListEntry::Ptr& folder,
                                                 const clFolderListEntry::FilePtr& /*file*/) {
    if (folder != mCurrentFolder) {
        return;
    }
    if (const auto v = view()) {
        v->refreshFiles();
    }
}

void VMCBatchConvertDialog::folderCheckStateChanged(const clFolderListEntry::Ptr& folder) {
    if (const auto v = view()) {
        v->folderCheckStateChanged(folder);
    }
}

void VMCBatchConvertDialog::onFileChangeEventFrom(VMCFileChangeNotify& /*notifier*/) {
    refreshThisFolder();
}
