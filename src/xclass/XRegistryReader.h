// The getters of the store, written once over any source of a document: the read cache
// for immediate reads, a fresh copy with pending writes applied for a transaction.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "XJSON.h"
#include "XRegistryKeyPath.h"

class XRegistryReader {
public:
    using Visitor = std::function<void(const XJSON::Object&)>;
    // lend runs its argument on the document to read.
    explicit XRegistryReader(std::function<void(const Visitor&)> lend) : mLend(std::move(lend)) {}

    // missing (when given) is set when the value does not exist or is not a number, or
    // not a string for the string and binary getters; the answer is then 0 or empty.
    uint32_t GetDWORD(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                      bool* missing) const;
    int32_t GetInt(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                   bool* missing) const;
    int64_t GetInt64(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                     bool* missing) const;
    XStr GetString(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                   bool* missing) const;
    bool GetBinary(const XStr& name, std::vector<uint8_t>& buffer, const XRegistryName& root,
                   const XRegistryName& path) const;
    bool GetBinaryFixed(const XStr& name, void* buffer, std::size_t size, const XRegistryName& root,
                        const XRegistryName& path) const;
    bool GetStringList(const XStr& name, XStrList& list, const XRegistryName& root,
                       const XRegistryName& path) const;
    bool ValueExists(const XStr& name, const XRegistryName& root, const XRegistryName& path) const;
    bool KeyExists(const XRegistryName& root, const XRegistryName& path) const;
    bool EnumKeys(const XRegistryName& root, const XRegistryName& path, XStrList& list) const;
    bool EnumValues(const XRegistryName& root, const XRegistryName& path, XStrList& list) const;

private:
    // The number, or nothing when the value is missing or of another type.
    bool ReadNumber(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                    double& number) const;
    bool ReadString(const XStr& name, const XRegistryName& root, const XRegistryName& path,
                    XStr& text) const;
    bool EnumMembers(const XRegistryName& root, const XRegistryName& path, bool keys,
                     XStrList& list) const;

    std::function<void(const Visitor&)> mLend;
};
