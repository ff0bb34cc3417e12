// What a folder tree tells its owner (the batch converter window, or nobody on the command
// line); always on the main thread.
#pragma once

#include <memory>

#include "XStr.h"
#include "clFoldersAddRemove.h"

class clFileListEntry;
class clFolderListEntry;

class clFolderListOwner {
public:
    virtual ~clFolderListOwner() = default;

    virtual void folderAddRemoveFolders(const std::shared_ptr<clFolderListEntry>& folder,
                                        const clFoldersAddRemove& change) = 0;
    virtual void folderAccessError(const std::shared_ptr<clFolderListEntry>& folder,
                                   const XStr& error) = 0;
    virtual void folderFilesListReady(const std::shared_ptr<clFolderListEntry>& folder) = 0;
    virtual void folderFileInfoLoaded(const std::shared_ptr<clFolderListEntry>& folder,
                                      const std::shared_ptr<clFileListEntry>& file) = 0;
    // The folder's check state changed: its row redraws its check box.
    virtual void folderCheckStateChanged(const std::shared_ptr<clFolderListEntry>& folder) = 0;
};
