// The path a "file:" URL names, as a drop hands URLs over: percent escapes decoded to the
// bytes they stand for, so a name that is not UTF-8 arrives as the bytes the system knows
// it by.
#pragma once

#include <optional>
#include <string_view>

#include "XStr.h"

namespace VMCFileURL {

// The local path of an encoded URL ("file:///a%20b", "file://localhost/a", "file:/a");
// nothing for another scheme, another machine's host, a path that is not absolute or one
// that holds a NUL byte.
std::optional<XStr> localPath(std::string_view url);

}  // namespace VMCFileURL
