// Compact JSON text for the one-object-per-line output: a string literal and a flat
// object builder. The foundation's documents render indented over several lines, which
// line-oriented readers cannot take.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace VCliJson {

// The UTF-8 text as a JSON string literal with its quotes. Control characters are
// escaped; bytes that are not UTF-8 become U+FFFD, so the line is always valid JSON.
std::string quote(std::string_view utf8);

}  // namespace VCliJson
