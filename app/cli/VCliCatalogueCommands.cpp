#include "VCliCatalogueCommands.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VALocateFFmpeg.h"
#include "VCliOptionParser.h"
#include "VCliUsage.h"
#include "VMCEncoderPageHost.h"
#include "VVCPageText.h"

namespace {

const VCliOptionDef kHelp = {"help", 'h', false, false, "", "show this help"};
const VCliOptionDef kAll = {"all", 0, false, false, "", "also list what is not offered, marked"};
const VCliOptionDef kSet = {"set",
                            's',
                            true,
                            true,
                            "ID=VALUE",
                            "set a control as a user would, in the order given; VALUE as shown\n"
                            "below, or #N for a choice's or a slider's N-th step"};

struct Parsed {
    bool ok = false;
    int status = 0;
    VCliParsedOptions options;
};

// Reads the options, answering the help or a usage error itself; ok when the command
// should go on. operands is how many file or name operands the command takes.
Parsed parse(const std::vector<std::string>& args, const std::vector<VCliOptionDef>& table,
             const std::string& command, const std::string& usage, const std::string& about,
             std::size_t operands, std::ostream& out, std::ostream& err) {
    Parsed p;
    std::string error;
    const VCliOptionParser parser(table);
    if (!parser.parse(args, p.options, error)) {
        p.status = VCliUsage::fail(err, error, command);
        return p;
    }
    if (p.options.has("help")) {
        out << "Usage: vantaro " << command << usage << "\n\n"
            << about << "\n\nOptions:\n"
            << parser.optionsHelp();
        return p;
    }
    if (p.options.operands.size() != operands) {
        p.status = VCliUsage::fail(err,
                                   "The command '" + command + "' takes " +
                                       (operands == 0 ? "no file or name" : "one name"),
                                   command);
        return p;
    }
    p.ok = true;
    return p;
}

// "encoder NAME" and "effect NAME" read the same options; gives names what the page makes.
Parsed parsePageCommand(const std::vector<std::string>& args, const std::string& command,
                        const std::string& gives, std::ostream& out, std::ostream& err) {
    return parse(args, VCliCatalogueCommands::pageOptions(), command, " NAME [--set ID=VALUE]...",
                 "Shows the controls of the " + command +
                     "'s settings page, with their identifiers,\nchoices and values, and the " +
                     gives + " they give.",
                 1, out, err);
}

XStrList settingsOf(const VCliParsedOptions& options) {
    XStrList settings;
    for (const std::string& setting : options.values("set")) {
        settings.push_back(XStr(setting));
    }
    return settings;
}

void printLines(std::ostream& out, const XStrList& lines) {
    for (const XStr& line : lines) {
        out << VADisplayText::utf8(line) << '\n';
    }
}

void printControls(std::ostream& out, const XStrList& controls) {
    out << "Controls:\n";
    for (const XStr& line : controls) {
        out << "  " << VADisplayText::utf8(line) << '\n';
    }
}

int listing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& command, const std::string& about,
            XStrList (*lines)(bool all, bool gpl)) {
    const Parsed p = parse(args, VCliCatalogueCommands::listingOptions(), command, " [--all]",
                           about, 0, out, err);
    if (!p.ok) {
        return p.status;
    }
    printLines(out, VCliCatalogueCommands::alignColumns(
                        lines(p.options.has("all"), VALocateFFmpeg::gplEncodersOffered())));
    return 0;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliCatalogueCommands::listingOptions() {
    static const std::vector<VCliOptionDef> kTable = {kAll, kHelp};
    return kTable;
}

const std::vector<VCliOptionDef>& VCliCatalogueCommands::pageOptions() {
    static const std::vector<VCliOptionDef> kTable = {kSet, kHelp};
    return kTable;
}

XStrList VCliCatalogueCommands::alignColumns(const XStrList& lines) {
    std::vector<XStrList> rows;
    std::vector<std::size_t> widths;
    for (const XStr& line : lines) {
        rows.push_back(line.split(U'\t'));
        for (std::size_t i = 0; i + 1 < rows.back().size(); ++i) {
            widths.resize(std::max(widths.size(), i + 1));
            widths[i] = std::max(widths[i], rows.back()[i].size());
        }
    }
    XStrList out;
    for (const XStrList& row : rows) {
        XStr text;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i + 1 == row.size()) {
                text += row[i];
                break;
            }
            text += row[i] + XStr(std::string(widths[i] - row[i].size() + 2, ' '));
        }
        while (!text.empty() && text.back() == U' ') {
            text.pop_back();
        }
        out.push_back(text);
    }
    return out;
}

int VCliCatalogueCommands::encoders(const std::vector<std::string>& args, std::ostream& out,
                                    std::ostream& err) {
    return listing(args, out, err, "encoders",
                   "Lists the encoders 'convert --encoder' takes, with their extensions.",
                   VVCPageText::encoderLines);
}

int VCliCatalogueCommands::effects(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err) {
    return listing(args, out, err, "effects", "Lists the effects 'convert --effect' takes.",
                   VVCPageText::effectLines);
}

int VCliCatalogueCommands::encoder(const std::vector<std::string>& args, std::ostream& out,
                                   std::ostream& err) {
    const Parsed p = parsePageCommand(args, "encoder", "FFmpeg options", out, err);
    if (!p.ok) {
        return p.status;
    }
    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    const XStr typed(p.options.operands.front());
    XStr error;
    VMCEncoderArgsHost host;
    std::unique_ptr<VMCEncoderPage> page = VVCPageText::openEncoderPage(typed, &host, gpl, &error);
    if (!page || !VVCPageText::applySettings(*page, settingsOf(p.options), &error)) {
        return VCliUsage::fail(err, error.utf8(), "encoder");
    }
    const XStrList controls = VVCPageText::describe(*page);
    page->pageWillClose();
    const XStr name = *VVCPageText::encoderNamed(typed, false, gpl);
    const VAEncoderArgs written = host.encoderArgsV2();
    const XStr ext = VVCPageText::outputExtension(name, written);
    out << "Encoder: " << VADisplayText::utf8(name) << '\n'
        << "Extension: " << (ext.empty() ? "(none: give --ext .EXT)" : VADisplayText::utf8(ext))
        << '\n';
    printControls(out, controls);
    out << "Arguments: " << VADisplayText::utf8(written.strArgs) << '\n';
    return 0;
}

int VCliCatalogueCommands::effect(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err) {
    const Parsed p = parsePageCommand(args, "effect", "effect text", out, err);
    if (!p.ok) {
        return p.status;
    }
    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    const XStr typed(p.options.operands.front());
    XStr error;
    std::unique_ptr<VMCDSPPage> page = VVCPageText::openEffectPage(typed, gpl, &error);
    if (!page || !VVCPageText::applySettings(*page, settingsOf(p.options), &error)) {
        return VCliUsage::fail(err, error.utf8(), "effect");
    }
    out << "Effect: " << VADisplayText::utf8(*VVCPageText::effectNamed(typed, false, gpl)) << '\n';
    printControls(out, VVCPageText::describe(*page));
    out << "Arguments: " << VADisplayText::utf8(page->dspArgs()) << '\n';
    XStr why;
    if (!page->dspValidate(&why)) {
        out << "Not ready: " << VADisplayText::utf8(why) << '\n';
    }
    return 0;
}
