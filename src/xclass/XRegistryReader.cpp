#include "XRegistryReader.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "XBase64.h"
#include "XRegistryDocument.h"

namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

// Toward zero; values past the range stop at its ends instead of being undefined.
int64_t truncateToInt64(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kTwoTo63) {
        return std::numeric_limits<int64_t>::max();
    }
    if (value <= -kTwoTo63) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(value);
}

int32_t truncateToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

void report(bool* missing, bool isMissing) {
    if (missing != nullptr) {
        *missing = isMissing;
    }
}

}  // namespace

bool XRegistryReader::ReadNumber(const XStr& name, const XRegistryName& root,
                                 const XRegistryName& path, double& number) const {
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        const XJSON::AnyType& value =
            XRegistryDocument::FindValue(XRegistryDocument::FindKey(document, keyPath), name);
        found = value.TypeOf() == XJSON::typeNumber;
        number = found ? value.AsNumber().Value : 0;
    });
    return found;
}

bool XRegistryReader::ReadString(const XStr& name, const XRegistryName& root,
                                 const XRegistryName& path, XStr& text) const {
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        const XJSON::AnyType& value =
            XRegistryDocument::FindValue(XRegistryDocument::FindKey(document, keyPath), name);
        found = value.TypeOf() == XJSON::typeString;
        text = value.AsString().Value;
    });
    return found;
}

uint32_t XRegistryReader::GetDWORD(const XStr& name, const XRegistryName& root,
                                   const XRegistryName& path, bool* missing) const {
    double number = 0;
    report(missing, !ReadNumber(name, root, path, number));
    // The low 32 bits, so -1 reads as 0xFFFFFFFF.
    return static_cast<uint32_t>(truncateToInt64(number));
}

int32_t XRegistryReader::GetInt(const XStr& name, const XRegistryName& root,
                                const XRegistryName& path, bool* missing) const {
    double number = 0;
    report(missing, !ReadNumber(name, root, path, number));
    return truncateToInt32(number);
}

int64_t XRegistryReader::GetInt64(const XStr& name, const XRegistryName& root,
                                  const XRegistryName& path, bool* missing) const {
    double number = 0;
    report(missing, !ReadNumber(name, root, path, number));
    return truncateToInt64(number);
}

XStr XRegistryReader::GetString(const XStr& name, const XRegistryName& root,
                                const XRegistryName& path, bool* missing) const {
    XStr text;
    report(missing, !ReadString(name, root, path, text));
    return text;
}

bool XRegistryReader::GetBinary(const XStr& name, std::vector<uint8_t>& buffer,
                                const XRegistryName& root, const XRegistryName& path) const {
    buffer.clear();
    XStr text;
    if (!ReadString(name, root, path, text)) {
        return false;
    }
    auto bytes = XBase64::decode(text.utf8());
    if (!bytes) {
        return false;
    }
    buffer = std::move(*bytes);
    return true;
}

bool XRegistryReader::GetBinaryFixed(const XStr& name, void* buffer, std::size_t size,
                                     const XRegistryName& root, const XRegistryName& path) const {
    std::vector<uint8_t> bytes;
    if (!GetBinary(name, bytes, root, path) || bytes.size() != size) {
        return false;
    }
    if (size > 0) {
        std::memcpy(buffer, bytes.data(), size);
    }
    return true;
}

bool XRegistryReader::GetStringList(const XStr& name, XStrList& list, const XRegistryName& root,
                                    const XRegistryName& path) const {
    list.clear();
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        const XJSON::AnyType& value =
            XRegistryDocument::FindValue(XRegistryDocument::FindKey(document, keyPath), name);
        found = value.TypeOf() == XJSON::typeArray;
        const XJSON::Array& array = value.AsArray();
        for (std::size_t i = 0; i < array.Count(); ++i) {
            // An element of another type reads as the empty string.
            list.push_back(array.At(i).AsString().Value);
        }
    });
    return found;
}

bool XRegistryReader::ValueExists(const XStr& name, const XRegistryName& root,
                                  const XRegistryName& path) const {
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        const XJSON::Object& key = XRegistryDocument::FindKey(document, keyPath);
        found = XRegistryDocument::HasValue(key, name);
    });
    return found;
}

bool XRegistryReader::KeyExists(const XRegistryName& root, const XRegistryName& path) const {
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        found = XRegistryDocument::KeyExists(document, keyPath);
    });
    return found;
}

bool XRegistryReader::EnumMembers(const XRegistryName& root, const XRegistryName& path, bool keys,
                                  XStrList& list) const {
    list.clear();
    const XStrList keyPath = XRegistryKeyPath::Resolve(root, path);
    bool found = false;
    mLend([&](const XJSON::Object& document) {
        found = XRegistryDocument::KeyExists(document, keyPath);
        const XJSON::Object& key = XRegistryDocument::FindKey(document, keyPath);
        for (std::size_t i = 0; i < key.Count(); ++i) {
            if ((key.ValueAt(i).TypeOf() == XJSON::typeObject) == keys) {
                list.push_back(key.NameAt(i));
            }
        }
    });
    return found;
}

bool XRegistryReader::EnumKeys(const XRegistryName& root, const XRegistryName& path,
                               XStrList& list) const {
    return EnumMembers(root, path, true, list);
}

bool XRegistryReader::EnumValues(const XRegistryName& root, const XRegistryName& path,
                                 XStrList& list) const {
    return EnumMembers(root, path, false, list);
}
