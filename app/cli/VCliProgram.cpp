#include "VCliProgram.h"

#include <unistd.h>

#include "VCliBatchCommand.h"
#include "VCliCatalogueCommands.h"
#include "VCliConvertCommand.h"
#include "VCliFFmpegCommand.h"
#include "VCliMultiCommand.h"
#include "VCliNamesCommand.h"
#include "VCliProbeCommand.h"
#include "VCliProfileCommand.h"
#include "VCliSettingsCommand.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VCliVersion.h"
#include "VCliVersionCheck.h"
#include "VCliWatchCommand.h"

int VCliProgram::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool outIsTerminal) {
    if (args.empty()) {
        return VCliUsage::fail(err, "No command given");
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "-h" || command == "--help" || command == "help") {
        out << VCliUsage::programHelp();
        return 0;
    }
    if (command == "--version") {
        const bool check = rest.size() == 1 && rest.front() == "--check";
        if (!rest.empty() && !check) {
            return VCliUsage::fail(err, "The option '--version' takes only '--check' after it");
        }
        out << "vantaro " << VCliVersion::text() << '\n';
        return check ? VCliVersionCheck::run(XStr(VCliVersion::text()), out, err) : 0;
    }
    if (command == "--check") {
        return VCliUsage::fail(err, "The option '--check' goes after '--version'");
    }
    if (command == "convert") {
        return VCliConvertCommand::run(rest, out, err, outIsTerminal);
    }
    if (command == "batch") {
        return VCliBatchCommand::run(rest, out, err, outIsTerminal);
    }
    if (command == "watch") {
        return VCliWatchCommand::run(rest, out, err, outIsTerminal);
    }
    if (command == "names") {
        return VCliNamesCommand::run(rest, out, err, outIsTerminal);
    }
    if (command == "probe") {
        return VCliProbeCommand::run(rest, out, err);
    }
    if (command == "encoders") {
        return VCliCatalogueCommands::encoders(rest, out, err);
    }
    if (command == "encoder") {
        return VCliCatalogueCommands::encoder(rest, out, err);
    }
    if (command == "effects") {
        return VCliCatalogueCommands::effects(rest, out, err);
    }
    if (command == "effect") {
        return VCliCatalogueCommands::effect(rest, out, err);
    }
    if (command == "profiles") {
        return VCliProfileCommand::profiles(rest, out, err);
    }
    if (command == "profile") {
        return VCliProfileCommand::profile(rest, out, err);
    }
    if (command == "multi") {
        return VCliMultiCommand::run(rest, out, err);
    }
    if (command == "settings") {
        return VCliSettingsCommand::run(rest, out, err);
    }
    if (command == "ffmpeg") {
        return VCliFFmpegCommand::run(rest, out, err, isatty(STDERR_FILENO) == 1);
    }
    if (!command.empty() && command[0] == '-') {
        return VCliUsage::fail(err, "Unknown option " + VCliText::quoted(command));
    }
    return VCliUsage::fail(err, "Unknown command " + VCliText::quoted(command));
}
