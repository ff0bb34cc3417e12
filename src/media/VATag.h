// The read-only face of a tag container, as the rest of the program sees it; VAMutableTag
// adds the editing operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "NTag.h"
#include "XStr.h"

class VATag {
public:
    VATag() = default;
    // initWithNTag / wrapNTag: the container taken as it is.
    explicit VATag(NTag tag) : mTag(std::move(tag)) {}
    virtual ~VATag() = default;
    VATag(const VATag&) = default;
    VATag& operator=(const VATag&) = default;
    VATag(VATag&&) = default;
    VATag& operator=(VATag&&) = default;

    static VATag tagWithTag(const VATag& other) { return other; }
    static VATag initWithRawData(const std::vector<uint8_t>& raw);
    static VATag initWithRawData(const void* bytes, std::size_t size);

    const NTag& tag() const { return mTag; }
    std::size_t tagCount() const { return mTag.Count(); }
    // Empty (and no data) when the index is out of range.
    XStr tagNameAt(std::size_t index) const;
    XStr tagValueAt(std::size_t index) const;
    std::vector<uint8_t> tagDataAt(std::size_t index) const;
    // Nothing when there is no element of that name (any case).
    std::optional<XStr> getTagString(const XStr& name) const;
    XStr getTagString(const XStr& name, const XStr& defaultValue) const;
    // The value split at carriage returns; empty when absent.
    XStrList getTagStrings(const XStr& name) const;
    // Special elements (name beginning with "_") carry non-text content.
    bool isTagBinary(std::size_t index) const;
    std::set<XStr> elemNameSet() const;
    VATag copy() const { return *this; }
    std::vector<uint8_t> toRawData() const { return mTag.ToRawData(); }

    // A copy merged with other without overwriting.
    VATag tagCombinedWith(const VATag& other) const;
    VATag subsetTextOnly() const;
    VATag subsetAlbumArtOnly() const;
    // A printable listing, one element a line.
    XStr debug() const;

    static bool elemIsAlbumArt(const XStr& name);
    static XStr strDifferent() { return "<different>"; }
    // Only the values all tags share survive; everything else reads as the marker.
    static std::optional<VATag> combineTags(const std::vector<VATag>& tags);
    static std::optional<VATag> combineTags(const std::vector<VATag>& tags, const XStr& marker);
    static bool isFieldMultiVal(const XStr& name);
    static XStr multiValToDisplay(const XStr& value);
    static XStr multiValFromDisplay(const XStr& value);
    static std::optional<XStr> unknownValFor(const XStr& name);

    friend bool operator==(const VATag& a, const VATag& b) { return a.mTag == b.mTag; }

protected:
    NTag mTag;
};
