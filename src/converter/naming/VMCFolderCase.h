// Spellings of names on the disk, for the path clean-up's case matching: a name that
// exists in a folder under a spelling that differs only in ASCII letter case takes that
// spelling, so "ac-dc" joins the folder "AC-DC" made by an earlier conversion. Each folder
// is listed once and remembered, which keeps a batch of thousands of names from listing the
// same folders again; a new object (or clear) sees later changes.
#pragma once

#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "XStr.h"

class VMCFolderCase {
public:
    // The spelling of name inside folder: name itself when it exists as it is, else the
    // entry that differs only in case (the smallest, when several do); nothing when the
    // folder holds neither, so that nothing below it needs to be looked for.
    std::optional<XStr> spellingIn(const XStr& folder, const XStr& name);
    void clear();
    // Folders listed so far (a folder that cannot be read counts as listed and empty).
    std::size_t foldersListed();

private:
    struct Listing {
        std::unordered_set<XStr> exact;
        // Lower-cased name to the smallest spelling.
        std::unordered_map<XStr, XStr> byLower;
    };

    const Listing& listingOf(const XStr& folder);

    std::mutex mMutex;
    std::unordered_map<XStr, Listing> mFolders;
};
