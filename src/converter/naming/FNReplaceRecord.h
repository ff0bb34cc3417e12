// One row of the character replacement table: the character to replace and its
// replacement ("*" deletes it). Each holds one character, or none while being typed.
#pragma once

#include "XStr.h"

struct FNReplaceRecord {
    XStr Replace;
    XStr ReplaceWith;

    // The column identifiers of the table.
    static constexpr const char* kReplaceColumn = "Replace";
    static constexpr const char* kReplaceWithColumn = "ReplaceWith";

    friend bool operator==(const FNReplaceRecord&, const FNReplaceRecord&) = default;
};
