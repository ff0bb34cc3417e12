// The bridge between XJSON trees and the generic property values: where the application
// reads and writes JSON files as dictionaries and lists (batch profiles, for one).
#pragma once

#include <cstdint>
#include <optional>

#include "XJSON.h"
#include "XPropertyValue.h"

class JSON {
public:
    // Larger files are refused rather than read.
    static constexpr int64_t kMaxFileBytes = 16777216;

    // Nothing for no value. A name that repeats takes the later member's value, in the
    // place where the name first appeared. Numbers stay numbers; words stay booleans.
    static std::optional<XPropertyValue> fromXJSON(const XJSON::AnyType* value);
    // No object (nullptr) and the null object give null; booleans become the numbers 1
    // and 0; dictionaries keep their enumeration order.
    static XJSON::Owned toXJSON(const XPropertyValue* object);

    // Nothing for a missing, unreadable, too large or unparsable file.
    static std::optional<XPropertyValue> read(const XFileName& path);
    static bool write(const XPropertyValue* object, const XFileName& path);
    static bool writeAtomically(const XPropertyValue* object, const XFileName& path);
};
