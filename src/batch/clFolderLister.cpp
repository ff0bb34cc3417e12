#include "clFolderLister.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "XCase.h"
#include "XFile.h"
#include "XPath.h"

namespace {

char32_t folded(char32_t c) {
    return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

}  // namespace

int clFolderLister::compareNames(const XStr& a, const XStr& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (XCase::isDigit(a[i]) && XCase::isDigit(b[j])) {
            std::size_t ie = i;
            std::size_t je = j;
            while (ie < a.size() && XCase::isDigit(a[ie])) {
                ++ie;
            }
            while (je < b.size() && XCase::isDigit(b[je])) {
                ++je;
            }
            // Leading zeros count for nothing; then the longer run is the larger number.
            std::size_t is = i;
            std::size_t js = j;
            while (is + 1 < ie && a[is] == U'0') {
                ++is;
            }
            while (js + 1 < je && b[js] == U'0') {
                ++js;
            }
            if (ie - is != je - js) {
                return ie - is < je - js ? -1 : 1;
            }
            for (; is < ie; ++is, ++js) {
                if (a[is] != b[js]) {
                    return a[is] < b[js] ? -1 : 1;
                }
            }
            i = ie;
            j = je;
            continue;
        }
        const char32_t ca = folded(a[i]);
        const char32_t cb = folded(b[j]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    // Equal to people: the exact text decides, so the order is total.
    return a == b ? 0 : (a < b ? -1 : 1);
}

clFolderListing clFolderLister::list(const XStr& folder, const FileWanted& wanted) {
    clFolderListing listing;
    const std::string path = folder.utf8();
    const int dirFd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = dirFd >= 0 ? fdopendir(dirFd) : nullptr;
    if (dir == nullptr) {
        listing.error = XErrnoText(errno);
        if (dirFd >= 0) {
            close(dirFd);
        }
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent* e = readdir(dir);
        if (e == nullptr) {
            break;
        }
        if (e->d_name[0] == '.') {
            continue;
        }
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            type = S_ISDIR(st.st_mode)   ? DT_DIR
                   : S_ISLNK(st.st_mode) ? DT_LNK
                   : S_ISREG(st.st_mode) ? DT_REG
                                         : DT_UNKNOWN;
        }
        clFolderItem item;
        item.name = XStr(e->d_name);
        if (type == DT_DIR) {
            item.isDirectory = true;
        } else if (type == DT_REG || type == DT_LNK) {
            if (wanted && !wanted(item.name)) {
                continue;
            }
            struct stat st {};
            if (fstatat(dirFd, e->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode)) {
                continue;
            }
            item.isFile = true;
            item.size = st.st_size;
            item.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        } else {
            continue;
        }
        item.url = XPath::join(folder, item.name);
        listing.items.push_back(std::move(item));
    }
    const int readError = errno;
    closedir(dir);
    if (readError != 0) {
        listing.error = XErrnoText(readError);
        listing.items.clear();
        return listing;
    }
    std::sort(listing.items.begin(), listing.items.end(),
              [](const clFolderItem& a, const clFolderItem& b) {
                  return compareNames(a.name, b.name) < 0;
              });
    listing.ok = true;
    return listing;
}
