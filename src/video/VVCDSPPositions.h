// The nine places of a picture inside a larger one, as the canvas and watermark pages
// offer them, each with its own coordinate texts in the same order.
#pragma once

#include <array>
#include <optional>

#include "XStr.h"

class VVCDSPPositions {
public:
    static constexpr std::size_t kCount = 9;
    using Texts = std::array<const char*, kCount>;

    static XStrList labels();
    // The row whose text is exactly `text`.
    static std::optional<std::size_t> indexOf(const Texts& table, const XStr& text);
    // The row's text, or the first row's for an index beyond the table.
    static XStr textAt(const Texts& table, std::size_t index);
};
