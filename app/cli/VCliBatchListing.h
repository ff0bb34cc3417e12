// The listing of "vantaro batch --list": one path a line; with columns, a table with a
// header; with --json, one object a file. Columns of media information are read through
// the probe cache.
#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "XStr.h"
#include "clFileListEntry.h"

namespace VCliBatchListing {

// Whether a column shows media information, which needs the file probed.
bool needsInfo(const XStr& column);
void print(const std::vector<std::shared_ptr<clFileListEntry>>& files, const XStrList& columns,
           bool json, std::ostream& out);

}  // namespace VCliBatchListing
