#include "VALogoCache.h"

#include "VAResources.h"

VALogoCache::VALogoCache(XStr prefix, Resolver resolver)
    : mPrefix(std::move(prefix)), mResolver(std::move(resolver)) {
    if (!mResolver) {
        mResolver = [](const XStr& name) { return VAResources::path(name); };
    }
}

XStr VALogoCache::resourceNameFor(const XStr& name) const {
    return mPrefix + name + ".png";
}

XStr VALogoCache::lookUp(const XStr& name) {
    const auto it = mFound.find(name);
    if (it != mFound.end()) {
        return it->second;
    }
    ++mLookups;
    XStr path = mResolver(resourceNameFor(name));
    mFound.emplace(name, path);
    return path;
}

XStr VALogoCache::get(const XStr& name) {
    std::lock_guard<std::mutex> lock(mMutex);
    const XStr path = lookUp(name);
    return path.empty() ? lookUp(kGeneric) : path;
}

int VALogoCache::lookups() const {
    std::lock_guard<std::mutex> lock(mMutex);
    return mLookups;
}
