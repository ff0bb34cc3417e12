// One media file in a folder's list: whether it is checked, its format, size and time, and
// its probe information with the column values made from it once it is known.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "VAFileInfoColumns.h"
#include "VAMediaFileInfo.h"
#include "XPropertyValue.h"
#include "XStr.h"

class clFolderListEntry;

class clFileListEntry {
public:
    clFileListEntry(XStr url, std::weak_ptr<clFolderListEntry> parent, int64_t size,
                    int64_t lastModifiedNs);

    bool checked() const { return mChecked.load(); }
    // Tells the folder, whose state may follow.
    void setChecked(bool checked);
    // Without telling anybody; for changes the folder makes itself.
    void setCheckedQuietly(bool checked) { mChecked = checked; }
    int checkState() const { return checked() ? 1 : 0; }
    // Only 1 checks.
    void setCheckState(int state) { setChecked(state == 1); }

    XStr url() const;
    XStr name() const;
    XStr formatName() const;
    std::shared_ptr<clFolderListEntry> parent() const { return mParent.lock(); }
    int64_t size() const { return mSize.load(); }
    int64_t lastModified() const { return mLastModified.load(); }
    std::shared_ptr<const VAMediaFileInfo> info() const;
    std::shared_ptr<const VAFileInfoColumns> columnsInfo() const;

    // New location, format and information (the column values follow the information).
    void refreshWithURL(const XStr& url, const XStr& formatName,
                        std::shared_ptr<const VAMediaFileInfo> info);
    void setSizeAndTime(int64_t size, int64_t lastModifiedNs);

    // The value shown in a column ("Name", "Folder", "Size", "Type", the dates, and the
    // information columns); with forSort the value to sort on.
    XPropertyValue attribByName(const XStr& column, bool forSort = false) const;
    // "sort-Name" and the like give the sort value of the named column.
    XPropertyValue valueForKey(const XStr& key) const;

    // The order of two sort values: numbers by value, text as people sort names.
    static int compareSortValues(const XPropertyValue& a, const XPropertyValue& b);

    // A time as the lists show it; nothing for the start of 1970.
    static XStr formatDate(int64_t unixSeconds);

private:
    mutable std::mutex mMutex;
    std::atomic<bool> mChecked{false};
    XStr mURL;
    XStr mFormatName;
    std::weak_ptr<clFolderListEntry> mParent;
    std::atomic<int64_t> mSize;
    std::atomic<int64_t> mLastModified;
    std::shared_ptr<const VAMediaFileInfo> mInfo;
    mutable std::shared_ptr<const VAFileInfoColumns> mColumnsInfo;
};
