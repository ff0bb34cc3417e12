// The bash completion of vantaro, made from the program's commands and option tables:
// commands, options, folders and files, and the encoder and effect names the catalogue
// offers (asked of the program itself when completing, since they depend on its FFmpeg).
#pragma once

#include <string>
#include <vector>

#include "VCliOptionDef.h"

class VCliBashCompletion {
public:
    static std::string render();

private:
    static std::string kindWord(VCliValueKind kind);
    // The "case" branch of one command, or of the program's own options when name is empty.
    static std::string commandBranch(const std::string& name,
                                     const std::vector<VCliOptionDef>& options,
                                     VCliValueKind operandKind);
};
