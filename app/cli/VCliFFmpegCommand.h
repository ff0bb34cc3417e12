// "vantaro ffmpeg [install FILE|install --download|revert]": which FFmpeg and ffprobe are
// used and what the FFmpeg says about itself; installing an external FFmpeg from a file, an
// archive or the maker's server, and going back to the system's. Driven through the FFmpeg
// configuration panel's controller, as the desktop program drives it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "XStr.h"

namespace VCliFFmpegCommand {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool errIsTerminal);
const std::vector<VCliOptionDef>& options();

// The first paragraph of FFmpeg's licence text, its lines joined by blanks.
XStr licenceSummary(const XStr& licence);

}  // namespace VCliFFmpegCommand
