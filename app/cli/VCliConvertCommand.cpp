#include "VCliConvertCommand.h"

#include <errno.h>
#include <string.h>

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
    if (plan.spec->entries.empty()) {
        VCliUsage::error(err, "No files to convert");
        return 0;
    }
    if (options.dryRun) {
        return dryRun(options, plan, out, err);
    }

    const VCliConversionRun::Display display = options.json ? VCliConversionRun::Display::kJson
                                               : outIsTerminal
                                                   ? VCliConversionRun::Display::kTerminal
                                                   : VCliConversionRun::Display::kPlain;
    VCliConversionRun conversion(plan.spec, options, out, err, display);
    return conversion.run();
}
