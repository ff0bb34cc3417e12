#include "VCliNamesCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "VADisplayText.h"
#include "VAStringTools.h"
#include "VCliConvertOptions.h"
#include "VCliJobPlanner.h"
#include "VCliJsonObject.h"
#include "VCliNamingOptions.h"
#include "VCliOptionParser.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCFileNamingElement.h"
#include "VMCNamingTemplate.h"

namespace {

const char* const kUsage =
    "Usage: vantaro names [naming options] [--encoder NAME | --ext .EXT] "
    "[--json] FILE...\n"
    "       vantaro names --elements\n"
    "       vantaro names --describe TEMPLATE\n";

std::string helpText(const VCliOptionParser& parser) {
    return std::string(kUsage) +
           "\n"
           "Prints where the output of each FILE would go, as 'vantaro convert' with the same\n"
           "options names it, without converting anything: one line 'FILE -> OUTPUT' each,\n"
           "marked '(exists)' when the output is there already and '(shared)' when another\n"
           "FILE's output has the same name. Without --encoder or --ext, the active profile\n"
           "names them, with its naming unless naming options are given. Templates that read\n"
           "the files' tags or properties probe the files (the results are kept in the data\n"
           "folder).\n"
           "\n"
           "Options:\n" +
           parser.optionsHelp() +
           "\n"
           "Exit status: 0 when every FILE has an output name, 1 when any has none, 2 for bad\n"
           "usage.\n";
}

// The catalogue: each heading on a line of its own, each row's name and explanation in
// two columns (aligned within the rows between two headings), a blank row as an empty line.
void printElements(std::ostream& out) {
    const std::vector<VMCFileNamingElement> elements = VMCFileNamingElement::elements();
    std::size_t width = 0;
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const VMCFileNamingElement& e = elements[i];
        if (e.isLabel()) {
            out << VADisplayText::utf8(e.name()) << '\n';
            width = 0;
            continue;
        }
        if (width == 0) {
            for (std::size_t k = i; k < elements.size() && !elements[k].isLabel(); ++k) {
                width = std::max(width, elements[k].name().size());
            }
        }
        const XStr pad(width - e.name().size() + 2, U' ');
        out << "  " << VADisplayText::utf8(e.name() + pad + e.description()) << '\n';
    }
}

// The colour of a marked run as a terminal's escape: labels and functions come in their
// own colours, black is the terminal's own colour.
std::string colourOf(const VAStringTools::StyledRun& run) {
    if (run.red == 0 && run.green == 0 && run.blue == 0) {
        return "\033[0m";
    }
    if (run.blue >= run.green && run.blue >= run.red) {
        return "\033[34m";
    }
    return run.green >= run.red ? "\033[32m" : "\033[31m";
}

void printDescription(const XStr& templ, std::ostream& out, bool colour) {
    const XStr described = DescribeNamingTemplate(VMCFileNaming::sanitizeDynamicPattern(templ));
    for (const VAStringTools::StyledRun& run : VAStringTools::importColorsW(described)) {
        if (colour) {
            out << colourOf(run);
        }
        out << VADisplayText::utf8(run.text);
    }
    out << (colour ? "\033[0m\n" : "\n");
}

bool exists(const XStr& path) {
    struct stat st {};
    return lstat(path.utf8().c_str(), &st) == 0;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliNamesCommand::options() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = VCliNamingOptions::table();
        table.insert(
            table.end(),
            {
                {"encoder", 'e', true, false, "NAME",
                 "name the outputs for an encoder of the catalogue: its extension and its\n"
                 "name for [encoder] ('vantaro encoders')",
                 VCliValueKind::kEncoder},
                {"ext", 0, true, false, ".EXT",
                 "extension of the outputs (default: the active profile's, as 'vantaro\n"
                 "convert' without an encoder names them)"},
                {"json", 0, false, false, "", "print one JSON object per file"},
                {"elements", 0, false, false, "",
                 "list the elements and functions templates are made of"},
                {"describe", 0, true, false, "TEMPLATE",
                 "show a template with its elements and functions named"},
                {"help", 'h', false, false, "", "show this help"},
            });
        return table;
    }();
    return kTable;
}

int VCliNamesCommand::run(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err, bool outIsTerminal) {
    const VCliOptionParser parser(options());
    VCliParsedOptions parsed;
    std::string error;
    if (!parser.parse(args, parsed, error)) {
        return VCliUsage::fail(err, error, "names");
    }
    if (parsed.has("help")) {
        out << helpText(parser);
        return 0;
    }
    if (parsed.has("elements") || parsed.has("describe")) {
        if (parsed.has("elements") && parsed.has("describe")) {
            return VCliUsage::fail(
                err, "The options '--elements' and '--describe' cannot be used together", "names");
        }
        if (!parsed.operands.empty()) {
            return VCliUsage::fail(err,
                                   std::string("The option '--") +
                                       (parsed.has("elements") ? "elements" : "describe") +
                                       "' takes no file",
                                   "names");
        }
        if (parsed.has("elements")) {
            printElements(out);
        } else {
            printDescription(XStr(*parsed.value("describe")), out, outIsTerminal);
        }
        return 0;
    }

    VCliConvertOptions convert;
    if (!VCliNamingOptions::fromParsed(parsed, convert.naming, error)) {
        return VCliUsage::fail(err, error, "names");
    }
    if (const auto encoder = parsed.value("encoder")) {
        convert.encoder = XStr(*encoder);
    }
    if (const auto ext = parsed.value("ext")) {
        XStr e;
        if (!VCliConvertOptions::readExtension(*ext, e, error)) {
            return VCliUsage::fail(err, error, "names");
        }
        convert.ext = e;
    }
    for (const std::string& file : parsed.operands) {
        if (file.empty()) {
            return VCliUsage::fail(err, "An empty file name was given", "names");
        }
        convert.files.push_back(XStr(file));
    }
    if (convert.files.empty()) {
        return VCliUsage::fail(err, "No input files", "names");
    }
    // Named exactly as a conversion would name them; nothing is made.
    convert.dryRun = true;
    const VCliJobPlanner::Result plan = VCliJobPlanner(convert).plan();
    if (plan.exitCode == VCliUsage::kUsageError) {
        for (const std::string& message : plan.messages) {
            VCliUsage::error(err, message);
        }
        return plan.exitCode;
    }

    std::map<XStr, int> uses;
    for (const VCliDestinations::Named& named : plan.destinations) {
        if (named.destination) {
            ++uses[*named.destination];
        }
    }
    const bool json = parsed.has("json");
    int status = 0;
    for (const VCliDestinations::Named& named : plan.destinations) {
        if (!named.destination) {
            status = 1;
            if (json) {
                out << VCliJsonObject()
                           .add("source", named.source)
                           .add("error", named.problem)
                           .str()
                    << '\n';
            } else {
                VCliUsage::error(err, "Cannot name the output of " +
                                          VCliText::quoted(named.source) + ": " + named.problem);
            }
            continue;
        }
        const XStr& to = *named.destination;
        const bool there = exists(to);
        const bool shared = uses[to] > 1;
        if (json) {
            out << VCliJsonObject()
                       .add("source", named.source)
                       .add("destination", to)
                       .add("exists", there)
                       .add("shared", shared)
                       .str()
                << '\n';
            continue;
        }
        std::string marks;
        if (there || shared) {
            marks = std::string(" (") + (there ? "exists" : "") + (there && shared ? ", " : "") +
                    (shared ? "shared" : "") + ")";
        }
        out << VADisplayText::utf8(named.source) << " -> " << VADisplayText::utf8(to) << marks
            << '\n';
    }
    return status;
}
