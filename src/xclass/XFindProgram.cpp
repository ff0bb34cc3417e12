#include "XFindProgram.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "XPath.h"

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string currentFolder() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof(buffer)) != nullptr ? std::string(buffer) : std::string();
}

}  // namespace

XStr XFindProgram(const XStr& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty()) {
        return {};
    }
    const std::string program = name.utf8();
    const std::string entries = path;
    std::size_t start = 0;
    while (start <= entries.size()) {
        std::size_t colon = entries.find(':', start);
        if (colon == std::string::npos) {
            colon = entries.size();
        }
        std::string folder = entries.substr(start, colon - start);
        if (folder.empty() || folder[0] != '/') {
            const std::string cwd = currentFolder();
            folder = folder.empty() ? cwd : XPath::join(cwd, folder);
        }
        const std::string candidate = XPath::join(folder, program);
        if (isExecutableFile(candidate)) {
            return XStr(candidate);
        }
        start = colon + 1;
    }
    return {};
}
