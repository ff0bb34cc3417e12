#include "clFolderListEntry.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "XPath.h"

namespace {

const char* const kStateNames[] = {"Recursive", "NonRecursive", "SubSelected", "IndivSelected"};

// A mount-point folder is a root when it can be read and holds something.
bool holdsSomething(const XStr& folder) {
    DIR* dir = opendir(folder.utf8().c_str());
    if (dir == nullptr) {
        return false;
    }
    bool any = false;
    while (const dirent* e = readdir(dir)) {
        if (e->d_name[0] != '.') {
            any = true;
            break;
        }
    }
    closedir(dir);
    return any;
}

XStr mountRootName(const XStr& folder) {
    if (folder == "/Volumes") {
        return "Volumes";
    }
    if (folder == "/Network") {
        return "Network";
    }
    return folder;
}

}  // namespace

XStr clFolderListEntry::persistedName(int state) {
    return state >= kRecursive && state <= kIndivSelected ? XStr(kStateNames[state]) : XStr();
}

std::optional<int> clFolderListEntry::stateNamed(const XStr& name) {
    for (int state = kRecursive; state <= kIndivSelected; ++state) {
        if (name == kStateNames[state]) {
            return state;
        }
    }
    return std::nullopt;
}

std::vector<clFolderListEntry::Ptr> clFolderListEntry::rootFoldersWithOwner(
    const std::shared_ptr<clFolderListOwner>& owner) {
    std::vector<Ptr> roots;
    const char* home = std::getenv("HOME");
    const char* user = std::getenv("USER");
    if (home != nullptr && user != nullptr && *home != '\0') {
        Ptr root = rootForURL(XPath::withoutTrailingSlash(XStr(home)), owner);
        root->setCustomName(XStr::format("%s's Home", user));
        roots.push_back(root);
    }
    XStrList mounts;
    for (const XStr& folder : XPath::mountPointRoots()) {
        if (access(folder.utf8().c_str(), R_OK | X_OK) == 0 && holdsSomething(folder)) {
            mounts.push_back(folder);
        }
    }
    for (const XStr& folder : mounts) {
        // "/media" is left out when "/media/$USER" stands for it.
        const bool covered = std::any_of(mounts.begin(), mounts.end(), [&](const XStr& other) {
            return other != folder && other.startsWith(folder + "/");
        });
        if (!covered) {
            Ptr root = rootForURL(folder, owner);
            root->setCustomName(mountRootName(folder));
            roots.push_back(root);
        }
    }
    Ptr all = rootForURL("/", owner);
    all->setCustomName("Computer");
    roots.push_back(all);
    return roots;
}

clFolderListEntry::Ptr clFolderListEntry::rootForURL(
    const XStr& url, const std::shared_ptr<clFolderListOwner>& owner) {
    return rootForURL(url, std::make_shared<folderListGlobals>(owner));
}

clFolderListEntry::Ptr clFolderListEntry::rootForURL(const XStr& url,
                                                     std::shared_ptr<folderListGlobals> globals) {
    return std::make_shared<clFolderListEntry>(XPath::withoutTrailingSlash(url), std::move(globals),
                                               std::weak_ptr<clFolderListEntry>());
}

clFolderListEntry::Ptr clFolderListEntry::subFolderAt(const XStr& name,
                                                      const std::vector<Ptr>& list) {
    for (const Ptr& entry : list) {
        if (entry->name() == name) {
            return entry;
        }
    }
    return nullptr;
}

clFolderListEntry::clFolderListEntry(XStr url, std::shared_ptr<folderListGlobals> globals,
                                     std::weak_ptr<clFolderListEntry> parent)
    : mURL(std::move(url)), mGlobals(std::move(globals)), mParent(std::move(parent)) {}

clFolderListEntry::~clFolderListEntry() = default;

XStr clFolderListEntry::name() const {
    if (!mCustomName.empty()) {
        return mCustomName;
    }
    return XPath::fileName(mURL);
}

