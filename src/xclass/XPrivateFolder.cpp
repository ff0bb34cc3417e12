#include "XPrivateFolder.h"

#include <dirent.h>
#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "XPath.h"

namespace {

std::mutex gMutex;
std::string gFolder;
bool gAtExit = false;

std::vector<std::string> places() {
    std::vector<std::string> out;
    for (const char* name : {"XTempFolderScope_Location", "XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(name);
        // An empty value would put the folder into the root folder.
        if (value != nullptr && *value != 0) {
            out.emplace_back(value);
        }
    }
    out.emplace_back("/tmp");
    for (std::string& place : out) {
        place = XPath::withoutTrailingSlash(place);
    }
    return out;
}

// Only our own files live in the folder, and never a subfolder.
void removeFolder(const std::string& folder) {
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                unlinkat(dirfd(dir), entry->d_name, 0);
            }
        }
        closedir(dir);
    }
    rmdir(folder.c_str());
}

void removeAtExit() {
    XPrivateFolder::remove();
}

// "vantaro-<pid>-XXXXXX": the process id, or 0 when the name is not one of ours.
long ownerOf(const std::string& name) {
    const std::string prefix = XPrivateFolder::kPrefix;
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    const std::size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || dash == prefix.size() || dash - prefix.size() > 10 ||
        name.size() != dash + 7) {
        return 0;
    }
    const std::string digits = name.substr(prefix.size(), dash - prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const long pid = std::strtol(digits.c_str(), nullptr, 10);
    return pid > 0 && pid <= INT_MAX ? pid : 0;
}

}  // namespace

namespace XPrivateFolder {

XFileName path() {
    std::lock_guard<std::mutex> lock(gMutex);
    struct stat st {};
    // A cleaner of temporary folders may have taken it: make another.
    if (!gFolder.empty() && (lstat(gFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        gFolder.clear();
    }
    if (gFolder.empty()) {
        for (const std::string& place : places()) {
            std::string templ = XPath::join(
                place, kPrefix + std::to_string(static_cast<long>(getpid())) + "-XXXXXX");
            if (mkdtemp(templ.data()) != nullptr) {
                gFolder = templ + "/";
                break;
            }
        }
        if (!gFolder.empty() && !gAtExit) {
            gAtExit = true;
            std::atexit(removeAtExit);
        }
    }
    return XFileName(gFolder);
}

void remove() {
    std::lock_guard<std::mutex> lock(gMutex);
    if (!gFolder.empty()) {
        removeFolder(gFolder);
        gFolder.clear();
    }
}

unsigned removeLeftovers() {
    unsigned removed = 0;
    const uid_t me = geteuid();
    for (const std::string& place : places()) {
        DIR* dir = opendir(place.c_str());
        if (dir == nullptr) {
            continue;
        }
        while (const dirent* entry = readdir(dir)) {
            const long pid = ownerOf(entry->d_name);
            if (pid == 0 || pid == getpid() || kill(static_cast<pid_t>(pid), 0) == 0 ||
                errno != ESRCH) {
                continue;
            }
            const std::string folder = XPath::join(place, std::string(entry->d_name));
            struct stat st {};
            if (lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == me) {
                removeFolder(folder);
                ++removed;
            }
        }
        closedir(dir);
    }
    return removed;
}

}  // namespace XPrivateFolder
