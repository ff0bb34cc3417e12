#include "NTag.h"

namespace {

bool isSpecialKept(const XStr& name, int keepFlags) {
    if ((keepFlags & NTag::kKeepRiff) != 0 && name.startsWithNoCase("_riff_")) {
        return true;
    }
    if ((keepFlags & NTag::kKeepCDToc) != 0 && name.equalsNoCase("_cdtoc")) {
        return true;
    }
    if ((keepFlags & NTag::kKeepAlbumArt) != 0 && name.startsWithNoCase("_albumart_")) {
        return true;
    }
    return (keepFlags & NTag::kKeepCRC) != 0 && name.equalsNoCase("_crc");
}

}  // namespace

const NTag::Element* NTag::At(std::size_t index) const {
    return index < mElements.size() ? &mElements[index] : nullptr;
}

NTag::Element* NTag::At(std::size_t index) {
    return index < mElements.size() ? &mElements[index] : nullptr;
}

NTag::Element& NTag::AddElement(const XStr& name, const XStr& value) {
    mElements.push_back(Element{name, value, {}});
    return mElements.back();
}

NTag::Element& NTag::AddBinaryElement(const XStr& name, const void* bytes, std::size_t size) {
    Element& element = AddElement(name, XStr());
    if (bytes != nullptr && size > 0) {
        const auto* begin = static_cast<const uint8_t*>(bytes);
        element.data.assign(begin, begin + size);
    }
    return element;
}

const NTag::Element* NTag::FindElement(const XStr& name) const {
    for (const Element& element : mElements) {
        if (element.name.equalsNoCase(name)) {
            return &element;
        }
    }
    return nullptr;
}

NTag::Element* NTag::FindElement(const XStr& name) {
    return const_cast<Element*>(static_cast<const NTag*>(this)->FindElement(name));
}

XStr NTag::GetString(const XStr& name) const {
    const Element* element = FindElement(name);
    return element != nullptr ? element->value : XStr();
}

XStr NTag::GetFirstLine(const XStr& name) const {
    XStr value = GetString(name);
    const std::size_t cr = value.find(U'\r');
    return cr == XStr::npos ? value : value.left(cr);
}

void NTag::SetString(const XStr& name, const XStr& value) {
    if (Element* element = FindElement(name)) {
        element->value = value;
    } else {
        AddElement(name, value);
    }
}

XStr NTag::TakeString(const XStr& name) {
    XStr value = GetString(name);
    RemoveByName(name);
    return value;
}

bool NTag::RemoveByName(const XStr& name) {
    bool removed = false;
    for (std::size_t i = mElements.size(); i-- > 0;) {
        if (mElements[i].name.equalsNoCase(name)) {
            mElements.erase(mElements.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
        }
    }
    return removed;
}

void NTag::RemoveAt(std::size_t index) {
    if (index < mElements.size()) {
        mElements.erase(mElements.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void NTag::MergeFrom(const NTag& source, bool overwrite) {
    if (&source == this) {
        return;
    }
    for (const Element& incoming : source.mElements) {
        if (Element* existing = FindElement(incoming.name)) {
            if (overwrite) {
                *existing = incoming;
            }
        } else {
            mElements.push_back(incoming);
        }
    }
}

void NTag::CopyFrom(const NTag& source) {
    if (&source == this) {
        return;
    }
    Clear();
    MergeFrom(source, false);
}

void NTag::RemoveSpecial(int keepFlags) {
    for (std::size_t i = mElements.size(); i-- > 0;) {
        const XStr& name = mElements[i].name;
        if (name.startsWith("_") && !isSpecialKept(name, keepFlags)) {
            RemoveAt(i);
        }
    }
}

void NTag::RemoveBinary() {
    std::erase_if(mElements, [](const Element& e) { return !e.data.empty(); });
}

bool operator==(const NTag::Element& a, const NTag::Element& b) {
    return a.name == b.name && a.value == b.value && a.data == b.data;
}

bool operator==(const NTag& a, const NTag& b) {
    return a.mElements == b.mElements;
}
