// Small text operations of the naming template language. They work on views of wide text
// so the expander can run without building temporary strings for every look-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "XCase.h"

namespace VMCNamingText {

// Inside the expander a value's commas and opening brackets are held in these forms, so a
// value can never split a function's arguments or read as a token.
inline constexpr std::u32string_view kComma = U"<comma_>";
inline constexpr std::u32string_view kBrackets = U"<brackets_>";
// What the user writes inside some function arguments for a literal comma.
inline constexpr std::u32string_view kUserComma = U"_COMMA_";

inline bool equalsNoCase(std::u32string_view a, std::u32string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (XCase::lower(a[i]) != XCase::lower(b[i])) {
            return false;
        }
    }
    return true;
}
bool endsWithNoCase(std::u32string_view text, std::u32string_view suffix);
std::size_t findNoCase(std::u32string_view text, std::u32string_view needle, std::size_t from);

// Spaces only, not tabs or line ends.
std::u32string_view trimSpaces(std::u32string_view text);

// A decimal integer: leading spaces, an optional "-", then digits up to the first other
// character. Text that does not start so reads as 0; too many digits saturate.
int64_t readNumber(std::u32string_view text);

// Appends text with "," and "[" escaped.
void appendEscaped(std::u32string& out, std::u32string_view text);
std::u32string escaped(std::u32string_view text);
// Turns the escape forms (in any letter case, as [UPPER] may have changed them) back into
// "," and, when brackets is set, "[".
std::u32string unescaped(std::u32string_view text, bool brackets = true);

// Every occurrence of needle, left to right, without rescanning replaced text.
std::u32string replacedExact(std::u32string_view text, std::u32string_view needle,
                             std::u32string_view replacement);

}  // namespace VMCNamingText