int clFolderListEntry::compare(const clFolderListEntry& other) const {
    return clFolderLister::compareNames(name(), other.name());
}

std::vector<clFolderListEntry::Ptr> clFolderListEntry::folders() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFolders;
}

std::vector<clFolderListEntry::FilePtr> clFolderListEntry::files() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFiles;
}

bool clFolderListEntry::foldersLoaded() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFoldersBuilt;
}

bool clFolderListEntry::filesLoaded() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFilesBuilt;
}

XStrList clFolderListEntry::fileURLs() const {
    XStrList urls;
    for (const FilePtr& file : files()) {
        urls.push_back(file->url());
    }
    return urls;
}

XStr clFolderListEntry::accessError() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mAccessError;
}

void clFolderListEntry::tellStateChanged() {
    mGlobals->tellOwner([self = shared_from_this()](clFolderListOwner& owner) {
        owner.folderCheckStateChanged(self);
    });
}

void clFolderListEntry::setCheckState(int state) {
    if (state < kRecursive || state > kUnchecked) {
        return;
    }
    if (mCheckState.exchange(state) == state) {
        return;
    }
    tellStateChanged();
    if (state == kUnchecked || state == kNonRecursive || state == kRecursive) {
        const int below = state == kRecursive ? kRecursive : kUnchecked;
        for (const Ptr& folder : folders()) {
            folder->setCheckState(below);
        }
        for (const FilePtr& file : files()) {
            file->setCheckedQuietly(state != kUnchecked);
        }
    }
    if (Ptr up = parent()) {
        up->childStateChanged(state);
    }
}

void clFolderListEntry::childStateChanged(int childState) {
    const int state = checkState();
    if (childState != kUnchecked && state == kUnchecked) {
        setCheckState(kSubSelected);
    } else if (childState == kUnchecked && state == kSubSelected && allChildrenUnchecked()) {
        setCheckState(anyFileChecked() ? kIndivSelected : kUnchecked);
    }
}

bool clFolderListEntry::anyFileChecked() const {
    for (const FilePtr& file : files()) {
        if (file->checked()) {
            return true;
        }
    }
    return false;
}

int clFolderListEntry::filesCheckState() const {
    std::size_t checked = 0;
    const std::vector<FilePtr> list = files();
    for (const FilePtr& file : list) {
        checked += file->checked() ? 1 : 0;
    }
    if (checked == 0) {
        return 0;
    }
    return checked == list.size() ? 1 : -1;
}

void clFolderListEntry::setFilesCheckState(int state) {
    if (state != 0 && state != 1) {
        return;
    }
    for (const FilePtr& file : files()) {
        file->setCheckedQuietly(state == 1);
    }
    onFileChecked(state == 1);
}

void clFolderListEntry::invertFilesCheckState() {
    for (const FilePtr& file : files()) {
        file->setCheckedQuietly(!file->checked());
    }
    onFileChecked(anyFileChecked());
}

bool clFolderListEntry::allChildrenUnchecked() const {
    for (const Ptr& folder : folders()) {
        if (folder->checkState() != kUnchecked) {
            return false;
        }
    }
    return true;
}

void clFolderListEntry::onFileChecked(bool checked) {
    const int state = checkState();
    if (checked || anyFileChecked()) {
        if (state == kUnchecked || state == kSubSelected) {
            setCheckState(kIndivSelected);
        }
        return;
    }
    if (state == kIndivSelected) {
        setCheckState(allChildrenUnchecked() ? kUnchecked : kSubSelected);
    }
}

void clFolderListEntry::postRefresh() {
    const int state = checkState();
    if (state == kIndivSelected && !anyFileChecked()) {
        setCheckState(allChildrenUnchecked() ? kUnchecked : kSubSelected);
    } else if (state == kSubSelected && allChildrenUnchecked()) {
        setCheckState(kUnchecked);
    }
}

