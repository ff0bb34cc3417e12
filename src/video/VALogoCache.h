// Small images by name, as resource files "<prefix><name>.png", with a "Generic" image for
// names that have none. Each name is looked up once; found and missing names are both
// remembered.
#pragma once

#include <functional>
#include <map>
#include <mutex>

#include "XStr.h"

class VALogoCache {
public:
    // Answers the path of a resource, empty when there is none.
    using Resolver = std::function<XStr(const XStr& resourceName)>;

    explicit VALogoCache(XStr prefix, Resolver resolver = nullptr);

    // The path of the image for the name, else of the generic one; empty when both are
    // missing.
    XStr get(const XStr& name);
    XStr resourceNameFor(const XStr& name) const;
    // How often the resolver was asked.
    int lookups() const;

    static constexpr const char* kGeneric = "Generic";

private:
    XStr lookUp(const XStr& name);

    XStr mPrefix;
    Resolver mResolver;
    mutable std::mutex mMutex;
    std::map<XStr, XStr> mFound;
    int mLookups = 0;
};
