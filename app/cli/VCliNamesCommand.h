// "vantaro names": where each file's output would go, without converting anything; the
// elements and functions templates are made of; and what a template is made of.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"

namespace VCliNamesCommand {

// 0 when every file has a destination, 1 when any has none, 2 for bad usage. Colours mark
// a described template's elements and functions only when out is a terminal.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);
const std::vector<VCliOptionDef>& options();

}  // namespace VCliNamesCommand
