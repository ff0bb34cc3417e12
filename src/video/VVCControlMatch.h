// How a value typed for a slider or a choice finds its step: as the control shows it, in
// any ASCII case and with or without blanks ("Ultra fast", "ultrafast"), as a quantity in
// another spelling ("128k" for "128 kbps", "1500k" for "1.5 mbps", "30" for "30%"), or as
// a position "#N" counted from 1.
#pragma once

#include <optional>

#include "XStr.h"

namespace VVCControlMatch {

// The 0-based step of "#N" among count steps; nothing when the text is not of that form
// or N is out of range.
std::optional<int> position(const XStr& typed, std::size_t count);
// Whether the text is of the "#N" form, in range or not.
bool isPosition(const XStr& typed);
// The first of the shown values that the typed value names: the same text (case and
// blanks ignored) first, then the same quantity.
std::optional<int> find(const XStr& typed, const XStrList& shown);
// ASCII lower case, without blanks.
XStr loose(const XStr& text);

}  // namespace VVCControlMatch
