// "vantaro convert": reads its options, plans the jobs, and prints them (--dry-run) or
// runs them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace VCliConvertCommand {

// outIsTerminal chooses the live display over plain lines (unless --json is given).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);

}  // namespace VCliConvertCommand
