// "vantaro multi add|list|remove": the encoders of the "[Multi Encoder]" profile, edited
// through its page and configure sheet as the desktop application edits them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"

namespace VCliMultiCommand {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
const std::vector<VCliOptionDef>& options();

}  // namespace VCliMultiCommand
