// The dictionary of the generic property values: each key once, and enumeration in the
// order the keys were first set, so whatever is written from it keeps a stable order.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "XStr.h"

class XPropertyValue;

class XPropertyDictionary {
public:
    using Entry = std::pair<XStr, XPropertyValue>;
    using const_iterator = std::vector<Entry>::const_iterator;

    XPropertyDictionary();
    ~XPropertyDictionary();
    XPropertyDictionary(const XPropertyDictionary& other);
    XPropertyDictionary(XPropertyDictionary&& other) noexcept;
    XPropertyDictionary& operator=(const XPropertyDictionary& other);
    XPropertyDictionary& operator=(XPropertyDictionary&& other) noexcept;

    // Defined where the value type is complete.
    std::size_t size() const;
    bool empty() const;
    // Keys compare exactly. A key that is there keeps its place and takes the new value.
    void set(const XStr& key, XPropertyValue value);
    const XPropertyValue* find(const XStr& key) const;
    XPropertyValue* find(const XStr& key);
    bool contains(const XStr& key) const { return find(key) != nullptr; }
    bool remove(const XStr& key);

    const_iterator begin() const;
    const_iterator end() const;
    const Entry& operator[](std::size_t i) const;

    // Same keys with equal values in the same order.
    friend bool operator==(const XPropertyDictionary& a, const XPropertyDictionary& b);

private:
    std::vector<Entry> mEntries;
    std::unordered_map<XStr, std::size_t> mIndex;
};
