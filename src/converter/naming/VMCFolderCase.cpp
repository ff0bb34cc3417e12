#include "VMCFolderCase.h"

#include <dirent.h>

#include <cstring>

const VMCFolderCase::Listing& VMCFolderCase::listingOf(const XStr& folder) {
    const auto found = mFolders.find(folder);
    if (found != mFolders.end()) {
        return found->second;
    }
    Listing listing;
    if (DIR* dir = opendir(folder.utf8().c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
                continue;
            }
            XStr name = XStr::fromUtf8(entry->d_name);
            XStr& smallest = listing.byLower[name.lowerASCII()];
            if (smallest.empty() || name < smallest) {
                smallest = name;
            }
            listing.exact.insert(std::move(name));
        }
        closedir(dir);
    }
    return mFolders.emplace(folder, std::move(listing)).first->second;
}

std::optional<XStr> VMCFolderCase::spellingIn(const XStr& folder, const XStr& name) {
    const std::lock_guard<std::mutex> lock(mMutex);
    const Listing& listing = listingOf(folder);
    if (listing.exact.count(name) != 0) {
        return name;
    }
    const auto match = listing.byLower.find(name.lowerASCII());
    if (match == listing.byLower.end()) {
        return std::nullopt;
    }
    return match->second;
}

void VMCFolderCase::clear() {
    const std::lock_guard<std::mutex> lock(mMutex);
    mFolders.clear();
}

std::size_t VMCFolderCase::foldersListed() {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFolders.size();
}
