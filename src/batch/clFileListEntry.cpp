#include "clFileListEntry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include "VAStringTools.h"
#include "XPath.h"
#include "clFolderListEntry.h"
#include "clFolderLister.h"

clFileListEntry::clFileListEntry(XStr url, std::weak_ptr<clFolderListEntry> parent, int64_t size,
                                 int64_t lastModifiedNs)
    : mURL(std::move(url)),
      mParent(std::move(parent)),
      mSize(size),
      mLastModified(lastModifiedNs) {}

void clFileListEntry::setChecked(bool checked) {
    if (mChecked.exchange(checked) == checked) {
        return;
    }
    if (std::shared_ptr<clFolderListEntry> folder = mParent.lock()) {
        folder->onFileChecked(checked);
    }
}

XStr clFileListEntry::url() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mURL;
}

XStr clFileListEntry::name() const {
    return XPath::fileName(url());
}

XStr clFileListEntry::formatName() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mFormatName;
}

std::shared_ptr<const VAMediaFileInfo> clFileListEntry::info() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    return mInfo;
}

std::shared_ptr<const VAFileInfoColumns> clFileListEntry::columnsInfo() const {
    const std::lock_guard<std::mutex> lock(mMutex);
    // Made when a column first asks: most entries of a collection are never shown.
    if (!mColumnsInfo && mInfo) {
        mColumnsInfo = std::make_shared<VAFileInfoColumns>(*mInfo);
    }
    return mColumnsInfo;
}

void clFileListEntry::refreshWithURL(const XStr& url, const XStr& formatName,
                                     std::shared_ptr<const VAMediaFileInfo> info) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mURL = url;
    mFormatName = formatName;
    if (info != mInfo) {
        mColumnsInfo.reset();
    }
    mInfo = std::move(info);
}

void clFileListEntry::setSizeAndTime(int64_t size, int64_t lastModifiedNs) {
    mSize = size;
    mLastModified = lastModifiedNs;
}

XStr clFileListEntry::formatDate(int64_t unixSeconds) {
    if (unixSeconds == 0) {
        return {};
    }
    const time_t t = static_cast<time_t>(unixSeconds);
    struct tm local {};
    if (localtime_r(&t, &local) == nullptr) {
        return {};
    }
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return XStr(std::string_view(text, n));
}

namespace {

// The file's other dates, looked up when a column asks for them.
int64_t otherDate(const XStr& path, bool created) {
    struct statx st {};
    const unsigned mask = created ? STATX_BTIME : STATX_ATIME;
    if (statx(AT_FDCWD, path.utf8().c_str(), 0, mask, &st) != 0 || (st.stx_mask & mask) == 0) {
        return 0;
    }
    return created ? st.stx_btime.tv_sec : st.stx_atime.tv_sec;
}

}  // namespace

XPropertyValue clFileListEntry::attribByName(const XStr& column, bool forSort) const {
    if (column == "Name") {
        return name();
    }
    if (column == "Folder") {
        const std::shared_ptr<clFolderListEntry> folder = parent();
        return folder ? folder->name() : XPath::fileName(XPath::folderOf(url()));
    }
    if (column == "Size") {
        return forSort ? XPropertyValue(size())
                       : XPropertyValue(VAStringTools::formatFileSize(uint64_t(size())));
    }
    if (column == "Type") {
        return formatName();
    }
    if (column == "Date Modified" || column == "Date Created" || column == "Date Accessed") {
        const int64_t seconds = column == "Date Modified"
                                    ? lastModified() / 1000000000
                                    : otherDate(url(), column == "Date Created");
        return forSort ? XPropertyValue(seconds) : XPropertyValue(formatDate(seconds));
    }
    if (const std::shared_ptr<const VAFileInfoColumns> columns = columnsInfo()) {
        return columns->getValue(column, forSort);
    }
    return XStr();
}

XPropertyValue clFileListEntry::valueForKey(const XStr& key) const {
    if (key.startsWith("sort-")) {
        return attribByName(key.substr(5), true);
    }
    return attribByName(key, false);
}

int clFileListEntry::compareSortValues(const XPropertyValue& a, const XPropertyValue& b) {
    if (a.isNumber() && b.isNumber()) {
        return a.numberValue() < b.numberValue() ? -1 : (a.numberValue() > b.numberValue() ? 1 : 0);
    }
    return clFolderLister::compareNames(a.stringValue(), b.stringValue());
}