void clFolderListEntry::collectCheckedFiles(clCollectSink& sink) {
    if (sink.aborting()) {
        return;
    }
    const int state = checkState();
    if (state == kUnchecked) {
        return;
    }
    bool needFiles = false;
    bool needFolders = false;
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        // A filter that needs probe information, set after the files were scanned without
        // it: the list is being rebuilt in the background, and what is collected now must
        // not be the list from before the filter.
        const bool stale = mFilesBuilt && !mScanHadInfo && !mFilesIntermediate.empty() &&
                           mGlobals->fileFilter()->needsProbe();
        needFiles = (state == kRecursive || state == kNonRecursive || state == kIndivSelected) &&
                    (!mFilesBuilt || stale);
        needFolders = (state == kRecursive || state == kSubSelected) && !mFoldersBuilt;
    }
    if (needFiles || needFolders) {
        loadSynchronously(needFiles);
    }
    for (const FilePtr& file : files()) {
        if (sink.aborting()) {
            return;
        }
        if (file->checked()) {
            sink.addFile(file);
        }
    }
    for (const Ptr& folder : folders()) {
        if (sink.aborting()) {
            return;
        }
        folder->collectCheckedFiles(sink);
    }
}

XStrList clFolderListEntry::collectCheckedFolders() const {
    switch (checkState()) {
        case kRecursive:
        case kNonRecursive:
        case kIndivSelected:
            return {mURL};
        case kSubSelected: {
            XStrList all;
            for (const Ptr& folder : folders()) {
                const XStrList below = folder->collectCheckedFolders();
                all.insert(all.end(), below.begin(), below.end());
            }
            return all;
        }
        default:
            break;
    }
    return {};
}

void clFolderListEntry::collectSelectionData(XPropertyDictionary& into) const {
    const int state = checkState();
    if (state == kUnchecked) {
        // Nothing below an unchecked folder is selected, whatever was saved before.
        const XStr below = mURL == "/" ? mURL : mURL + "/";
        XStrList gone = {mURL};
        for (const auto& [path, value] : into) {
            if (path.startsWith(below)) {
                gone.push_back(path);
            }
        }
        for (const XStr& path : gone) {
            into.remove(path);
        }
        return;
    }
    into.set(mURL, persistedName(state));
    // Files never listed in this session keep what was saved for them.
    for (const FilePtr& file : files()) {
        if (file->checked()) {
            into.set(file->url(), XStr(kCheckedName));
        } else {
            into.remove(file->url());
        }
    }
    // Every folder that can hold a selected subfolder descends, not only a SubSelected one:
    // a subfolder selected below a NonRecursive or IndivSelected folder is kept too.
    if (state != kRecursive) {
        for (const Ptr& folder : folders()) {
            folder->collectSelectionData(into);
        }
    }
}

void clFolderListEntry::applySelectionData(const XPropertyDictionary& data) {
    if (Ptr up = parent(); up && up->checkState() == kRecursive) {
        return;
    }
    const XPropertyValue* value = data.find(mURL);
    // A damaged selection (a value that is no text) counts as no selection.
    const std::optional<int> state =
        value != nullptr && value->isString() ? stateNamed(value->stringValue()) : std::nullopt;
    if (!state) {
        setCheckState(kUnchecked);
        return;
    }
    setCheckState(*state);
    for (const FilePtr& file : files()) {
        if (data.contains(file->url())) {
            file->setCheckedQuietly(true);
        }
    }
    if (*state != kRecursive) {
        for (const Ptr& folder : folders()) {
            folder->applySelectionData(data);
        }
    }
}

void clFolderListEntry::grabRelativePath(XStrList& names, const clFolderListEntry* upTo) const {
    if (this == upTo) {
        return;
    }
    if (Ptr up = parent()) {
        up->grabRelativePath(names, upTo);
    }
    names.push_back(name());
}
