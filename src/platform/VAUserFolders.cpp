#include "VAUserFolders.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include "XPath.h"

namespace VAUserFolders {

namespace {

std::string home() {
    const char* h = std::getenv("HOME");
    return h != nullptr ? h : "";
}

std::string configHome() {
    const char* c = std::getenv("XDG_CONFIG_HOME");
    if (c != nullptr && c[0] == '/') {
        return c;
    }
    return home() + "/.config";
}

}  // namespace

XStr userFolder(const char* key, const char* fallbackName) {
    const XStr found = userDir(key);
    if (!found.empty()) {
        return found;
    }
    return XPath::join(XStr(home()), fallbackName);
}

XStr userDir(const char* key) {
    std::ifstream in(configHome() + "/user-dirs.dirs");
    std::string line;
    const std::string prefix = std::string(key) + "=";
    while (std::getline(in, line)) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        if (line.compare(start, prefix.size(), prefix) != 0) {
            continue;
        }
        std::string value = line.substr(start + prefix.size());
        if (value.size() >= 2 && value.front() == '"') {
            const std::size_t close = value.find('"', 1);
            value = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        }
        if (value.rfind("$HOME", 0) == 0) {
            value = home() + value.substr(5);
        }
        // The file format allows only absolute paths or paths relative to $HOME.
        if (value.empty() || value[0] != '/') {
            return {};
        }
        return XStr(XPath::withoutTrailingSlash(value));
    }
    return {};
}

XStr documentsFolder() {
    return userFolder("XDG_DOCUMENTS_DIR", "Documents");
}

XStr videosFolder() {
    return userFolder("XDG_VIDEOS_DIR", "Videos");
}

}  // namespace VAUserFolders
