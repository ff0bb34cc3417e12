#include "VMCBatchSelection.h"

#include <algorithm>

#include "XPath.h"

namespace {

std::optional<int> folderState(const XPropertyDictionary& selection, const XStr& path) {
    const XPropertyValue* value = selection.find(path);
    if (value == nullptr || !value->isString()) {
        return std::nullopt;
    }
    return clFolderListEntry::stateNamed(value->stringValue());
}

}  // namespace

void VMCBatchSelection::addLocations(XPropertyDictionary& selection, const XStrList& folders,
                                     bool recursive, const XStrList& files) {
    const int folderChoice =
        recursive ? clFolderListEntry::kRecursive : clFolderListEntry::kNonRecursive;
    for (const XStr& folder : folders) {
        const XStr path = XPath::withoutTrailingSlash(folder);
        const std::optional<int> had = folderState(selection, path);
        // Recursive wins over anything less.
        if (!had || *had != clFolderListEntry::kRecursive) {
            selection.set(path, clFolderListEntry::persistedName(folderChoice));
        }
    }
    for (const XStr& file : files) {
        selection.set(file, XStr(clFolderListEntry::kCheckedName));
        const XStr folder = XPath::folderOf(file);
        if (!folderState(selection, folder)) {
            selection.set(folder,
                          clFolderListEntry::persistedName(clFolderListEntry::kIndivSelected));
        }
    }
}

XStrList VMCBatchSelection::rootsOf(const XPropertyDictionary& selection) {
    XStrList roots;
    for (const auto& [path, value] : selection) {
        if (!folderState(selection, path)) {
            continue;
        }
        bool root = true;
        const XStr parent = XPath::folderOf(path);
        if (parent != path && folderState(selection, parent)) {
            root = false;
        }
        for (XStr up = parent; root && up != XPath::folderOf(up); up = XPath::folderOf(up)) {
            if (folderState(selection, up) == clFolderListEntry::kRecursive) {
                root = false;
            }
        }
        if (root && path != parent &&
            folderState(selection, "/") == clFolderListEntry::kRecursive) {
            root = false;
        }
        if (root) {
            roots.push_back(path);
        }
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

std::vector<clFolderListEntry::Ptr> VMCBatchSelection::makeRoots(
    const XPropertyDictionary& selection, const std::shared_ptr<folderListGlobals>& globals) {
    globals->setSelection(selection);
    std::vector<clFolderListEntry::Ptr> roots;
    for (const XStr& path : rootsOf(selection)) {
        clFolderListEntry::Ptr root = clFolderListEntry::rootForURL(path, globals);
        root->applySelectionData(selection);
        roots.push_back(root);
    }
    return roots;
}
