#include "XTempFolderScope.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "XPath.h"
#include "XTempFile.h"

namespace {

constexpr int kMaxFolders = 1000;

void removeTree(const std::string& path);

// Everything in the folder (but the lock file unless asked); never follows a link.
void emptyFolder(const std::string& folder, bool withLock) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
            (withLock || std::strcmp(name, XTempFolderScope::kLockName) != 0)) {
            names.emplace_back(name);
        }
    }
    closedir(dir);
    for (const std::string& name : names) {
        removeTree(folder + "/" + name);
    }
}

// An unpacked archive may hold folders without write permission: each folder is opened up
// before its content goes.
void removeTree(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) {
        return;
    }
    if (!S_ISDIR(st.st_mode)) {
        unlink(path.c_str());
        return;
    }
    chmod(path.c_str(), 0700);
    emptyFolder(path, true);
    rmdir(path.c_str());
}

// A folder that someone else made, or that anybody else may enter, is not ours to use.
bool isOurPrivateFolder(const std::string& folder) {
    struct stat st {};
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

}  // namespace

XTempFolderScope::XTempFolderScope() {
    const std::string base = XTempFile::Folder().utf8();
    for (int i = 0; i < kMaxFolders; ++i) {
        const std::string folder = base + kFolderPrefix + std::to_string(i);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            continue;
        }
        if (!isOurPrivateFolder(folder)) {
            continue;
        }
        const std::string lock = XPath::join(folder, std::string(kLockName));
        const int fd = open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            continue;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd);
            continue;
        }
        // Left behind by a process that ended inside its scope.
        emptyFolder(folder, false);
        mLockFD = fd;
        mPath = XFileName(folder + "/");
        return;
    }
}

XTempFolderScope::~XTempFolderScope() {
    if (mLockFD < 0) {
        return;
    }
    const std::string folder = XPath::withoutTrailingSlash(mPath.utf8());
    emptyFolder(folder, true);
    rmdir(folder.c_str());
    close(mLockFD);
}
