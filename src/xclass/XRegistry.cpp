#include "XRegistry.h"

#include <cstdlib>

#include "XRegistryCache.h"
#include "XRegistryReader.h"

namespace {

constexpr const char* kLocationVariable = "XCLASS_XREGISTRY_LOCATION";

const XRegistryReader& cached() {
    static const XRegistryReader* const kReader = new XRegistryReader(
        [](const XRegistryReader::Visitor& visit) { XRegistryCache::Visit(visit); });
    return *kReader;
}

}  // namespace

void XRegistry::SetDefaultKey(const XStr& root, const XStr& path) {
    XRegistryKeyPath::SetDefault(root, path);
}

void XRegistry::SetLocation(const XStr& path, bool overwrite) {
    setenv(kLocationVariable, path.utf8().c_str(), overwrite ? 1 : 0);
}

XStr XRegistry::GetLocation() {
    const char* set = std::getenv(kLocationVariable);
    XStr location = set != nullptr ? XStr(set) : XStr("~/.XRegistry");
    const char* home = std::getenv("HOME");
    if (home == nullptr) {
        return location;
    }
    if (location == "~") {
        return XStr(home);
    }
    if (location.startsWith("~/")) {
        XStr expanded(home);
        if (!expanded.endsWith("/")) {
            expanded += U'/';
        }
        return expanded + location.substr(2);
    }
    return location;
}

bool XRegistry::LocationIsSet() {
    return std::getenv(kLocationVariable) != nullptr;
}

uint32_t XRegistry::GetDWORD(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                             bool* missing) {
    return cached().GetDWORD(name, root, path, missing);
}

int32_t XRegistry::GetInt(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                          bool* missing) {
    return cached().GetInt(name, root, path, missing);
}

int64_t XRegistry::GetInt64(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                            bool* missing) {
    return cached().GetInt64(name, root, path, missing);
}

XStr XRegistry::GetString(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                          bool* missing) {
    return cached().GetString(name, root, path, missing);
}

bool XRegistry::GetBinary(const XStr& name, std::vector<uint8_t>& buffer, const XRegistryName& root,
                          const XRegistryName& path) {
    return cached().GetBinary(name, buffer, root, path);
}

bool XRegistry::GetBinaryFixed(const XStr& name, void* buffer, std::size_t size,
                               const XRegistryName& root, const XRegistryName& path) {
    return cached().GetBinaryFixed(name, buffer, size, root, path);
}

bool XRegistry::GetStringList(const XStr& name, XStrList& list, const XRegistryName& root,
                              const XRegistryName& path) {
    return cached().GetStringList(name, list, root, path);
}

bool XRegistry::ValueExists(const XStr& name, const XRegistryName& root,
                            const XRegistryName& path) {
    return cached().ValueExists(name, root, path);
}

bool XRegistry::KeyExists(const XRegistryName& root, const XRegistryName& path) {
    return cached().KeyExists(root, path);
}

bool XRegistry::EnumKeys(const XRegistryName& root, const XRegistryName& path, XStrList& list) {
    return cached().EnumKeys(root, path, list);
}

bool XRegistry::EnumValues(const XRegistryName& root, const XRegistryName& path, XStrList& list) {
    return cached().EnumValues(root, path, list);
}

// Each immediate write is a transaction of one record.

bool XRegistry::SetDWORD(const XStr& name, uint32_t value, const XRegistryName& root,
                         const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetDWORD(name, value, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::SetInt(const XStr& name, int32_t value, const XRegistryName& root,
                       const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetInt(name, value, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::SetInt64(const XStr& name, int64_t value, const XRegistryName& root,
                         const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetInt64(name, value, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::SetString(const XStr& name, const XStr& value, const XRegistryName& root,
                          const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetString(name, value, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::SetBinary(const XStr& name, const void* bytes, std::size_t length,
                          const XRegistryName& root, const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetBinary(name, bytes, length, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::SetStringList(const XStr& name, const XStrList& list, const XRegistryName& root,
                              const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.SetStringList(name, list, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::DeleteValue(const XStr& name, const XRegistryName& root,
                            const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.DeleteValue(name, root, path);
    transaction.Commit();
    return true;
}

bool XRegistry::DeleteKey(const XStr& name, const XRegistryName& root, const XRegistryName& path) {
    XRegistryTransaction transaction;
    transaction.DeleteKey(name, root, path);
    transaction.Commit();
    return true;
}
