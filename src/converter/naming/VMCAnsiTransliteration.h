// The ANSI-only option of output names: accented Latin letters become their plain letter,
// every other character from 128 up becomes "_".
#pragma once

#include <cstddef>
#include <optional>

#include "XStr.h"

class VMCAnsiTransliteration {
public:
    // The plain letter of an accented one; nothing for a character the table does not list.
    static std::optional<char32_t> replacementFor(char32_t c);
    // Characters below 128 stay; the others are replaced as above.
    static XStr transliterate(const XStr& text);
    // The table, each accented letter followed by its replacement.
    static const std::u32string& pairs();
};
