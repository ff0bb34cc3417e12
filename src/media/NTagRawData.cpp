// The raw byte format of NTag. Text goes as 16-bit units; characters beyond 16 bits are
// written as surrogate pairs and joined again on reading, so any text survives.
#include <limits>

#include "NTag.h"

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

void putUnit(std::vector<uint8_t>& out, uint32_t unit) {
    out.push_back(static_cast<uint8_t>(unit));
    out.push_back(static_cast<uint8_t>(unit >> 8));
}

std::vector<uint16_t> toUnits(const XStr& text) {
    std::vector<uint16_t> units;
    units.reserve(text.size() + 1);
    for (char32_t c : text) {
        if (c > 0xFFFF && c <= 0x10FFFF) {
            const uint32_t v = static_cast<uint32_t>(c) - 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (v >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(c));
        }
    }
    units.push_back(0);
    return units;
}

uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Reads one zero-terminated string from [pos, end): up to its zero unit or the end.
XStr readUnits(const uint8_t* bytes, std::size_t& pos, std::size_t end) {
    std::u32string text;
    while (end - pos >= 2) {
        const char32_t unit = static_cast<char32_t>(bytes[pos] | bytes[pos + 1] << 8);
        pos += 2;
        if (unit == 0) {
            break;
        }
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && end - pos >= 2) {
            const char32_t low = static_cast<char32_t>(bytes[pos] | bytes[pos + 1] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                pos += 2;
                text.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        text.push_back(unit);
    }
    return XStr(std::move(text));
}

}  // namespace

std::vector<uint8_t> NTag::ToRawData() const {
    std::vector<uint8_t> out;
    putU32(out, static_cast<uint32_t>(mElements.size()));
    for (const Element& element : mElements) {
        const std::vector<uint16_t> name = toUnits(element.name);
        const std::vector<uint16_t> value = toUnits(element.value);
        const std::size_t length = 4 + 2 * name.size() + 2 * value.size() + element.data.size();
        putU32(out, static_cast<uint32_t>(length));
        for (uint16_t u : name) {
            putUnit(out, u);
        }
        for (uint16_t u : value) {
            putUnit(out, u);
        }
        out.insert(out.end(), element.data.begin(), element.data.end());
    }
    return out;
}

void NTag::FromRawData(const void* buffer, std::size_t size) {
    Clear();
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (bytes == nullptr || size < 5) {
        return;
    }
    const uint32_t count = readU32(bytes);
    std::size_t pos = 4;
    for (uint32_t n = 0; n < count && pos < size; ++n) {
        if (size - pos < 4) {
            return;
        }
        const uint32_t field = readU32(bytes + pos);
        // A length below its own four bytes would never advance.
        if (field > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()) || field < 4 ||
            field > size - pos) {
            return;
        }
        const std::size_t end = pos + field;
        std::size_t at = pos + 4;
        Element& element = AddElement(XStr(), XStr());
        element.name = readUnits(bytes, at, end);
        if (end - at < 1) {
            return;
        }
        element.value = readUnits(bytes, at, end);
        element.data.assign(bytes + at, bytes + end);
        pos = end;
    }
}
