// Compact JSON text for the one-object-per-line output: a string literal and a flat
// object builder. The foundation's documents render indented over several lines, which
// line-oriented readers cannot take.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace VCliJson {

// The UTF-8 text as a JSON string literal with its quotes. Control characters are
// escaped; each byte that is not part of well-formed UTF-8 is written as the escape of
// its escaped byte ("\udce9" for 0xE9, see XUtf8), so the line is always valid UTF-8 and
// a file name that is not UTF-8 reads back as the same bytes.
std::string quote(std::string_view utf8);

}  // namespace VCliJson
