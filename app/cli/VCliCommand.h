// One command of the program as its help, its manual page and its shell completion see it.
#pragma once

#include <string>
#include <vector>

#include "VCliOptionDef.h"

struct VCliCommand {
    std::string name;
    // As the help shows them ("FILE...", "NAME"); empty when the command takes none.
    std::string operands;
    VCliValueKind operandKind = VCliValueKind::kText;
    // One line, for the list of commands.
    std::string summary;
    // The table the command reads its arguments with.
    const std::vector<VCliOptionDef>& (*options)() = nullptr;
};
