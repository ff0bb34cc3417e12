// UTF-8 at the edges of the program. Decoding never fails: each maximal ill-formed
// subsequence becomes one U+FFFD, as Unicode recommends.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace XUtf8 {

constexpr char32_t kReplacement = 0xFFFD;

std::u32string decode(std::string_view bytes);
void appendDecoded(std::u32string& out, std::string_view bytes);
// Surrogates and values above U+10FFFF are written as U+FFFD.
std::string encode(std::u32string_view units);
void appendEncoded(std::string& out, char32_t unit);

}  // namespace XUtf8
