// One folder of the batch converter's tree: its subfolders and media files, loaded lazily
// in the background; its check state, which propagates up and down the tree; the
// collection of every checked file below it; and the saving and restoring of a selection.
//
// Check states: Recursive (the folder, its files and every subfolder at any depth),
// NonRecursive (its own files), SubSelected (some subfolder below is selected),
// IndivSelected (some files ticked one by one), Unchecked.
//
// Check states, ticks and loads belong to the main thread; collectCheckedFiles may run on
// a worker and then loads what it needs itself. The lists are guarded by the entry's lock.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "KillSwitch.h"
#include "XPropertyDictionary.h"
#include "XStr.h"
#include "clAsyncReadFile.h"
#include "clCollectSink.h"
#include "clFileListEntry.h"
#include "clFolderLister.h"
#include "folderListGlobals.h"

class clFolderListEntry : public std::enable_shared_from_this<clFolderListEntry> {
public:
    using Ptr = std::shared_ptr<clFolderListEntry>;
    using FilePtr = std::shared_ptr<clFileListEntry>;

    enum CheckState : int {
        kRecursive = 0,
        kNonRecursive = 1,
        kSubSelected = 2,
        kIndivSelected = 3,
        kUnchecked = 4,
    };
    // A checked file in a saved selection.
    static constexpr const char* kCheckedName = "Checked";
    // "Recursive", "NonRecursive", "SubSelected", "IndivSelected"; empty for Unchecked.
    static XStr persistedName(int state);
    static std::optional<int> stateNamed(const XStr& name);

    // The home folder ("%@'s Home" with $USER, when $HOME and $USER are set), the folders
    // disks are mounted under that hold something, and the whole file system, each with
    // globals of its own bound to the owner.
    static std::vector<Ptr> rootFoldersWithOwner(const std::shared_ptr<clFolderListOwner>& owner);
    static Ptr rootForURL(const XStr& url, const std::shared_ptr<clFolderListOwner>& owner);
    static Ptr rootForURL(const XStr& url, std::shared_ptr<folderListGlobals> globals);
    // The entry of that name in the list (exact match), or none.
    static Ptr subFolderAt(const XStr& name, const std::vector<Ptr>& list);

    clFolderListEntry(XStr url, std::shared_ptr<folderListGlobals> globals,
                      std::weak_ptr<clFolderListEntry> parent);
    ~clFolderListEntry();
    clFolderListEntry(const clFolderListEntry&) = delete;
    clFolderListEntry& operator=(const clFolderListEntry&) = delete;

    const XStr& url() const { return mURL; }
    // The custom name, else the folder's own name.
    XStr name() const;
    void setCustomName(const XStr& name) { mCustomName = name; }
    // By name as people sort.
    int compare(const clFolderListEntry& other) const;
    Ptr parent() const { return mParent.lock(); }
    const std::shared_ptr<folderListGlobals>& globals() const { return mGlobals; }

    // The current lists; empty until loaded.
    std::vector<Ptr> folders() const;
    std::vector<FilePtr> files() const;
    bool foldersLoaded() const;
    bool filesLoaded() const;
    XStrList fileURLs() const;
    // The error of the last listing that failed; empty when it did not.
    XStr accessError() const;
    // A listing or scan is under way.
    bool isLoading() const { return mListing || mScanning; }

    // The first call starts listing the folder (subfolders); later calls do nothing.
    void wantFolders();
    // wantFolders, then the first call starts scanning the files.
    void wantFiles();
    // Lists again, then scans the files again; entries still present keep their states.
    void beginRefresh();
    // Lists and builds the subfolders now, then starts scanning the files.
    void getFoldersSynchronously();

    int checkState() const { return mCheckState.load(); }
    void setCheckState(int state);
    // 0 none checked (or no files), 1 all, -1 some.
    int filesCheckState() const;
    // 1 checks every file, 0 unchecks every file; the folder is told once.
    void setFilesCheckState(int state);
    void invertFilesCheckState();
    bool allChildrenUnchecked() const;
    // A file of this folder was ticked or unticked.
    void onFileChecked(bool checked);
    // Re-derives the state after a reload.
    void postRefresh();

    // Rebuilds the file list from the last scan (after a filter change).
    void filterFileList();
    // A filter change for this folder and every loaded subfolder: scans again where the
    // filter needs probe information the last scan did not read.
    void applyFormatFilterRecur();

    // Every checked file under this folder, in tree order, until the sink aborts; loads
    // what was never loaded and is needed.
    void collectCheckedFiles(clCollectSink& sink);
    // The folders that stand for the selection.
    XStrList collectCheckedFolders() const;
    // Saves the selection into a dictionary of paths: what is not loaded keeps its saved
    // entries; an unchecked folder removes itself and everything below it.
    void collectSelectionData(XPropertyDictionary& into) const;
    void applySelectionData(const XPropertyDictionary& data);
    // Appends the names from upTo (exclusive; none: the root, inclusive) down to this entry.
    void grabRelativePath(XStrList& names, const clFolderListEntry* upTo) const;

private:
    void setCheckStateQuietly(int state) { mCheckState = state; }
    void childStateChanged(int childState);
    void tellStateChanged();
    bool anyFileChecked() const;

    void beginLoadFolders();
    void beginLoadFiles();
    void beginLoadFileInfo();
    void onListed(const clFolderListing& listing);
    void onScanned(std::vector<clAsyncReadFile> records);
    // Builds the subfolders from a listing; the owner hears of the change.
    void makeFolders(const std::vector<clFolderItem>& items);
    // Takes a scan and rebuilds the file list from it.
    void takeScan(std::vector<clAsyncReadFile> records);
    std::vector<FilePtr> filterFileList(const std::vector<clAsyncReadFile>& records,
                                        const std::vector<FilePtr>& old);
    std::unordered_map<XStr, clAsyncReadFile> scanHints() const;
    // The listing and scan of a collection, on the calling thread.
    void loadSynchronously(bool files);
    void reportAccessError(const XStr& error);

    static std::vector<clAsyncReadFile> scanFiles(
        const std::vector<clFolderItem>& items, bool needInfo,
        const std::unordered_map<XStr, clAsyncReadFile>& hints,
        const std::shared_ptr<VAProbeCache>& cache, const KillSwitch* ks);

    const XStr mURL;
    const std::shared_ptr<folderListGlobals> mGlobals;
    const std::weak_ptr<clFolderListEntry> mParent;
    XStr mCustomName;
    std::atomic<int> mCheckState{kUnchecked};

    mutable std::mutex mMutex;
    std::vector<clFolderItem> mAllContent;
    std::vector<clAsyncReadFile> mFilesIntermediate;
    std::vector<FilePtr> mFiles;
    std::vector<Ptr> mFolders;
    bool mFoldersBuilt = false;
    bool mFilesBuilt = false;
    // The last scan read probe information.
    bool mScanHadInfo = false;
    XStr mAccessError;

    std::atomic<bool> mWantFolders{false};
    std::atomic<bool> mWantFiles{false};
    std::atomic<bool> mListing{false};
    std::atomic<bool> mScanning{false};
    bool mRefreshing = false;
    KillSwitchHolder mLoaderKS;
    KillSwitchHolder mFilesKS;
    KillSwitchHolder mInfoKS;
};
