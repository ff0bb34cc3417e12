#include "VMCDSPPresetFile.h"

#include <errno.h>
#include <string.h>

#include "XFile.h"
#include "XUtf8.h"

namespace {

constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kLastSurrogate = 0xDFFF;

void appendUnit(std::string& out, char32_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

std::optional<XStr> decodeUtf16(const std::string& bytes, std::size_t from) {
    if ((bytes.size() - from) % 2 != 0) {
        return std::nullopt;
    }
    std::u32string units;
    units.reserve((bytes.size() - from) / 2);
    char32_t high = 0;
    for (std::size_t i = from; i < bytes.size(); i += 2) {
        const char32_t unit =
            static_cast<unsigned char>(bytes[i]) |
            (static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
        if (high != 0) {
            if (unit < kFirstLowSurrogate || unit > kLastSurrogate) {
                return std::nullopt;
            }
            units.push_back(0x10000 + ((high - kFirstSurrogate) << 10) +
                            (unit - kFirstLowSurrogate));
            high = 0;
        } else if (unit >= kFirstSurrogate && unit < kFirstLowSurrogate) {
            high = unit;
        } else if (unit >= kFirstLowSurrogate && unit <= kLastSurrogate) {
            return std::nullopt;
        } else {
            units.push_back(unit);
        }
    }
    if (high != 0) {
        return std::nullopt;
    }
    return XStr(std::move(units));
}

// Well-formed UTF-8 without NUL bytes: UTF-16 of ASCII text always holds them.
bool isUtf8Text(const std::string& bytes, std::size_t from) {
    if (bytes.find('\0', from) != std::string::npos) {
        return false;
    }
    for (const char32_t unit : XUtf8::decode(std::string_view(bytes).substr(from))) {
        if (XUtf8::isEscapedByte(unit)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string VMCDSPPresetFile::encode(const XStr& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        if (c >= 0x10000 && c <= 0x10FFFF) {
            const char32_t v = c - 0x10000;
            appendUnit(out, kFirstSurrogate + (v >> 10));
            appendUnit(out, kFirstLowSurrogate + (v & 0x3FF));
        } else if (c > 0xFFFF || (c >= kFirstSurrogate && c <= kLastSurrogate)) {
            // Bytes of a name that is not UTF-8 have no UTF-16 form.
            appendUnit(out, 0xFFFD);
        } else {
            appendUnit(out, c);
        }
    }
    return out;
}

std::optional<XStr> VMCDSPPresetFile::decode(const std::string& bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return decodeUtf16(bytes, 2);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return isUtf8Text(bytes, 3) ? std::optional<XStr>(XStr::fromUtf8(bytes.substr(3)))
                                    : std::nullopt;
    }
    // Text that reads as UTF-8 has no NUL bytes, while UTF-16 of an effect chain, whose
    // option names are ASCII, has many.
    if (isUtf8Text(bytes, 0)) {
        return XStr::fromUtf8(bytes);
    }
    std::optional<XStr> text = decodeUtf16(bytes, 0);
    return text && !text->contains(U'\0') ? text : std::nullopt;
}

bool VMCDSPPresetFile::save(const XStr& path, const VADSPChain& chain, XStr* why) {
    const std::string bytes = encode(VADSPList::mergeDSPString(chain));
    if (XFile::RewriteFile(path, bytes.data(), bytes.size())) {
        return true;
    }
    if (why != nullptr) {
        *why = XStr(strerror(errno));
    }
    return false;
}

std::optional<VADSPChain> VMCDSPPresetFile::load(const XStr& path, XStr* why) {
    XFile file;
    std::string bytes;
    if (!file.Open(path, XFile::Access::kReadOnly,
                   XFile::kOpenExisting | XFile::kRegularOnly | XFile::kNoLock) ||
        !file.ReadAll(bytes, kMaxBytes)) {
        if (why != nullptr) {
            *why = errno == EFBIG ? XStr("the file is too large for an effect preset")
                                  : XStr(strerror(errno));
        }
        return std::nullopt;
    }
    const std::optional<XStr> text = decode(bytes);
    VADSPChain chain;
    if (text) {
        chain = VADSPList::splitDSPString(*text);
    }
    // An empty file is the preset of an empty chain; other text must hold effects.
    if (!text || (chain.empty() && !text->trimmed().empty())) {
        if (why != nullptr) {
            *why = "the file holds no effect chain";
        }
        return std::nullopt;
    }
    return chain;
}
