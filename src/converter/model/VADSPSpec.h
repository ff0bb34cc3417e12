// One effect of an effect chain: its catalogue name and the argument text its page wrote
// (empty for an effect not configured yet).
#pragma once

#include <optional>
#include <vector>

#include "XStr.h"

struct VADSPSpec {
    XStr name;
    XStr args;

    // [name, args].
    XStrList data() const { return {name, args}; }
    // Nothing unless the list holds exactly two items.
    static std::optional<VADSPSpec> initWithData(const XStrList& data);
    VADSPSpec copy() const;

    friend bool operator==(const VADSPSpec&, const VADSPSpec&) = default;
};
