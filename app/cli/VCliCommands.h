// The program's commands and options in one place: the help, the manual page and the
// shell completion are all made from these tables, so an option added to a command's table
// appears in all three.
#pragma once

#include <string>
#include <vector>

#include "VCliCommand.h"

namespace VCliCommands {

// In the order the help lists them.
const std::vector<VCliCommand>& all();
// The options the program takes instead of a command.
const std::vector<VCliOptionDef>& programOptions();
// What the program is, in a few words.
std::string summary();
// What the program does, in a sentence.
std::string about();

}  // namespace VCliCommands
