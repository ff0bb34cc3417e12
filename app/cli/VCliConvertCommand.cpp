#include "VCliConvertCommand.h"

#include "VCliConversionRun.h"
#include "VCliDryRun.h"
#include "VCliJobPlanner.h"
#include "VCliUsage.h"
#include "XFile.h"

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
        err << "vantaro: " << message << '\n';
    }
    if (plan.exitCode != 0) {
        return plan.exitCode;
    }
    if (plan.spec->entries.empty()) {
        err << "vantaro: no files to convert\n";
        return 0;
    }

    if (options.dryRun) {
        int status = 0;
        for (const VCliDryRun::Line& line : VCliDryRun::commandLines(plan.spec)) {
            if (line.error) {
                err << "vantaro: " << line.text.utf8() << '\n';
                status = 1;
            } else {
                out << line.text.utf8() << '\n';
            }
        }
        return status;
    }

    const VCliConversionRun::Display display = options.json ? VCliConversionRun::Display::kJson
                                               : outIsTerminal
                                                   ? VCliConversionRun::Display::kTerminal
                                                   : VCliConversionRun::Display::kPlain;
    VCliConversionRun conversion(plan.spec, options, out, err, display);
    return conversion.run();
}
