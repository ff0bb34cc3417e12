// A tag container with the editing operations.
#pragma once

#include "VATag.h"

class VAMutableTag : public VATag {
public:
    VAMutableTag() = default;
    explicit VAMutableTag(NTag tag) : VATag(std::move(tag)) {}
    explicit VAMutableTag(const VATag& tag) : VATag(tag) {}

    static VAMutableTag mutableTagWithTag(const VATag& tag) { return VAMutableTag(tag); }

    NTag& mutableTag() { return mTag; }

    void addTag(const XStr& name, const XStr& value);
    void addTag(const XStr& name, const void* bytes, std::size_t size);
    void addTag(const XStr& name, const std::vector<uint8_t>& data);
    // Replaces the whole content by what the raw buffer holds.
    void fromRawData(const std::vector<uint8_t>& raw);
    void fromRawData(const void* bytes, std::size_t size);
    // Sets the first element of that name, or appends one.
    void setTagValue(const XStr& value, const XStr& element);
    // Replaces the value at an index and drops its binary data; nothing when out of range.
    void setTagValue(const XStr& value, std::size_t at);
    void setTagData(const std::vector<uint8_t>& data, std::size_t at);
    void setTagBytes(const void* bytes, std::size_t size, std::size_t at);
    void mergeFromTag(const VATag& other) { mTag.MergeFrom(other.tag(), false); }
    void overwriteFromTag(const VATag& other) { mTag.MergeFrom(other.tag(), true); }
    void removeAllTags() { mTag.Clear(); }
    bool removeTagByName(const XStr& name) { return mTag.RemoveByName(name); }
};
