// The batch converter's file list panel as a controller: every collected file in one flat
// list that sorts by any column, with check boxes, reveal, and convert; probe information
// the tree had not read yet is read in the background while the list is shown.
#pragma once

#include <memory>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "KillSwitch.h"
#include "VMCBatchConvertHost.h"
#include "VMCBatchFileListDialogView.h"
#include "VMCTableColumns.h"
#include "clFileListEntry.h"

class VMCBatchFileListDialog : public std::enable_shared_from_this<VMCBatchFileListDialog> {
public:
    using FilePtr = std::shared_ptr<clFileListEntry>;
    struct Delivery {
        FilePtr file;
        std::shared_ptr<const VAMediaFileInfo> info;
    };

    static constexpr const char* kSaveName = "Batch Converter File List";
    static constexpr const char* kCheckboxColumn = "Checkbox";
    static constexpr uint32_t kDeliveryMs = 200;

    // initWithFiles:hostDlg:
    static std::shared_ptr<VMCBatchFileListDialog> create(
        std::vector<FilePtr> files, std::weak_ptr<VMCBatchConvertHost> host,
        std::shared_ptr<VMCUserDefaults> defaults);
    ~VMCBatchFileListDialog();
    VMCBatchFileListDialog(const VMCBatchFileListDialog&) = delete;
    VMCBatchFileListDialog& operator=(const VMCBatchFileListDialog&) = delete;

    void setView(std::weak_ptr<VMCBatchFileListDialogView> view) { mView = std::move(view); }
    // Stops a reader still at work on an earlier list, takes a copy, and starts reading.
    void setFiles(std::vector<FilePtr> files);
    const std::vector<FilePtr>& files() const { return mFiles; }
    VMCTableColumns& columns() { return *mColumns; }

    XStr panelName() const { return "Video Files Converting"; }
    XStr panelSizeClass() const { return "Batch Converter"; }

    // "Checkbox" gives the check state; other columns the file's value.
    XPropertyValue cellValue(std::size_t row, const XStr& column) const;
    void setChecked(std::size_t row, bool checked);
    void checkAll();
    void uncheckAll();
    void invertSelection();
    void checkOnlySelected(const std::vector<std::size_t>& rows);
    // Every selected row takes the opposite of the first selected row's state.
    void toggleSelected(const std::vector<std::size_t>& rows);
    static XStr toggleItemTitle(std::size_t selectedRows);
    // The rows acted on: the selection when the clicked row is in it, else the clicked row.
    XStrList grabURLsForAction(std::size_t clickedRow,
                               const std::vector<std::size_t>& selectedRows) const;
    void reveal(std::size_t clickedRow, const std::vector<std::size_t>& selectedRows);
    // Sorts by the keys ("sort-Name", ...), first key first.
    void sortBy(const std::vector<VMCTableColumns::SortDescriptor>& descriptors);
    std::optional<std::size_t> rowOf(const XStr& url);

    XStr statusText() const;
    bool convertEnabled() const;
    void refreshStatus();
    void onButtonOK();
    void onButtonConvert();
    // Information from the reader, on the main thread.
    void deliverInfo(const std::vector<Delivery>& batch);

private:
    VMCBatchFileListDialog(std::weak_ptr<VMCBatchConvertHost> host,
                           std::shared_ptr<VMCUserDefaults> defaults);
    void stopReader();
    void afterCheckChange();

    std::weak_ptr<VMCBatchConvertHost> mHost;
    std::weak_ptr<VMCBatchFileListDialogView> mView;
    std::vector<FilePtr> mFiles;
    std::optional<std::unordered_map<XStr, std::size_t>> mFileIndexMap;
    std::unique_ptr<VMCTableColumns> mColumns;
    std::unique_ptr<KillSwitchHolder> mKS;
    std::thread mReader;
};
