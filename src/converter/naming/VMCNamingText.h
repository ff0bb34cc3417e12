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

// Bounds that no name comes near, so that any template with the tags of any file expands
// in bounded time and memory. A tag value is read as at most its first kMaxValueLength
// characters, and values joined into a list, padding and replacing grow a text at most to
// that length (or to the length of what they were given). Many such pieces fit the text
// under expansion, which is cut at kMaxTextLength.
inline constexpr std::size_t kMaxValueLength = 4096;
inline constexpr std::size_t kMaxTextLength = 16 * kMaxValueLength;

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
// "," and "[".
std::u32string unescaped(std::u32string_view text);

// Cuts text to at most limit characters, and further back when the cut would split an
// escape form, so that no fragment of one ever reaches a name.
void cutKeepingEscapes(std::u32string& text, std::size_t limit = kMaxTextLength);

// Every occurrence of needle, left to right, without rescanning replaced text. Once the
// result is longer than limit, the rest of the text is dropped; what is kept holds only
// whole pieces of the text and whole replacements, for the caller to cut.
std::u32string replacedExact(std::u32string_view text, std::u32string_view needle,
                             std::u32string_view replacement,
                             std::size_t limit = std::u32string_view::npos);

}  // namespace VMCNamingText
