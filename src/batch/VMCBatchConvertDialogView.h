// What the batch converter's controller asks of its window.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "XStr.h"
#include "clFolderListEntry.h"

class VMCBatchConvertDialogView {
public:
    virtual ~VMCBatchConvertDialogView() = default;

    // A folder's subfolders changed (the tree updates its rows).
    virtual void folderChanged(const clFolderListEntry::Ptr& folder,
                               const clFoldersAddRemove& change) = 0;
    // A folder's check box needs redrawing.
    virtual void folderCheckStateChanged(const clFolderListEntry::Ptr& folder) = 0;
    // The tree shows this folder as selected, expanded down to it.
    virtual void showCurrentFolder(const clFolderListEntry::Ptr& folder) = 0;
    // The file list of the current folder changed (files, check boxes or information).
    virtual void refreshFiles() = 0;
    virtual void setStatusText(const XStr& text) = 0;
    virtual void setFilterHighlighted(bool active) = 0;
    // The profile chooser's items and the one it shows.
    virtual void setProfileChoices(const XStrList& items, const XStr& shown) = 0;
    // A question with two answers (Escape answers the second).
    virtual void askQuestion(const XStr& text, const XStr& yes, const XStr& no,
                             std::function<void(bool)> answer) = 0;
    // A new profile's name; the names taken are refused. Nothing when cancelled.
    virtual void askProfileName(const XStrList& taken,
                                std::function<void(std::optional<XStr>)> answer) = 0;
    virtual void showMessage(const XStr& text) = 0;
    virtual void showAccessError(const clFolderListEntry::Ptr& folder, const XStr& error) = 0;
};
