// UTF-8 at the edges of the program. Decoding never fails and never loses a byte: each
// byte of an ill-formed sequence becomes its own "escaped byte", the code unit
// U+DC00 + byte (U+DC80..U+DCFF), which well-formed UTF-8 can never yield (an encoded
// surrogate is itself ill-formed, so its bytes are escaped one by one). Encoding turns
// escaped bytes back into the raw bytes, so file names that are not UTF-8 survive the
// trip through text byte for byte. The display form shows them as U+FFFD instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace XUtf8 {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEscapedByteBase = 0xDC00;

constexpr bool isEscapedByte(char32_t unit) {
    return unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF;
}
constexpr char32_t escapeByte(unsigned char byte) {
    return kEscapedByteBase + byte;
}

std::u32string decode(std::string_view bytes);
void appendDecoded(std::u32string& out, std::string_view bytes);
// Escaped bytes become their raw byte; other surrogates and values above U+10FFFF are
// written as U+FFFD. encode(decode(bytes)) == bytes for every byte string.
std::string encode(std::u32string_view units);
void appendEncoded(std::string& out, char32_t unit);
// Always well-formed UTF-8, for people: escaped bytes are written as U+FFFD too.
std::string encodeForDisplay(std::u32string_view units);
void appendDisplayed(std::string& out, char32_t unit);

}  // namespace XUtf8
