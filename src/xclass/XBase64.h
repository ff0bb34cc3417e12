// Base64 with the standard alphabet and "=" padding, no line breaks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace XBase64 {

std::string encode(const void* bytes, std::size_t length);
inline std::string encode(const std::vector<uint8_t>& bytes) {
    return encode(bytes.data(), bytes.size());
}
// Nothing for text that is not Base64; padding may be left out.
std::optional<std::vector<uint8_t>> decode(std::string_view text);

}  // namespace XBase64
