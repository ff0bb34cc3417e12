// Reading and writing the pieces of effect argument texts. Reading is loose: a page looks
// for a fixed marker and takes what follows; searches are for the first occurrence, exact
// and case-sensitive. Numbers are written the same in every locale.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "XStr.h"

class VVCDSPText {
public:
    // The digits and minus signs right after the marker as an integer; 0 when there are
    // none or the marker is absent.
    static int64_t scanIntAfter(const XStr& text, const XStr& marker);
    // The digits, minus signs and points right after the marker as a decimal; 0 likewise.
    static double scanFloatAfter(const XStr& text, const XStr& marker);
    // Everything after the marker; nothing when it is absent.
    static std::optional<XStr> scanStringAfter(const XStr& text, const XStr& marker);
    // The text after the first marker up to the next occurrence of the second, or to the
    // end when the second does not follow; nothing when the first is absent.
    static std::optional<XStr> scanStringAfterBefore(const XStr& text, const XStr& first,
                                                     const XStr& second);

    // printf's "%.Nf" in the C locale, whatever locale the program runs in.
    static XStr fixed(double value, int decimals);
    // Parts split at colons, read as integers; nothing unless there are exactly `count`.
    static std::optional<std::vector<int64_t>> integersSplitAt(const XStr& text, char32_t separator,
                                                               std::size_t count);
};
