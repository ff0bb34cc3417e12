#include "XRegistryKeyPath.h"

#include <mutex>

namespace {

std::mutex gMutex;
XRegistryName gDefaultRoot;
XRegistryName gDefaultPath;

}  // namespace

void XRegistryKeyPath::SetDefault(const XRegistryName& root, const XRegistryName& path) {
    std::lock_guard<std::mutex> lock(gMutex);
    gDefaultRoot = root;
    gDefaultPath = path;
}

XStrList XRegistryKeyPath::Split(const XStr& path) {
    std::size_t start = 0;
    while (start < path.size() && path[start] == U'\\') {
        ++start;
    }
    XStrList components;
    if (start == path.size()) {
        return components;
    }
    components = path.substr(start).split(U'\\');
    while (!components.empty() && components.back().empty()) {
        components.pop_back();
    }
    return components;
}

XStrList XRegistryKeyPath::Resolve(const XRegistryName& root, const XRegistryName& path) {
    XStr rootName;
    XStr keyPath;
    {
        std::lock_guard<std::mutex> lock(gMutex);
        rootName = root ? *root : gDefaultRoot ? *gDefaultRoot : XStr("UNSPEC");
        keyPath = path ? *path : gDefaultPath.value_or(XStr());
    }
    XStrList resolved{rootName};
    for (XStr& component : Split(keyPath)) {
        resolved.push_back(std::move(component));
    }
    return resolved;
}
