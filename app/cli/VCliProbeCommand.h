// "vantaro probe FILE...": the media properties and tags of each file as ffprobe reports
// them, in the program's own units, through the probe cache of the data folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"

namespace VCliProbeCommand {

// 0 when every file could be described, 1 when any is missing or not media.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
const std::vector<VCliOptionDef>& options();

}  // namespace VCliProbeCommand
