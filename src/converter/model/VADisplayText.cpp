#include "VADisplayText.h"

#include "XUtf8.h"

namespace VADisplayText {

bool isControl(char32_t unit) {
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

bool isRawByte(char32_t unit) {
    return unit >= kRawByteFirst && unit <= kRawByteLast;
}

char32_t shown(char32_t unit) {
    return (unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF ? XUtf8::kReplacement : unit;
}

std::string bytesOf(char32_t unit) {
    std::string bytes;
    if (isRawByte(unit)) {
        bytes.push_back(static_cast<char>(unit - 0xDC00));
    } else {
        XUtf8::appendEncoded(bytes, unit);
    }
    return bytes;
}

void appendEscape(XStr& out, char32_t unit) {
    switch (unit) {
        case U'\n':
            out += "\\n";
            return;
        case U'\t':
            out += "\\t";
            return;
        case U'\r':
            out += "\\r";
            return;
        default:
            break;
    }
    for (const char byte : bytesOf(unit)) {
        const auto b = static_cast<unsigned char>(byte);
        out += U'\\';
        out += static_cast<char32_t>(U'0' + ((b >> 6) & 7));
        out += static_cast<char32_t>(U'0' + ((b >> 3) & 7));
        out += static_cast<char32_t>(U'0' + (b & 7));
    }
}

XStr escaped(const XStr& text) {
    XStr out;
    out.reserve(text.size());
    for (const char32_t unit : text) {
        if (isControl(unit) || isRawByte(unit)) {
            appendEscape(out, unit);
        } else {
            out += shown(unit);
        }
    }
    return out;
}

XStr quoted(const XStr& text) {
    return "'" + escaped(text) + "'";
}

std::string utf8(const XStr& text) {
    return escaped(text).utf8();
}

std::string linesUtf8(const std::string& text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line =
            std::string_view(text).substr(start, end == std::string::npos ? end : end - start);
        out += utf8(XStr(line));
        if (end == std::string::npos) {
            break;
        }
        out += '\n';
        start = end + 1;
    }
    return out;
}

}  // namespace VADisplayText
