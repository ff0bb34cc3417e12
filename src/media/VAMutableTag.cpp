#include "VAMutableTag.h"

void VAMutableTag::addTag(const XStr& name, const XStr& value) {
    mTag.AddElement(name, value);
}

void VAMutableTag::addTag(const XStr& name, const void* bytes, std::size_t size) {
    mTag.AddBinaryElement(name, bytes, size);
}

void VAMutableTag::addTag(const XStr& name, const std::vector<uint8_t>& data) {
    mTag.AddBinaryElement(name, data.data(), data.size());
}

void VAMutableTag::fromRawData(const std::vector<uint8_t>& raw) {
    mTag.FromRawData(raw.data(), raw.size());
}

void VAMutableTag::fromRawData(const void* bytes, std::size_t size) {
    mTag.FromRawData(bytes, size);
}

void VAMutableTag::setTagValue(const XStr& value, const XStr& element) {
    mTag.SetString(element, value);
}

void VAMutableTag::setTagValue(const XStr& value, std::size_t at) {
    if (NTag::Element* e = mTag.At(at)) {
        e->value = value;
        e->data.clear();
    }
}

void VAMutableTag::setTagData(const std::vector<uint8_t>& data, std::size_t at) {
    if (NTag::Element* e = mTag.At(at)) {
        e->data = data;
    }
}

void VAMutableTag::setTagBytes(const void* bytes, std::size_t size, std::size_t at) {
    if (NTag::Element* e = mTag.At(at)) {
        const auto* begin = static_cast<const uint8_t*>(bytes);
        e->data.assign(begin, begin + (begin != nullptr ? size : 0));
    }
}
