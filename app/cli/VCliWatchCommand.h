// "vantaro watch": converts each media file that appears in the watched folders once it
// has stopped growing, with the options of "vantaro convert". A journal in the application
// data folder keeps any file from being converted twice, also across restarts, and keeps
// the outputs from being taken for sources; a folder that goes away is waited for; Ctrl-C
// or SIGTERM stop it cleanly (running jobs are stopped and their unfinished outputs
// removed, and their sources are converted at the next start).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"

namespace VCliWatchCommand {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);
const std::vector<VCliOptionDef>& options();
std::string helpText();

// A test holds the watcher's reader while the file this names exists, so that the kernel's
// event queue overflows as it would on a machine too busy to keep up; the reader makes
// "<file>.held" when it starts holding.
constexpr const char* kTestHoldVariable = "VANTARO_WATCH_TEST_HOLD";

}  // namespace VCliWatchCommand
