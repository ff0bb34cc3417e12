// One entry of a command's option table: its names, whether it takes a value, whether it
// may be given more than once, and its line in the help.
#pragma once

#include <string>

// What a value (or a command's operand) names, so that the shell can complete it.
enum class VCliValueKind { kText, kFile, kFolder, kEncoder, kEffect };

struct VCliOptionDef {
    // Without the leading "--".
    std::string longName;
    // 0 when the option has no one-letter form.
    char shortName = 0;
    bool takesValue = false;
    // Every occurrence is kept; otherwise a second one is a usage error.
    bool repeatable = false;
    // How the help names the value ("TEXT", "DIR").
    std::string valueName;
    std::string help;
    VCliValueKind valueKind = VCliValueKind::kText;
    // With takesValue false: a value may still follow as "--name=VALUE".
    bool optionalValue = false;
};
