#include "XPath.h"

#include <cstdlib>

namespace {

// The same rules for text and for bytes.
template <typename S>
S trimTrailing(const S& path) {
    std::size_t end = path.size();
    while (end > 1 && path[end - 1] == '/') {
        --end;
    }
    return path.substr(0, end);
}

template <typename S>
S lastComponent(const S& path) {
    const S trimmed = trimTrailing(path);
    if (trimmed.size() == 1 && trimmed[0] == '/') {
        return trimmed;
    }
    const std::size_t slash = trimmed.rfind('/');
    return slash == S::npos ? trimmed : trimmed.substr(slash + 1);
}

template <typename S>
S parentFolder(const S& path, const S& dot, const S& root) {
    const S trimmed = trimTrailing(path);
    const std::size_t slash = trimmed.rfind('/');
    if (slash == S::npos) {
        return dot;
    }
    std::size_t end = slash;
    while (end > 0 && trimmed[end - 1] == '/') {
        --end;
    }
    return end == 0 ? root : trimmed.substr(0, end);
}

template <typename S>
S joined(const S& folder, const S& name) {
    if (folder.empty()) {
        return name;
    }
    std::size_t start = 0;
    while (start < name.size() && name[start] == '/') {
        ++start;
    }
    S out = trimTrailing(folder);
    if (start == name.size()) {
        return out;
    }
    if (out.back() != '/') {
        out.push_back('/');
    }
    out.append(name, start, S::npos);
    return out;
}

// Where the extension of a file name starts; npos when it has none. The points a hidden
// name begins with are part of its name.
std::size_t extensionStart(const XStr& name) {
    std::size_t first = 0;
    while (first < name.size() && name[first] == U'.') {
        ++first;
    }
    const std::size_t dot = name.rfind(U'.');
    return dot == XStr::npos || dot < first ? XStr::npos : dot;
}

}  // namespace

namespace XPath {

XStr fileName(const XStr& path) {
    return XStr(lastComponent(path.units()));
}

std::string fileName(const std::string& path) {
    return lastComponent(path);
}

XStr extension(const XStr& path) {
    const XStr name = fileName(path);
    const std::size_t dot = extensionStart(name);
    return dot == XStr::npos ? XStr() : name.substr(dot);
}

XStr baseName(const XStr& path) {
    const XStr name = fileName(path);
    const std::size_t dot = extensionStart(name);
    return dot == XStr::npos ? name : name.left(dot);
}

XStr folderOf(const XStr& path) {
    return XStr(parentFolder(path.units(), std::u32string(U"."), std::u32string(U"/")));
}

std::string folderOf(const std::string& path) {
    return parentFolder(path, std::string("."), std::string("/"));
}

XStr join(const XStr& folder, const XStr& name) {
    return XStr(joined(folder.units(), name.units()));
}

std::string join(const std::string& folder, const std::string& name) {
    return joined(folder, name);
}

XStr withExtension(const XStr& path, const XStr& ext) {
    const XStr trimmed = withoutTrailingSlash(path);
    return trimmed.left(trimmed.size() - extension(trimmed).size()) + ext;
}

XStr withoutTrailingSlash(const XStr& path) {
    return XStr(trimTrailing(path.units()));
}

std::string withoutTrailingSlash(const std::string& path) {
    return trimTrailing(path);
}

bool isAbsolute(const XStr& path) {
    return !path.empty() && path.front() == U'/';
}

XStr lexicallyNormal(const XStr& path) {
    const bool absolute = isAbsolute(path);
    XStrList kept;
    for (const XStr& part : components(path)) {
        if (part == ".") {
            continue;
        }
        if (part == ".." && !kept.empty() && kept.back() != "..") {
            kept.pop_back();
            continue;
        }
        if (part == ".." && absolute) {
            continue;
        }
        kept.push_back(part);
    }
    const XStr body = XStr::join(kept, "/");
    if (absolute) {
        return "/" + body;
    }
    return body.empty() ? XStr(".") : body;
}

XStrList components(const XStr& path) {
    XStrList out;
    for (XStr& part : path.split(U'/')) {
        if (!part.empty()) {
            out.push_back(std::move(part));
        }
    }
    return out;
}

XStrList mountPointRoots() {
    XStrList roots = {"/Volumes", "/Network", "/media", "/mnt"};
    const char* user = std::getenv("USER");
    // A user name holding "/" would name some other folder.
    if (user != nullptr && *user != 0 && XStr(user) != "." && XStr(user) != ".." &&
        !XStr(user).contains(U'/')) {
        roots.push_back("/media/" + XStr(user));
        roots.push_back("/run/media/" + XStr(user));
    }
    return roots;
}

bool isMountPointRoot(const XStr& folder) {
    const XStr normal = lexicallyNormal(folder);
    for (const XStr& root : mountPointRoots()) {
        if (normal == root) {
            return true;
        }
    }
    return false;
}

bool isNeverCreated(const XStr& folder) {
    const XStr normal = lexicallyNormal(folder);
    if (normal == "/") {
        return true;
    }
    for (const XStr& root : mountPointRoots()) {
        if (normal == root || root.startsWith(normal + "/")) {
            return true;
        }
    }
    return isMountPointRoot(folderOf(normal));
}

XStr volumeOf(const XStr& path) {
    XStr folder = lexicallyNormal(path);
    while (folder != "/" && folder != ".") {
        const XStr parent = folderOf(folder);
        if (isMountPointRoot(parent)) {
            // "/media/$USER" is a root inside the root "/media": its volumes lie deeper.
            return isMountPointRoot(folder) ? XStr() : folder;
        }
        folder = parent;
    }
    return {};
}

}  // namespace XPath
