#include "VCliConvertCommand.h"

#include <errno.h>
#include <string.h>

#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "VADisplayText.h"
#include "VCliConversionRun.h"
#include "VCliDryRun.h"
#include "VCliJobPlanner.h"
#include "VCliOnExists.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "XFile.h"

namespace {

// Asking needs somebody at a terminal to answer.
bool canAsk() {
    return isatty(STDIN_FILENO) == 1 && isatty(STDERR_FILENO) == 1;
}

VCliDryRun::Options::Existing dryRunAction(VCliOnExists::Policy policy) {
    switch (policy) {
        case VCliOnExists::Policy::kOverwrite:
            return VCliDryRun::Options::Existing::kReplace;
        case VCliOnExists::Policy::kRename:
            return VCliDryRun::Options::Existing::kRename;
        case VCliOnExists::Policy::kAsk:
            return canAsk() ? VCliDryRun::Options::Existing::kAsk
                            : VCliDryRun::Options::Existing::kSkip;
        case VCliOnExists::Policy::kSkip:
            break;
    }
    return VCliDryRun::Options::Existing::kSkip;
}

// The commands of every job, and the exit status the run's planning gives.
int dryRun(const VCliConvertOptions& options, const VCliJobPlanner::Result& plan, std::ostream& out,
           std::ostream& err) {
    VCliDryRun::Options dry;
    dry.text = options.dryRunText;
    dry.existing = plan.existing;
    dry.existingAction = dryRunAction(options.onExists);
    int status = plan.exitCode;
    for (const VCliDryRun::Line& line : VCliDryRun::commandLines(plan.spec, dry)) {
        if (line.error) {
            VCliUsage::error(err, line.text.utf8());
            status = status == 0 ? 1 : status;
        } else {
            out << VADisplayText::utf8(line.text) << '\n';
        }
    }
    return status;
}

}  // namespace

int VCliConvertCommand::run(const std::vector<std::string>& args, std::ostream& out,
                            std::ostream& err, bool outIsTerminal) {
    VCliConvertOptions options;
    std::string error;
    if (!VCliConvertOptions::fromArgs(args, options, error)) {
        return VCliUsage::fail(err, error, "convert");
    }
    if (options.help) {
        out << VCliConvertOptions::helpText();
        return 0;
    }
    return runWithOptions(options, out, err, outIsTerminal);
}

int VCliConvertCommand::runWithOptions(const VCliConvertOptions& options, std::ostream& out,
                                       std::ostream& err, bool outIsTerminal, Outcome* outcome) {
    const VCliJobPlanner::Result plan = VCliJobPlanner(options).plan();
    for (const std::string& note : plan.notes) {
        VCliUsage::error(err, note);
    }
    for (const std::string& message : plan.messages) {
        VCliUsage::error(err, message);
    }
    if (outcome != nullptr) {
        for (const VCliDestinations::Named& named : plan.destinations) {
            if (named.destination) {
                outcome->destinations.push_back(*named.destination);
            }
        }
    }
    if (plan.exitCode != 0 && !(options.dryRun && plan.planned)) {
        return plan.exitCode;
    }
    // Each of these fails alone; the others are converted.
    for (const std::string& message : plan.unnamed) {
        VCliUsage::error(err, message);
    }
    const int unnamedStatus = plan.unnamed.empty() ? 0 : 1;
    if (plan.spec->entries.empty()) {
        if (unnamedStatus == 0) {
            VCliUsage::error(err, "No files to convert");
        }
        return unnamedStatus;
    }
    if (options.dryRun) {
        return std::max(dryRun(options, plan, out, err), unnamedStatus);
    }

    // Outputs that exist go through the sheet of the desktop application.
    VMCCheckFilenamesState state =
        VMCCheckFilenamesState::fromConversion(*plan.spec, plan.existing);
    const bool terminal = canAsk();
    const VCliOnExists::Outcome skipped =
        VCliOnExists::resolve(options.onExists, state, terminal, std::cin, err);
    if (skipped.cancelled) {
        VCliUsage::error(err, skipped.note);
        return 1;
    }
    if (options.onExists == VCliOnExists::Policy::kAsk && !terminal && !skipped.note.empty()) {
        VCliUsage::error(err, skipped.note);
    }
    const std::shared_ptr<VAConversionSpec> spec = state.conversionSpec(*plan.spec);

    const VCliConversionRun::Display display = options.json ? VCliConversionRun::Display::kJson
                                               : outIsTerminal
                                                   ? VCliConversionRun::Display::kTerminal
                                                   : VCliConversionRun::Display::kPlain;
    if (outcome != nullptr && outcome->beforeRun) {
        outcome->beforeRun(*spec);
    }
    VCliConversionRun conversion(spec, options, out, err, display);
    conversion.setFailedBeforeStart(static_cast<uint32_t>(plan.unnamed.size()));
    conversion.setSkipped(skipped.skipped);
    const int status = conversion.run();
    if (outcome != nullptr) {
        outcome->spec = spec;
        outcome->succeeded = conversion.succeeded();
    }
    return status;
}
