#include "VMCFileURL.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace VMCFileURL {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Some file managers name the machine itself rather than leaving the host empty.
bool isThisMachine(std::string_view host) {
    if (host.empty() || sameText(host, "localhost")) {
        return true;
    }
    char name[256] = {};
    return gethostname(name, sizeof(name) - 1) == 0 && sameText(host, name);
}

}  // namespace

std::optional<XStr> localPath(std::string_view url) {
    constexpr std::string_view kScheme = "file:";
    if (url.size() < kScheme.size() || !sameText(url.substr(0, kScheme.size()), kScheme)) {
        return std::nullopt;
    }
    std::string_view rest = url.substr(kScheme.size());
    // A query or fragment is no part of the name; the characters themselves arrive escaped.
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos || !isThisMachine(rest.substr(0, slash))) {
            return std::nullopt;
        }
        rest.remove_prefix(slash);
    }
    if (rest.empty() || rest.front() != '/') {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const int high = rest[i] == '%' && i + 2 < rest.size() ? hexDigit(rest[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(rest[i + 2]) : -1;
        if (low >= 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += rest[i];
        }
    }
    if (bytes.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return XStr(bytes);
}

}  // namespace VMCFileURL
