#include "VAAppDataFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "XPath.h"

namespace VAAppDataFolder {

namespace {

std::mutex gMutex;
XStr gAppName;

XStr env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? XStr(v) : XStr();
}

bool makeFolder(const std::string& path, mode_t mode) {
    if (mkdir(path.c_str(), mode) == 0) {
        return true;
    }
    struct stat st {};
    return errno == EEXIST && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

void registerAppName(const XStr& name) {
    std::lock_guard<std::mutex> lock(gMutex);
    gAppName = name.size() >= 2 ? name : XStr();
}

XStr appName() {
    std::lock_guard<std::mutex> lock(gMutex);
    return gAppName;
}

XStr baseFolder() {
    if (std::getenv("_APPDATA_OVERRIDE") != nullptr) {
        return env("_APPDATA_OVERRIDE");
    }
    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    const XStr xdg = env("XDG_DATA_HOME");
    if (!xdg.empty() && xdg.front() == U'/') {
        return xdg;
    }
    return XPath::join(env("HOME"), ".local/share");
}

XStr path() {
    const XStr name = appName();
    const XStr base = baseFolder();
    return name.empty() ? base : XPath::join(base, name);
}

bool ensureExists() {
    const std::string full = path().utf8();
    if (full.empty()) {
        return false;
    }
    // Parents get the usual mode; only the application's own folder is private.
    for (std::size_t i = 1; i < full.size(); ++i) {
        if (full[i] == '/') {
            makeFolder(full.substr(0, i), 0777);
        }
    }
    return makeFolder(full, 0700);
}

}  // namespace VAAppDataFolder
