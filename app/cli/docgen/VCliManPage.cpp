#include "VCliManPage.h"

#include <sstream>
#include <vector>

#include "VCliCommands.h"
#include "VCliProgram.h"
#include "VCliVersion.h"

namespace {

// The help of a command as the program prints it, in paragraphs.
std::vector<std::string> helpParagraphs(const std::string& commandName) {
    std::ostringstream out;
    std::ostringstream err;
    VCliProgram::run({commandName, "--help"}, out, err, false);
    std::vector<std::string> paragraphs;
    const std::string text = out.str();
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\n\n", at);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string paragraph = text.substr(at, end - at);
        while (!paragraph.empty() && paragraph.back() == '\n') {
            paragraph.pop_back();
        }
        if (!paragraph.empty()) {
            paragraphs.push_back(paragraph);
        }
        at = end + 2;
    }
    return paragraphs;
}

// The help breaks its lines for a terminal; the manual reflows them.
std::string joinedLines(std::string text) {
    for (char& c : text) {
        if (c == '\n') {
            c = ' ';
        }
    }
    return text;
}

const std::vector<VCliOptionDef>& optionsOf(const std::string& commandName) {
    if (commandName.empty()) {
        return VCliCommands::programOptions();
    }
    for (const VCliCommand& command : VCliCommands::all()) {
        if (command.name == commandName) {
            return command.options();
        }
    }
    static const std::vector<VCliOptionDef> kNone;
    return kNone;
}

}  // namespace

std::string VCliManPage::escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
    }
    // A line that begins with a point or an apostrophe would be read as a request.
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

std::string VCliManPage::optionsList(const std::string& commandName) {
    std::string text;
    for (const VCliOptionDef& def : optionsOf(commandName)) {
        text += ".TP\n";
        if (def.shortName != 0) {
            text += "\\fB" + escaped(std::string("-") + def.shortName) + "\\fR, ";
        }
        text += "\\fB" + escaped("--" + def.longName) + "\\fR";
        if (def.takesValue) {
            text += " \\fI" + escaped(def.valueName) + "\\fR";
        } else if (def.optionalValue) {
            text += "[=\\fI" + escaped(def.valueName) + "\\fR]";
        }
        text += "\n" + escaped(joinedLines(def.help));
        if (def.repeatable) {
            text += " (may be repeated)";
        }
        text += ".\n";
    }
    return text;
}

std::string VCliManPage::commandSection(const std::string& commandName) {
    std::string text;
    bool optionsShown = false;
    for (const std::string& paragraph : helpParagraphs(commandName)) {
        const std::string usage = "Usage: ";
        if (paragraph.compare(0, usage.size(), usage) == 0) {
            text += ".PP\n.B " + escaped(paragraph.substr(usage.size())) + "\n";
        } else if (paragraph.compare(0, 8, "Options:") == 0) {
            // The table itself, so that nothing the help leaves out is lost here.
            text += optionsList(commandName);
            optionsShown = true;
        } else {
            text += ".PP\n" + escaped(joinedLines(paragraph)) + "\n";
        }
    }
    if (!optionsShown) {
        text += optionsList(commandName);
    }
    return text;
}

std::string VCliManPage::render() {
    std::string text;
    text += ".\\\" Made by vantaro-docgen from the program's option tables; do not edit.\n";
    text +=
        ".TH VANTARO 1 \"\" \"vantaro " + escaped(VCliVersion::text()) + "\" \"User Commands\"\n";
    text += ".SH NAME\nvantaro \\- " + escaped(VCliCommands::summary()) + "\n";
    text += ".SH SYNOPSIS\n";
    for (const VCliCommand& command : VCliCommands::all()) {
        text += ".B vantaro " + command.name + "\n.RI [ options ]\n";
        if (!command.operands.empty()) {
            text += ".I " + escaped(command.operands) + "\n";
        }
        text += ".br\n";
    }
    text += ".B vantaro\n.RB [ \\-\\-help | \\-\\-version ]\n.br\n";
    text += ".B vantaro \\-\\-version \\-\\-check\n";
    text += ".SH DESCRIPTION\n" + escaped(joinedLines(VCliCommands::about())) + "\n";
    text += ".SH OPTIONS\n" + optionsList("");
    text += ".SH COMMANDS\n";
    for (const VCliCommand& command : VCliCommands::all()) {
        text += ".SS " + command.name + "\n";
        std::string summary = command.summary;
        if (!summary.empty() && summary[0] >= 'a' && summary[0] <= 'z') {
            summary[0] = static_cast<char>(summary[0] - 'a' + 'A');
        }
        text += escaped(summary) + ".\n";
        text += commandSection(command.name);
    }
    text +=
        ".SH FILES\n"
        ".TP\n"
        ".I $XDG_DATA_HOME/VantaroVideo\n"
        "(else\n"
        ".IR ~/.local/share/VantaroVideo )\n"
        "settings, probe records and logs.\n"
        ".SH SEE ALSO\n"
        ".BR ffmpeg (1),\n"
        ".BR ffprobe (1)\n";
    return text;
}
