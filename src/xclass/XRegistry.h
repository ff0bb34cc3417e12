// The settings store: keys holding named values, addressed by a root name, a backslash-
// separated key path and a value name, kept in one JSON file shared by every thread and
// process of the user. Names compare ignoring ASCII case; the first match wins.
//
// The store never fails its callers. Getters answer 0 or empty and set missing when the
// value does not exist or has another type; writes always answer true, also when the
// file could not be written. Root and path left out mean the defaults (SetDefaultKey).
#pragma once

#include <cstdint>
#include <vector>

#include "XRegistryKeyPath.h"
#include "XRegistryTransaction.h"
#include "XStr.h"

class XRegistry {
public:
    // Configuration

    static void SetDefaultKey(const XStr& root, const XStr& path);
    // Sets "XCLASS_XREGISTRY_LOCATION"; an existing value stays unless overwrite is set.
    static void SetLocation(const XStr& path, bool overwrite);
    // The store file: "XCLASS_XREGISTRY_LOCATION", else "~/.XRegistry", with "~" and a
    // leading "~/" standing for "HOME". The lock file is this path plus ".lock".
    static XStr GetLocation();
    static bool LocationIsSet();

    // Immediate reads, served from this process's cached copy of the store

    static uint32_t GetDWORD(const XStr& name, const XRegistryName& root = {},
                             const XRegistryName& path = {}, bool* missing = nullptr);
    static int32_t GetInt(const XStr& name, const XRegistryName& root = {},
                          const XRegistryName& path = {}, bool* missing = nullptr);
    static int64_t GetInt64(const XStr& name, const XRegistryName& root = {},
                            const XRegistryName& path = {}, bool* missing = nullptr);
    static XStr GetString(const XStr& name, const XRegistryName& root = {},
                          const XRegistryName& path = {}, bool* missing = nullptr);
    // The decoded bytes; false when missing or not Base64.
    static bool GetBinary(const XStr& name, std::vector<uint8_t>& buffer,
                          const XRegistryName& root = {}, const XRegistryName& path = {});
    // True only when the value decodes to exactly size bytes; buffer is untouched otherwise.
    static bool GetBinaryFixed(const XStr& name, void* buffer, std::size_t size,
                               const XRegistryName& root = {}, const XRegistryName& path = {});
    // False when the value is not an array; elements that are not strings read as empty.
    static bool GetStringList(const XStr& name, XStrList& list, const XRegistryName& root = {},
                              const XRegistryName& path = {});
    static bool ValueExists(const XStr& name, const XRegistryName& root = {},
                            const XRegistryName& path = {});
    static bool KeyExists(const XRegistryName& root = {}, const XRegistryName& path = {});
    // Names in stored order; false when the key does not exist.
    static bool EnumKeys(const XRegistryName& root, const XRegistryName& path, XStrList& list);
    static bool EnumValues(const XRegistryName& root, const XRegistryName& path, XStrList& list);

    // Immediate writes: each reads, changes and rewrites the whole file under the
    // exclusive lock. Code that writes many values uses an XRegistryTransaction.

    static bool SetDWORD(const XStr& name, uint32_t value, const XRegistryName& root = {},
                         const XRegistryName& path = {});
    static bool SetInt(const XStr& name, int32_t value, const XRegistryName& root = {},
                       const XRegistryName& path = {});
    static bool SetInt64(const XStr& name, int64_t value, const XRegistryName& root = {},
                         const XRegistryName& path = {});
    static bool SetString(const XStr& name, const XStr& value, const XRegistryName& root = {},
                          const XRegistryName& path = {});
    // Stored as Base64 text.
    static bool SetBinary(const XStr& name, const void* bytes, std::size_t length,
                          const XRegistryName& root = {}, const XRegistryName& path = {});
    static bool SetStringList(const XStr& name, const XStrList& list,
                              const XRegistryName& root = {}, const XRegistryName& path = {});
    static bool DeleteValue(const XStr& name, const XRegistryName& root = {},
                            const XRegistryName& path = {});
    static bool DeleteKey(const XStr& name, const XRegistryName& root = {},
                          const XRegistryName& path = {});
};
