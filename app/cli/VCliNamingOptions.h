// Where the outputs of "vantaro convert" and "vantaro names" go: beside each source, into
// one folder (-o DIR), named by a template under a folder (--template TEXT), or the source
// folders rebuilt under a folder (--preserve-path DIR). Read from the arguments, checked,
// and turned into the naming object that computes every destination.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "VCliParsedOptions.h"
#include "VMCFileNaming.h"
#include "XStr.h"

struct VCliNamingOptions {
    std::optional<XStr> outputDir;
    // As typed; backslashes become folder separators when the naming is made.
    std::optional<XStr> templ;
    std::optional<XStr> preservePath;

    // The options, in the order the help lists them.
    static const std::vector<VCliOptionDef>& table();
    // False with a message for options that cannot be used together.
    static bool fromParsed(const VCliParsedOptions& parsed, VCliNamingOptions& out,
                           std::string& error);

    // Beside the source when nothing is given. Relative folders are taken from the
    // current folder.
    VMCFileNaming makeNaming() const;
};
