// "vantaro --version --check": asks the maker's server for the current version of the
// program, as the launcher's update link does.
#pragma once

#include <ostream>

#include "XStr.h"

namespace VCliVersionCheck {

// Prints "update to VERSION: URL" when the server lists another version than ours, or that
// this is the current one; 1 (with an error) when there is no answer.
int run(const XStr& ourVersion, std::ostream& out, std::ostream& err);

}  // namespace VCliVersionCheck
