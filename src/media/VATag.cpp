#include "VATag.h"

VATag VATag::initWithRawData(const std::vector<uint8_t>& raw) {
    return initWithRawData(raw.data(), raw.size());
}

VATag VATag::initWithRawData(const void* bytes, std::size_t size) {
    NTag tag;
    tag.FromRawData(bytes, size);
    return VATag(std::move(tag));
}

XStr VATag::tagNameAt(std::size_t index) const {
    const NTag::Element* e = mTag.At(index);
    return e != nullptr ? e->name : XStr();
}

XStr VATag::tagValueAt(std::size_t index) const {
    const NTag::Element* e = mTag.At(index);
    return e != nullptr ? e->value : XStr();
}

std::vector<uint8_t> VATag::tagDataAt(std::size_t index) const {
    const NTag::Element* e = mTag.At(index);
    return e != nullptr ? e->data : std::vector<uint8_t>();
}

std::optional<XStr> VATag::getTagString(const XStr& name) const {
    const NTag::Element* e = mTag.FindElement(name);
    if (e == nullptr) {
        return std::nullopt;
    }
    return e->value;
}

XStr VATag::getTagString(const XStr& name, const XStr& defaultValue) const {
    const NTag::Element* e = mTag.FindElement(name);
    return e != nullptr ? e->value : defaultValue;
}

XStrList VATag::getTagStrings(const XStr& name) const {
    const NTag::Element* e = mTag.FindElement(name);
    if (e == nullptr) {
        return {};
    }
    return e->value.split(U'\r');
}

bool VATag::isTagBinary(std::size_t index) const {
    const NTag::Element* e = mTag.At(index);
    return e != nullptr && e->name.startsWith("_");
}

std::set<XStr> VATag::elemNameSet() const {
    std::set<XStr> names;
    for (const NTag::Element& e : mTag.Elements()) {
        names.insert(e.name.lowerASCII());
    }
    return names;
}

VATag VATag::tagCombinedWith(const VATag& other) const {
    VATag result = *this;
    result.mTag.MergeFrom(other.mTag, false);
    return result;
}

VATag VATag::subsetTextOnly() const {
    VATag result = *this;
    result.mTag.RemoveSpecial(0);
    return result;
}

VATag VATag::subsetAlbumArtOnly() const {
    NTag art;
    for (const NTag::Element& e : mTag.Elements()) {
        if (elemIsAlbumArt(e.name)) {
            art.AddElement(e.name, e.value).data = e.data;
        }
    }
    return VATag(std::move(art));
}

XStr VATag::debug() const {
    XStr text;
    for (const NTag::Element& e : mTag.Elements()) {
        text += e.name + " = " + multiValToDisplay(e.value);
        if (!e.data.empty()) {
            text += XStr::format(" [%zu bytes]", e.data.size());
        }
        text += U'\n';
    }
    return text;
}

bool VATag::elemIsAlbumArt(const XStr& name) {
    return name.startsWithNoCase("_albumart_");
}

std::optional<VATag> VATag::combineTags(const std::vector<VATag>& tags) {
    return combineTags(tags, strDifferent());
}

std::optional<VATag> VATag::combineTags(const std::vector<VATag>& tags, const XStr& marker) {
    if (tags.empty()) {
        return std::nullopt;
    }
    NTag result = tags.front().mTag;
    for (std::size_t t = 1; t < tags.size(); ++t) {
        const NTag& current = tags[t].mTag;
        for (const NTag::Element& e : current.Elements()) {
            NTag::Element* mine = result.FindElement(e.name);
            if (mine == nullptr) {
                result.AddElement(e.name, marker);
            } else if (mine->value != e.value || mine->data != e.data) {
                mine->value = marker;
                mine->data.clear();
            }
        }
        for (std::size_t i = 0; i < result.Count(); ++i) {
            NTag::Element* mine = result.At(i);
            if (current.FindElement(mine->name) == nullptr) {
                mine->value = marker;
                mine->data.clear();
            }
        }
    }
    return VATag(std::move(result));
}

bool VATag::isFieldMultiVal(const XStr& name) {
    const XStr lower = name.lowerASCII();
    return !(lower.contains("lyrics") || lower.contains("comment") || lower == "title" ||
             lower == "album");
}

XStr VATag::multiValToDisplay(const XStr& value) {
    return value.replaced("\r\n", "; ").replaced("\r", "; ").replaced("\n", "; ");
}

XStr VATag::multiValFromDisplay(const XStr& value) {
    return value.replaced("; ", "\r").replaced(";", "\r");
}

std::optional<XStr> VATag::unknownValFor(const XStr& name) {
    const XStr lower = name.lowerASCII();
    if (lower == "artist" || lower == "title" || lower == "album") {
        return "unknown " + lower;
    }
    return std::nullopt;
}
