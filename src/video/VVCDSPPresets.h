// A preset list of an effect page, read from a text resource: line pairs of the label the
// user sees and the value, a complete argument text of the effect.
#pragma once

#include <optional>

#include "XStr.h"

class VVCDSPPresets {
public:
    // Lines are cut at line feeds with a carriage return at the end removed; with an odd
    // number of lines the last is left out. A missing resource gives no presets.
    static VVCDSPPresets load(const XStr& resourceName);
    static VVCDSPPresets fromText(const XStr& text);
    // One name per line, blank lines left out (the pixel-format list).
    static XStrList loadNames(const XStr& resourceName);

    std::size_t size() const { return comboValues.size(); }
    // The first preset whose value is exactly the text.
    std::optional<std::size_t> indexOfValue(const XStr& value) const;
    // The value at the index, or the empty text beyond the list.
    XStr valueAt(std::size_t index) const;

    XStrList comboShown;
    XStrList comboValues;
};
