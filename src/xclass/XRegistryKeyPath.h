// How the store turns a root name and a key path into the list of member names to walk.
#pragma once

#include <optional>

#include "XStr.h"

// A root name or key path that may be left out, meaning the default.
using XRegistryName = std::optional<XStr>;

class XRegistryKeyPath {
public:
    // The process-wide defaults, set once at start-up; nothing clears them.
    static void SetDefault(const XRegistryName& root, const XRegistryName& path);
    // The root (given, else default, else "UNSPEC") followed by the path's components:
    // leading backslashes skipped, split at each backslash, empty components at the end
    // dropped.
    static XStrList Resolve(const XRegistryName& root, const XRegistryName& path);
    // The components of a path alone.
    static XStrList Split(const XStr& path);
};
