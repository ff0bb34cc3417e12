#include "VAResources.h"

#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "XPath.h"

namespace VAResources {

namespace {

std::vector<std::string> folders() {
    std::vector<std::string> out;
    if (const char* env = std::getenv("VANTARO_RESOURCES")) {
        out.emplace_back(env);
    }
    const std::string program = programFolder();
    if (!program.empty()) {
        out.push_back(XPath::join(program, std::string("../share/vantaro")));
    }
#ifdef VANTARO_SOURCE_RESOURCES
    out.emplace_back(VANTARO_SOURCE_RESOURCES);
#endif
    return out;
}

}  // namespace

std::string programFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (n <= 0) {
        return {};
    }
    return XPath::folderOf(std::string(buffer, static_cast<std::size_t>(n)));
}

XStr path(const XStr& name) {
    for (const std::string& folder : folders()) {
        const std::string candidate = XPath::join(folder, name.utf8());
        if (access(candidate.c_str(), R_OK) == 0) {
            return XStr(candidate);
        }
    }
    return {};
}

std::optional<std::string> read(const XStr& name) {
    const XStr found = path(name);
    if (found.empty()) {
        return std::nullopt;
    }
    std::ifstream in(found.utf8(), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

XStrList readLines(const XStr& name) {
    XStrList lines;
    const std::optional<std::string> content = read(name);
    if (!content) {
        return lines;
    }
    for (XStr line : XStr(*content).split(U'\n')) {
        if (!line.empty() && line.back() == U'\r') {
            line.pop_back();
        }
        if (!line.trimmed().empty() && !line.startsWith("#")) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace VAResources
