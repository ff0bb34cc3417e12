// "vantaro convert": reads its options, plans the jobs, and prints them (--dry-run) or
// runs them.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "VAConversionSpec.h"
#include "VCliConvertOptions.h"

namespace VCliConvertCommand {

// What became of a conversion, for commands that convert again and again (watch).
struct Outcome {
    // The jobs run, and whether each ended with its output in place.
    std::shared_ptr<VAConversionSpec> spec;
    std::vector<bool> succeeded;
    // Every output the plan named, whether it ran, was skipped or exists.
    XStrList destinations;
    // Called with the conversion just before it starts.
    std::function<void(const VAConversionSpec&)> beforeRun;
};

// outIsTerminal chooses the live display over plain lines (unless --json is given).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);
// The same once the options are read; outcome (when given) learns what happened.
int runWithOptions(const VCliConvertOptions& options, std::ostream& out, std::ostream& err,
                   bool outIsTerminal, Outcome* outcome = nullptr);

}  // namespace VCliConvertCommand
