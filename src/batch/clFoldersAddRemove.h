// What one rebuild of a folder's subfolders changed.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class clFolderListEntry;

struct clFoldersAddRemove {
    std::size_t numFoldersBefore = 0;
    // Index range [first, first + count) of the new entries, which follow the kept ones.
    std::size_t foldersAddedFirst = 0;
    std::size_t foldersAddedCount = 0;
    // Indexes (before the change) of the entries that went.
    std::vector<std::size_t> foldersRemoved;
    // The entries that stayed.
    std::vector<std::shared_ptr<clFolderListEntry>> foldersToRefresh;
};
