#include "VMCPathCleanup.h"

#include <utility>
#include <vector>

#include "VMCFolderCase.h"
#include "XPath.h"
#include "XUtf8.h"

namespace {

std::size_t bytesOf(char32_t c) {
    if (XUtf8::isEscapedByte(c)) {
        return 1;
    }
    // Written as U+FFFD.
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return 3;
    }
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

bool isControl(char32_t c) {
    return c < 32 || c == 127;
}

// The replacement of a character after the table: itself when it is not listed, nothing
// when its partner is "*". A last character without partner replaces nothing.
std::optional<char32_t> replaced(char32_t c, const XStr& table) {
    for (std::size_t i = 0; i + 1 < table.size(); i += 2) {
        if (table[i] == c) {
            if (table[i + 1] == U'*') {
                return std::nullopt;
            }
            return table[i + 1];
        }
    }
    return c;
}

bool isDotName(const XStr& name) {
    return name == "." || name == "..";
}

// Points and blanks at the start of a name go: no hidden names, no "." or "..".
XStr withoutLeadingDots(const XStr& name) {
    std::size_t start = 0;
    while (start < name.size() && (name[start] == U'.' || name[start] == U' ')) {
        ++start;
    }
    XStr out = name.substr(start);
    return out.empty() ? XStr("_") : out;
}

// Shortens the names until the whole path fits: the file name's base first while it is
// long or there is no folder, else the deepest folder. False when only the base folder
// would be left to cut.
bool fitWholePath(std::vector<XStr>& names, std::size_t prefixBytes) {
    std::size_t total = prefixBytes;
    for (const XStr& name : names) {
        total += VMCPathCleanup::byteSize(name) + 1;
    }
    total -= names.empty() ? 0 : 1;
    if (total <= VMCPathCleanup::kMaxPathBytes) {
        return true;
    }
    if (names.empty()) {
        return false;
    }
    XStr& file = names.back();
    const XStr ext = XPath::extension(file);
    XStr base = file.left(file.size() - ext.size());
    std::size_t baseBytes = VMCPathCleanup::byteSize(base);
    while (total > VMCPathCleanup::kMaxPathBytes) {
        if (baseBytes >= VMCPathCleanup::kLongBase || names.size() == 1) {
            if (base.size() <= 1) {
                return false;
            }
            const std::size_t n = bytesOf(base.back());
            base.pop_back();
            baseBytes -= n;
            total -= n;
            continue;
        }
        XStr& deepest = names[names.size() - 2];
        total -= bytesOf(deepest.back());
        deepest.pop_back();
        // A folder cut down to nothing, or to "." or "..", goes with its separator.
        if (deepest.empty() || isDotName(deepest)) {
            total -= VMCPathCleanup::byteSize(deepest) + 1;
            names.erase(names.end() - 2);
        }
    }
    names.back() = base + ext;
    return true;
}

}  // namespace

std::size_t VMCPathCleanup::byteSize(const XStr& text) {
    std::size_t n = 0;
    for (const char32_t c : text) {
        n += bytesOf(c);
    }
    return n;
}

XStr VMCPathCleanup::limitName(const XStr& name, bool isFileName) {
    if (byteSize(name) <= kMaxNameBytes) {
        return name;
    }
    XStr ext = isFileName ? XPath::extension(name) : XStr();
    // An extension that leaves no room for a name is no extension to keep.
    if (byteSize(ext) >= kMaxNameBytes) {
        ext.clear();
    }
    XStr base = name.left(name.size() - ext.size());
    std::size_t bytes = byteSize(base) + byteSize(ext);
    while (bytes > kMaxNameBytes) {
        bytes -= bytesOf(base.back());
        base.pop_back();
    }
    return base + ext;
}

std::optional<XStr> VMCPathCleanup::cleanPath(const XStr& path, const Options& options) {
    // The part left alone, and the part cleaned.
    XStr prefix;
    std::size_t start = 0;
    while (start < path.size() && path[start] == U'/') {
        ++start;
    }
    if (options.base.empty()) {
        prefix = path.left(start);
    } else {
        prefix = XPath::withoutTrailingSlash(options.base);
        if (prefix != "/") {
            prefix += U'/';
        }
    }

    // Characters, except in the kept folders.
    const std::size_t lastSlash = path.rfind(U'/');
    const std::size_t lastDot = path.rfind(U'.');
    const std::size_t extDot =
        lastDot != XStr::npos && (lastSlash == XStr::npos || lastDot > lastSlash) ? lastDot
                                                                                  : XStr::npos;
    std::vector<XStr> names(1);
    for (std::size_t i = start; i < path.size(); ++i) {
        const char32_t c = path[i];
        const bool kept = names.size() <= options.keptFolders;
        if (c == U'/' && (options.keepSlash || kept)) {
            names.emplace_back();
            continue;
        }
        if (kept || i == extDot) {
            names.back() += c;
            continue;
        }
        const std::optional<char32_t> r = replaced(c, options.table);
        if (!r) {
            continue;
        }
        if (*r == U'/') {
            names.emplace_back();
        } else {
            names.back() += isControl(*r) ? U'_' : *r;
        }
    }
    // Names that were empty ("a//b", a trailing "/") drop out.
    std::size_t count = 0;
    for (const XStr& name : names) {
        count += name.empty() ? 0 : 1;
    }

    // Each name on its own; the last one is the file's.
    std::vector<XStr> cleaned;
    cleaned.reserve(count);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty()) {
            continue;
        }
        const bool isFileName = cleaned.size() + 1 == count;
        const bool kept = i < options.keptFolders && !isFileName && !isDotName(names[i]);
        XStr name = limitName(names[i], isFileName);
        if (!kept) {
            name = limitName(withoutLeadingDots(name), isFileName);
        }
        cleaned.push_back(std::move(name));
    }

    if (options.limitWholePath && !fitWholePath(cleaned, byteSize(prefix))) {
        return std::nullopt;
    }

    if (options.matchCase != nullptr) {
        XStr folder = prefix.empty() ? XStr(".") : XPath::withoutTrailingSlash(prefix);
        for (XStr& name : cleaned) {
            const std::optional<XStr> spelling = options.matchCase->spellingIn(folder, name);
            if (!spelling) {
                break;
            }
            name = *spelling;
            folder = XPath::join(folder, name);
        }
    }

    if (cleaned.empty()) {
        return prefix.empty() ? prefix : XPath::withoutTrailingSlash(prefix);
    }
    XStr out = prefix;
    for (std::size_t i = 0; i < cleaned.size(); ++i) {
        if (i > 0) {
            out += U'/';
        }
        out += cleaned[i];
    }
    return out;
}

bool VMCPathCleanup::isSafeInside(const XStr& folder, const XStr& path) {
    const XStr base = XPath::withoutTrailingSlash(folder);
    const XStr inside = base == "/" ? base : base + "/";
    if (byteSize(path) > kMaxPathBytes || !path.startsWith(inside) ||
        path.size() == inside.size()) {
        return false;
    }
    for (const XStr& name : path.substr(inside.size()).split(U'/')) {
        if (name.empty() || isDotName(name) || byteSize(name) > kMaxNameBytes) {
            return false;
        }
    }
    return true;
}
