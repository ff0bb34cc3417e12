// The element tokens of the template language ("[artist]", "[track_total]"), in the order
// the expander substitutes them, with the element each reads, how its value is processed
// and the label the naming dialog shows for it.
#pragma once

#include <string>
#include <string_view>

#include "VMCNamingTokenTable.h"

namespace VMCNamingElementTokens {

enum class Processing {
    None,
    TrackPadded,    // part before the separator, two digits
    TrackUnpadded,  // part before the separator, one leading zero removed
    TotalPadded,    // part after the separator, two digits
    TotalUnpadded,  // part after the separator, one leading zero removed
    NumberBefore,   // part before the separator
    NumberAfter,    // part after the separator
};

const VMCNamingTokenTable& table();
std::u32string_view elementName(int index);
Processing processing(int index);
std::u32string_view label(int index);

// The value of a track or disc element processed for its token.
std::u32string processed(std::u32string_view firstLine, Processing how);
// The part of a "3/12" or "1-2" value before or after its separator, spaces trimmed.
std::u32string_view numberPart(std::u32string_view value, bool after);

}  // namespace VMCNamingElementTokens
