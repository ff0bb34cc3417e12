// The batch converter's panel as a controller: the folder tree and the current folder's
// files, the profile chooser, the filter, reset, the status line, and the segmented button
// that lists, concatenates or converts the checked files. The window (a view) shows it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "VMCBatchConvertDialogView.h"
#include "VMCBatchConvertHost.h"
#include "VMCBatchConverterFiltersDialog.h"
#include "VMCBatchConverterProfile.h"
#include "VMCFileChangeNotify.h"
#include "VMCFileListGrabber.h"
#include "VMCUserDefaults.h"
#include "clFolderListEntry.h"

class VMCBatchConvertDialog : public clFolderListOwner,
                              public VMCFileChangeNotifyClient,
                              public std::enable_shared_from_this<VMCBatchConvertDialog> {
public:
    using Action = VMCFileListGrabber::Action;
    using RootsBuilder =
        std::function<std::vector<clFolderListEntry::Ptr>(std::shared_ptr<clFolderListOwner>)>;

    static constexpr const char* kProfileKey = "FileSelectorProfile";
    static constexpr const char* kLocationKey = "FileSelectorLocation";
    static constexpr const char* kNoneSelected = "(none selected)";
    static constexpr const char* kCreateProfile = "Create Profile";
    static constexpr const char* kDeleteProfile = "Delete Profile";
    static constexpr const char* kMediaWord = "Video";
    static constexpr const char* kNoMediaFilesSelected = "No media files are selected.";
    static constexpr const char* kConcatNeedsTwo = "More than one file required for concatenation.";
    static constexpr double kWatchLatency = 3.0;

    // initWithHost:selection: the locations (folders or files) to preselect, if any. The
    // roots are the standard ones unless a builder makes others.
    static std::shared_ptr<VMCBatchConvertDialog> create(std::weak_ptr<VMCBatchConvertHost> host,
                                                         std::shared_ptr<VMCUserDefaults> defaults,
                                                         XStrList selection = {},
                                                         RootsBuilder roots = nullptr);
    ~VMCBatchConvertDialog() override;

    void setView(std::weak_ptr<VMCBatchConvertDialogView> view) { mView = std::move(view); }
    // Builds the roots, loads the last profile and applies it.
    void open();
    // After the first layout: the preselection, or the folder shown last time.
    void didLayout();
    void close();

    const std::vector<clFolderListEntry::Ptr>& roots() const { return mRoots; }
    const clFolderListEntry::Ptr& currentFolder() const { return mCurrentFolder; }
    const VMCFileFilter& filter() const { return mFilter; }
    const std::shared_ptr<VMCBatchConverterProfile>& currentProfile() const {
        return mCurrentProfile;
    }
    const XStrList& profileItems() const { return mProfileItems; }
    XStr shownProfileItem() const;
    const std::shared_ptr<VMCFileChangeNotify>& notifier() const { return mNotifier; }

    // The tree's selection changed.
    void selectFolder(const clFolderListEntry::Ptr& folder);
    void chooseProfileItem(const XStr& item);
    void onFilesCheckAll();
    void onFilesUncheckAll();
    void onFilesInvertSelection();
    // A check box of the current folder's list was clicked.
    void setFileChecked(const clFolderListEntry::FilePtr& file, bool checked);
    // A folder's check box was clicked.
    void setFolderCheckState(const clFolderListEntry::Ptr& folder, int state);
    void onButtonReset();
    // The filter dialog over the current filter, its field values from the selected folders.
    std::shared_ptr<VMCBatchConverterFiltersDialog> openFiltersDialog(VMCMetaFieldCache* cache);
    void returnFromFiltersDialog(std::optional<VMCFileFilter> filter);
    void onButtonConvertEx(Action action);
    void onGrabListDone(std::optional<VMCFileListGrabber::Results> results);

    XStr statusText() const;
    void refreshStatusBar();
    void saveProfile();
    // Finds a folder in the tree by its path, loading what lies on the way.
    clFolderListEntry::Ptr findFolder(const XStr& path);

    void folderAddRemoveFolders(const clFolderListEntry::Ptr& folder,
                                const clFoldersAddRemove& change) override;
    void folderAccessError(const clFolderListEntry::Ptr& folder, const XStr& error) override;
    void folderFilesListReady(const clFolderListEntry::Ptr& folder) override;
    void folderFileInfoLoaded(const clFolderListEntry::Ptr& folder,
                              const clFolderListEntry::FilePtr& file) override;
    void folderCheckStateChanged(const clFolderListEntry::Ptr& folder) override;
    void onFileChangeEventFrom(VMCFileChangeNotify& notifier) override;

private:
    VMCBatchConvertDialog(std::weak_ptr<VMCBatchConvertHost> host,
                          std::shared_ptr<VMCUserDefaults> defaults, XStrList selection,
                          RootsBuilder roots);
    void rebuildProfileList();
    void onProfileChanged();
    void onFiltersChanged();
    void refreshThisFolder();
    void applyPreselection();
    void showProfileChoice();
    std::shared_ptr<VMCBatchConvertDialogView> view() const { return mView.lock(); }

    std::weak_ptr<VMCBatchConvertHost> mHost;
    std::weak_ptr<VMCBatchConvertDialogView> mView;
    std::shared_ptr<VMCUserDefaults> mDefaults;
    XStrList mPendingSelection;
    RootsBuilder mRootsBuilder;
    std::vector<clFolderListEntry::Ptr> mRoots;
    clFolderListEntry::Ptr mCurrentFolder;
    VMCFileFilter mFilter;
    std::shared_ptr<VMCBatchConverterProfile> mCurrentProfile;
    XStrList mProfileItems;
    std::shared_ptr<VMCFileChangeNotify> mNotifier;
    std::unique_ptr<VMCFileListGrabber> mGrabber;
};
