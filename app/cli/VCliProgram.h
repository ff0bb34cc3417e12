// The command line as a whole: the command word, then that command's own arguments.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace VCliProgram {

// args without the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);

}  // namespace VCliProgram
