#include "XUtf8.h"

namespace XUtf8 {

void appendDecoded(std::u32string& out, std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b0 = p[i];
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        }
        // Lead byte: number of continuation bytes and the allowed range of the first one,
        // which rules out overlong forms, surrogates and values past U+10FFFF.
        int extra = 0;
        unsigned char lo = 0x80;
        unsigned char hi = 0xBF;
        char32_t cp = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            extra = 2;
            cp = b0 & 0x0F;
            if (b0 == 0xE0) {
                lo = 0xA0;
            } else if (b0 == 0xED) {
                hi = 0x9F;
            }
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            extra = 3;
            cp = b0 & 0x07;
            if (b0 == 0xF0) {
                lo = 0x90;
            } else if (b0 == 0xF4) {
                hi = 0x8F;
            }
        } else {
            out.push_back(escapeByte(b0));
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= n) {
                ok = false;
                break;
            }
            const unsigned char b = p[j];
            const unsigned char l = (k == 0) ? lo : 0x80;
            const unsigned char h = (k == 0) ? hi : 0xBF;
            if (b < l || b > h) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (b & 0x3F);
        }
        if (ok) {
            out.push_back(cp);
            i = j;
        } else {
            // The prefix read so far holds no lead byte after the first, so escaping its
            // bytes one by one is what reading them again would do; the byte that broke
            // the sequence is read again, since it may start a valid one.
            for (; i < j; ++i) {
                out.push_back(escapeByte(p[i]));
            }
        }
    }
}

std::u32string decode(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    appendDecoded(out, bytes);
    return out;
}

namespace {

void appendScalar(std::string& out, char32_t c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

void appendEncoded(std::string& out, char32_t c) {
    if (isEscapedByte(c)) {
        out.push_back(static_cast<char>(c - kEscapedByteBase));
    } else {
        appendScalar(out, c);
    }
}

void appendDisplayed(std::string& out, char32_t c) {
    appendScalar(out, c);
}

std::string encode(std::u32string_view units) {
    std::string out;
    out.reserve(units.size());
    for (char32_t c : units) {
        appendEncoded(out, c);
    }
    return out;
}

std::string encodeForDisplay(std::u32string_view units) {
    std::string out;
    out.reserve(units.size());
    for (char32_t c : units) {
        appendScalar(out, c);
    }
    return out;
}

}  // namespace XUtf8
