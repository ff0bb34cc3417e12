#include "VASystemVersion.h"

#include <sys/utsname.h>

#include <fstream>
#include <sstream>
#include <string>

#ifndef VANTARO_APP_VERSION
#define VANTARO_APP_VERSION "0"
#endif

namespace VASystemVersion {

namespace {

// The value of NAME= in os-release's shell-like syntax: quotes taken off, backslash
// escapes read.
std::string valueOf(std::string_view text, std::string_view name) {
    std::string found;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        if (line.size() <= name.size() || line.compare(0, name.size(), name) != 0 ||
            line[name.size()] != '=') {
            continue;
        }
        std::string value = line.substr(name.size() + 1);
        while (!value.empty() && (value.back() == ' ' || value.back() == '\r')) {
            value.pop_back();
        }
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            const char quote = value.front();
            std::string inner;
            for (std::size_t i = 1; i + 1 < value.size(); ++i) {
                if (quote == '"' && value[i] == '\\' && i + 2 < value.size()) {
                    ++i;
                }
                inner += value[i];
            }
            value = inner;
        }
        found = value;
    }
    return found;
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

namespace {

XStr& givenVersion() {
    static XStr version;
    return version;
}

}  // namespace

XStr appVersion() {
    return givenVersion().empty() ? XStr(VANTARO_APP_VERSION) : givenVersion();
}

void setAppVersion(const XStr& version) {
    givenVersion() = version;
}

XStr osVersionFrom(std::string_view osRelease, std::string_view kernelRelease) {
    std::string name = valueOf(osRelease, "PRETTY_NAME");
    if (name.empty()) {
        name = valueOf(osRelease, "NAME");
    }
    if (name.empty()) {
        name = "Linux";
    }
    if (!kernelRelease.empty()) {
        name += ' ';
        name += kernelRelease;
    }
    return XStr(name);
}

XStr osVersion() {
    std::string text = readFile("/etc/os-release");
    if (text.empty()) {
        text = readFile("/usr/lib/os-release");
    }
    utsname names{};
    const std::string release = uname(&names) == 0 ? std::string(names.release) : std::string();
    return osVersionFrom(text, release);
}

}  // namespace VASystemVersion
