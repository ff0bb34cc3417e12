// A file's size and nanosecond modification time as members of a JSON record, as the
// caches on disk keep them to tell one version of a file from another.
#pragma once

#include <cstdint>

#include "VAFileStat.h"
#include "XJSON.h"

namespace VAFileStatJSON {

// Above this a JSON number no longer holds every integer exactly.
inline constexpr double kMaxExact = 9007199254740992.0;

// Adds "size" and "mtimeNs"; the time as decimal digits, which a JSON number would round.
void write(XJSON::Object& record, const VAFileStat& stat);
// False when either member is missing or malformed.
bool read(const XJSON::Object& record, VAFileStat& stat);
// A JSON number that holds a whole number from 0 to kMaxExact.
bool wholeNumber(const XJSON::AnyType& value, int64_t& out);

}  // namespace VAFileStatJSON
