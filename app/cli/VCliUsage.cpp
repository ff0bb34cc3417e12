#include "VCliUsage.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VCliCommands.h"
#include "VCliOptionParser.h"

std::string VCliUsage::programHelp() {
    std::size_t width = 0;
    for (const VCliCommand& command : VCliCommands::all()) {
        width = std::max(width, command.name.size() + 1 + command.operands.size());
    }
    std::string commands;
    for (const VCliCommand& command : VCliCommands::all()) {
        const std::string shown =
            command.operands.empty() ? command.name : command.name + " " + command.operands;
        commands +=
            "  " + shown + std::string(width - shown.size() + 3, ' ') + command.summary + "\n";
    }
    return "Usage: vantaro COMMAND [options] [FILE...]\n"
           "\n" +
           VCliCommands::about() +
           "\n"
           "\n"
           "Commands:\n" +
           commands +
           "\n"
           "Options:\n" +
           VCliOptionParser(VCliCommands::programOptions()).optionsHelp() +
           "\n"
           "Run 'vantaro COMMAND --help' for the options of a command.\n";
}

void VCliUsage::error(std::ostream& err, const std::string& message) {
    err << "vantaro: " << VADisplayText::linesUtf8(message) << '\n';
    err.flush();
}

int VCliUsage::fail(std::ostream& err, const std::string& message, const std::string& command) {
    error(err, message);
    err << "Try 'vantaro " << (command.empty() ? "" : command + " ") << "--help'.\n";
    return kUsageError;
}
