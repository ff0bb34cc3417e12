#include "VVCDSPPositions.h"

XStrList VVCDSPPositions::labels() {
    return {"Top Left",     "Top Center",  "Top Right",       "Left Middle", "Centered",
            "Right Middle", "Left Bottom", "Centered Bottom", "Right Bottom"};
}

std::optional<std::size_t> VVCDSPPositions::indexOf(const Texts& table, const XStr& text) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (text == table[i]) {
            return i;
        }
    }
    return std::nullopt;
}

XStr VVCDSPPositions::textAt(const Texts& table, std::size_t index) {
    return index < table.size() ? XStr(table[index]) : XStr(table[0]);
}
