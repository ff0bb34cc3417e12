// "vantaro settings list|get|set|delete": values of the settings store, by their path below
// the application's key, for the options that have no command of their own.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "XStr.h"

namespace VCliSettingsCommand {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
const std::vector<VCliOptionDef>& options();

// A typed value is stored as a number when it is an integer a number of the store holds
// exactly.
bool isInteger(const XStr& value);

}  // namespace VCliSettingsCommand
