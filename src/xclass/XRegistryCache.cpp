#include "XRegistryCache.h"

#include <memory>
#include <mutex>

#include "XRegistry.h"
#include "XRegistryFileStamp.h"
#include "XRegistryStore.h"

namespace {

struct Cache {
    std::mutex mutex;
    std::unique_ptr<XJSON::Object> document;
    XFileName path;
    XRegistryFileStamp stamp;
};

Cache& cache() {
    // Leaked on purpose: reads may come from other threads while statics are destroyed.
    static Cache* const kCache = new Cache();
    return *kCache;
}

bool isCurrent(const Cache& c, const XFileName& path) {
    // A store that could not be read is never trusted, so the next read tries again.
    return c.document && c.stamp.exists && c.path == path &&
           XRegistryFileStamp::OfPath(path) == c.stamp;
}

}  // namespace

void XRegistryCache::Visit(const std::function<void(const XJSON::Object&)>& visit) {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    const XFileName path = XRegistry::GetLocation();
    if (!isCurrent(c, path)) {
        c.document.reset();
        XRegistryStore store(XRegistryStore::Mode::kShared);
        c.path = store.Path();
        c.stamp = store.Stamp();
        c.document = store.TakeDocument();
    }
    visit(*c.document);
}

void XRegistryCache::Discard() {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.document.reset();
    c.stamp = XRegistryFileStamp();
}
