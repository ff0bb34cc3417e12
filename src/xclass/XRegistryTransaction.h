// A batch of writes to the store, applied together by Commit under one exclusive lock:
// the file is read, changed and rewritten once. Records not committed are dropped with
// the transaction. Reads on a transaction see its own pending writes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "XRegistryKeyPath.h"
#include "XStr.h"

class XRegistryReader;
class XRegistryTransactionImpl;

class XRegistryTransaction {
public:
    XRegistryTransaction();
    ~XRegistryTransaction();
    XRegistryTransaction(XRegistryTransaction&& other) noexcept;
    XRegistryTransaction& operator=(XRegistryTransaction&& other) noexcept;
    XRegistryTransaction(const XRegistryTransaction&) = delete;
    XRegistryTransaction& operator=(const XRegistryTransaction&) = delete;

    void SetDWORD(const XStr& name, uint32_t value, const XRegistryName& root = {},
                  const XRegistryName& path = {});
    void SetInt(const XStr& name, int32_t value, const XRegistryName& root = {},
                const XRegistryName& path = {});
    void SetInt64(const XStr& name, int64_t value, const XRegistryName& root = {},
                  const XRegistryName& path = {});
    void SetString(const XStr& name, const XStr& value, const XRegistryName& root = {},
                   const XRegistryName& path = {});
    void SetBinary(const XStr& name, const void* bytes, std::size_t length,
                   const XRegistryName& root = {}, const XRegistryName& path = {});
    void SetStringList(const XStr& name, const XStrList& list, const XRegistryName& root = {},
                       const XRegistryName& path = {});
    void DeleteValue(const XStr& name, const XRegistryName& root = {},
                     const XRegistryName& path = {});
    // Removes the first subkey of that name under the key, with everything in it.
    void DeleteKey(const XStr& name, const XRegistryName& root = {},
                   const XRegistryName& path = {});
    // At commit, a deep copy of the key at fromPath replaces the key at toPath (or is added
    // there). Both paths are full paths below the root.
    void CopyKey(const XStr& fromPath, const XStr& toPath, const XRegistryName& root = {});

    // Applies the queue in order and writes the store when anything changed; the queue is
    // empty afterwards.
    void Commit();
    bool Empty() const;

    // The getters of XRegistry, answered from the store as it is on disk with this
    // transaction's pending writes applied.
    uint32_t GetDWORD(const XStr& name, const XRegistryName& root = {},
                      const XRegistryName& path = {}, bool* missing = nullptr) const;
    int32_t GetInt(const XStr& name, const XRegistryName& root = {}, const XRegistryName& path = {},
                   bool* missing = nullptr) const;
    int64_t GetInt64(const XStr& name, const XRegistryName& root = {},
                     const XRegistryName& path = {}, bool* missing = nullptr) const;
    XStr GetString(const XStr& name, const XRegistryName& root = {}, const XRegistryName& path = {},
                   bool* missing = nullptr) const;
    bool GetBinary(const XStr& name, std::vector<uint8_t>& buffer, const XRegistryName& root = {},
                   const XRegistryName& path = {}) const;
    bool GetBinaryFixed(const XStr& name, void* buffer, std::size_t size,
                        const XRegistryName& root = {}, const XRegistryName& path = {}) const;
    bool GetStringList(const XStr& name, XStrList& list, const XRegistryName& root = {},
                       const XRegistryName& path = {}) const;
    bool ValueExists(const XStr& name, const XRegistryName& root = {},
                     const XRegistryName& path = {}) const;
    bool KeyExists(const XRegistryName& root = {}, const XRegistryName& path = {}) const;
    bool EnumKeys(const XRegistryName& root, const XRegistryName& path, XStrList& list) const;
    bool EnumValues(const XRegistryName& root, const XRegistryName& path, XStrList& list) const;

private:
    XRegistryReader Reader() const;

    std::unique_ptr<XRegistryTransactionImpl> mImpl;
};
