#include "VCliConvertCommand.h"

#include <errno.h>
#include <string.h>

#include <algorithm>

#include "VADisplayText.h"
#include "VCliConversionRun.h"
#include "VCliDryRun.h"
#include "VCliJobPlanner.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "XFile.h"

namespace {

// The commands of every job, and the exit status the run's planning gives.
int dryRun(const VCliConvertOptions& options, const VCliJobPlanner::Result& plan, std::ostream& out,
           std::ostream& err) {
    VCliDryRun::Options dry;
    dry.text = options.dryRunText;
    dry.existing = plan.existing;
    dry.overwrite = options.overwrite;
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

    const VCliJobPlanner::Result plan = VCliJobPlanner(options).plan();
    for (const std::string& message : plan.messages) {
        VCliUsage::error(err, message);
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

    const VCliConversionRun::Display display = options.json ? VCliConversionRun::Display::kJson
                                               : outIsTerminal
                                                   ? VCliConversionRun::Display::kTerminal
                                                   : VCliConversionRun::Display::kPlain;
    VCliConversionRun conversion(plan.spec, options, out, err, display);
    conversion.setFailedBeforeStart(static_cast<uint32_t>(plan.unnamed.size()));
    return conversion.run();
}
