#include "VASourceList.h"

#include <dirent.h>
#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "VADisplayText.h"
#include "XPath.h"

VASourceList::VASourceList() : mLister(listFolder) {}

XStr VASourceList::absolutePath(const XStr& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path.utf8(), ignored);
    // "dir/" normalises to "dir/"; the folder itself is meant.
    return XStr(XPath::withoutTrailingSlash(absolute.lexically_normal().string()));
}

bool VASourceList::listFolder(const std::string& folder, std::vector<std::string>& names,
                              int& error) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        error = errno;
        return false;
    }
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    error = errno;
    closedir(dir);
    return error == 0;
}

bool VASourceList::expand(const XStrList& operands, XStrList& files, std::string& error,
                          std::vector<std::string>* notes) const {
    for (const XStr& operand : operands) {
        if (!expandOne(operand, files, error, notes)) {
            return false;
        }
    }
    return true;
}

bool VASourceList::expandOne(const XStr& operand, XStrList& files, std::string& error,
                             std::vector<std::string>* notes) const {
    const XStr path = absolutePath(operand);
    struct stat st {};
    if (stat(path.utf8().c_str(), &st) != 0) {
        const int e = errno;
        error = e == ENOENT || e == ENOTDIR
                    ? "No such file: " + VADisplayText::quoted(operand).utf8()
                    : "Cannot read " + VADisplayText::quoted(operand).utf8() + ": " + strerror(e);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        files.push_back(path);
        return true;
    }
    std::vector<std::string> names;
    int e = 0;
    if (!mLister(path.utf8(), names, e)) {
        error = "Cannot read folder " + VADisplayText::quoted(operand).utf8() + ": " + strerror(e);
        return false;
    }
    std::sort(names.begin(), names.end());
    uint64_t leftOut = 0;
    for (const std::string& name : names) {
        if (name.empty() || name[0] == '.') {
            continue;
        }
        const std::string child = XPath::join(path.utf8(), name);
        struct stat cs {};
        if (stat(child.c_str(), &cs) != 0 || !S_ISREG(cs.st_mode)) {
            continue;
        }
        if (mWanted && !mWanted(XStr(name))) {
            ++leftOut;
            continue;
        }
        files.push_back(XStr(child));
    }
    if (leftOut != 0 && notes != nullptr) {
        notes->push_back(
            "Left out " + std::to_string(leftOut) + (leftOut == 1 ? " file in " : " files in ") +
            VADisplayText::quoted(operand).utf8() +
            (leftOut == 1 ? " that is not a media file" : " that are not media files"));
    }
    return true;
}
