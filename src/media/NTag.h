// The tag container: an ordered list of named elements, each with a text value and an
// optional binary value. Names compare without regard to ASCII case; duplicates are allowed
// and the first match wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "XStr.h"

class NTag {
public:
    struct Element {
        XStr name;
        // Several values of one element are separated by a carriage return.
        XStr value;
        std::vector<uint8_t> data;
    };

    // Flags of RemoveSpecial: the special elements to keep.
    static constexpr int kKeepRiff = 2;
    static constexpr int kKeepCDToc = 4;
    static constexpr int kKeepAlbumArt = 8;
    static constexpr int kKeepCRC = 16;

    std::size_t Count() const { return mElements.size(); }
    bool Empty() const { return mElements.empty(); }
    // The element at an index; nothing when out of range.
    const Element* At(std::size_t index) const;
    Element* At(std::size_t index);
    const std::vector<Element>& Elements() const { return mElements; }

    // Always appends, never replaces.
    Element& AddElement(const XStr& name, const XStr& value);
    Element& AddBinaryElement(const XStr& name, const void* bytes, std::size_t size);
    const Element* FindElement(const XStr& name) const;
    Element* FindElement(const XStr& name);
    XStr GetString(const XStr& name) const;
    // The value cut at its first carriage return.
    XStr GetFirstLine(const XStr& name) const;
    // Sets the first element of that name, or appends one.
    void SetString(const XStr& name, const XStr& value);
    // The value, then every element of that name is gone.
    XStr TakeString(const XStr& name);
    bool RemoveByName(const XStr& name);
    void RemoveAt(std::size_t index);
    void Clear() { mElements.clear(); }

    // For each source element: an existing one of the same name takes the source's name,
    // value and data only with overwrite; a new name is appended.
    void MergeFrom(const NTag& source, bool overwrite);
    void CopyFrom(const NTag& source);
    // Every element whose name begins with "_", except those the flags keep.
    void RemoveSpecial(int keepFlags);
    void RemoveBinary();

    // The raw byte format for storage and transfer (little-endian, 16-bit text units).
    std::vector<uint8_t> ToRawData() const;
    // Clears, then reads what the buffer holds; a damaged buffer keeps the elements read
    // before the damage.
    void FromRawData(const void* bytes, std::size_t size);

    friend bool operator==(const NTag& a, const NTag& b);

private:
    std::vector<Element> mElements;
};

bool operator==(const NTag::Element& a, const NTag::Element& b);
