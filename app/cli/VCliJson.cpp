#include "VCliJson.h"

namespace {

// The length of the well-formed UTF-8 sequence at s[i], or 0 when it is not one
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = b(i);
    std::size_t n = 0;
    uint32_t min = 0;
    uint32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        min = 0x80;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        min = 0x800;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        min = 0x10000;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (b(i + k) & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return n;
}

}  // namespace

std::string VCliJson::quote(std::string_view utf8) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            const std::size_t n = sequenceLength(utf8, i);
            if (n == 0) {
                // The escaped byte of the program's text: a name that is not UTF-8 stays
                // the same name for a reader that knows it, and the line stays UTF-8.
                out += "\\udc";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
                ++i;
            } else {
                out.append(utf8.substr(i, n));
                i += n;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    out += '"';
    return out;
}
