// One listing of a folder as the folder tree needs it: the items that are not hidden,
// sorted by name as people sort (case ignored, numbers by value), each a folder or a file
// with its size and modification time. Links to folders are not followed, so a tree never
// loops; links to files count as the files.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "XStr.h"

struct clFolderItem {
    XStr url;
    XStr name;
    bool isDirectory = false;
    // A bundle shown as one file; the platform has none.
    bool isPackage = false;
    bool isFile = false;
    int64_t size = 0;
    // Nanoseconds since 1970.
    int64_t modifiedNs = 0;
};

struct clFolderListing {
    bool ok = false;
    // Why the folder could not be listed.
    XStr error;
    std::vector<clFolderItem> items;
};

namespace clFolderLister {

// Only files the predicate accepts (all without one) are examined for size and time; the
// others are left out.
using FileWanted = std::function<bool(const XStr& name)>;

clFolderListing list(const XStr& folder, const FileWanted& wanted = nullptr);

// Orders names as people do: case ignored, runs of digits by their value ("Disc 9" before
// "Disc 10"); negative, zero or positive.
int compareNames(const XStr& a, const XStr& b);

}  // namespace clFolderLister
