// The naming object in the settings store: its own values under its owner's key, and the
// list of recent destinations under the application's key.
#include "VMCFileNaming.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"

VMCFileNaming VMCFileNaming::initWithRegKey(const XStr& key) {
    VMCFileNaming naming;
    const XRegistryName root(kRoot);
    const XRegistryName path(key);
    const XStr folder = XRegistry::GetString(kValueFolderStr, root, path);
    std::vector<uint8_t> bookmark;
    if (XRegistry::GetBinary(kValueFolderData, bookmark, root, path)) {
        naming.mDestination = VMCLocationDescriptor::withBookmark(
            bookmark, XRegistry::GetString(kValueFriendlyName, root, path), folder);
    } else if (!folder.empty()) {
        naming.mDestination = VMCLocationDescriptor::withURL(folder);
    }
    const XStr format = XRegistry::GetString(kValueDynamicNaming, root, path);
    if (!format.empty()) {
        naming.mDynamicFormat = format;
    }
    const uint32_t type = XRegistry::GetDWORD(kValueNamingType, root, path);
    naming.mFileNamingType = type >= 4 ? kSameFolder : type;
    return naming;
}

VMCFileNaming VMCFileNaming::initWithRegKeyR16(const XStr& key) {
    VMCFileNaming naming = initWithRegKey(key);
    naming.convertToR16Dynamic();
    return naming;
}

void VMCFileNaming::serializeToRegKey(const XStr& key, XRegistryTransaction& transaction) const {
    const XRegistryName root(kRoot);
    const XRegistryName path(key);
    if (mDestination.hasURL()) {
        transaction.SetString(kValueFolderStr, mDestination.url(), root, path);
    } else {
        transaction.DeleteValue(kValueFolderStr, root, path);
    }
    // Plain paths have no bookmark; an empty one is not worth keeping.
    const std::vector<uint8_t>& bookmark = mDestination.bookmark();
    if (!bookmark.empty()) {
        transaction.SetBinary(kValueFolderData, bookmark.data(), bookmark.size(), root, path);
    } else {
        transaction.DeleteValue(kValueFolderData, root, path);
    }
    if (mDestination.hasURL() || !bookmark.empty()) {
        transaction.SetString(kValueFriendlyName, mDestination.friendlyName(), root, path);
    } else {
        transaction.DeleteValue(kValueFriendlyName, root, path);
    }
    transaction.SetString(kValueDynamicNaming, mDynamicFormat, root, path);
    transaction.SetDWORD(kValueNamingType, mFileNamingType, root, path);
}

void VMCFileNaming::saveRecentList(const std::vector<VMCFileNaming>& list) {
    XRegistryTransaction transaction;
    unsigned slot = 0;
    for (const VMCFileNaming& naming : list) {
        if (slot == kRecentCount) {
            break;
        }
        if (!naming.mDestination.hasURL() || naming.isUseParentConfig()) {
            continue;
        }
        transaction.SetString(XStr::format(kValueLastFolder, slot),
                              naming.mDestination.url() + recentDelim() + naming.mDynamicFormat);
        ++slot;
    }
    for (; slot < kRecentCount; ++slot) {
        transaction.DeleteValue(XStr::format(kValueLastFolder, slot));
    }
    transaction.Commit();
}

std::vector<VMCFileNaming> VMCFileNaming::loadRecentList() {
    std::vector<VMCFileNaming> list;
    for (unsigned slot = 0; slot < kRecentCount; ++slot) {
        const XStr text = XRegistry::GetString(XStr::format(kValueLastFolder, slot));
        if (text.empty()) {
            continue;
        }
        // Exactly two parts: the folder and the template.
        const std::size_t at = text.find(recentDelim());
        if (at == XStr::npos || text.find(recentDelim(), at + 1) != XStr::npos) {
            continue;
        }
        const XStr folder = text.left(at);
        const XStr format = text.substr(at + recentDelim().size());
        if (folder.empty() || folder == "(null)" || format.empty()) {
            continue;
        }
        VMCFileNaming naming;
        naming.mFileNamingType = kDynamic;
        naming.mDynamicFormat = format;
        naming.mDestination = VMCLocationDescriptor::withFolderPath(folder);
        list.push_back(naming);
    }
    return list;
}
