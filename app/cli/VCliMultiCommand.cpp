#include "VCliMultiCommand.h"

#include "VADisplayText.h"
#include "VALocateFFmpeg.h"
#include "VCliOptionParser.h"
#include "VCliProfileEdit.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCConfig.h"
#include "VMCEncoderPageMultiEnc.h"
#include "VVCPageText.h"

namespace {

const char* const kUsage =
    "Usage: vantaro multi add ENCODER [options]\n"
    "       vantaro multi list\n"
    "       vantaro multi remove N\n";

std::string shown(const XStr& text) {
    return VADisplayText::utf8(text);
}

void list(const VMCMultiEncConfig& config, std::ostream& out) {
    std::size_t i = 0;
    for (const VMCMultiEncEntry& entry : config.entries()) {
        out << ++i << ". " << shown(VMCEncoderPageMultiEnc::describeEntry(entry)) << '\n'
            << "   Arguments: " << shown(entry.encoderArgsV2.strArgs) << '\n';
        for (const VADSPSpec& dsp : entry.dspEffects) {
            out << "   Effect " << shown(dsp.name) << ": " << shown(dsp.args) << '\n';
        }
    }
}

// The entry's naming: the edit's options, or the main naming, else beside the source.
bool applyNaming(VMCMultiEncConfigureEncoder& sheet, const VCliProfileEdit& changes,
                 bool mainNaming) {
    if (mainNaming) {
        return sheet.setNamingType(VMCFileNaming::kUseParent);
    }
    if (!changes.namingGiven) {
        return sheet.setNamingType(VMCFileNaming::kSameFolder);
    }
    const VMCFileNaming naming = changes.namingOver(VMCFileNaming());
    sheet.setDestinationFolder(naming.destination().url());
    if (naming.fileNamingType() == VMCFileNaming::kDynamic) {
        sheet.setTemplate(naming.dynamicFormat());
    }
    return true;
}

int add(VMCEncoderPageMultiEnc& page, const VCliParsedOptions& options, std::ostream& out,
        std::ostream& err) {
    std::string error;
    VCliProfileEdit changes;
    if (!VCliProfileEdit::fromParsed(options, changes, error)) {
        return VCliUsage::fail(err, error, "multi");
    }
    if (options.has("main-naming") && changes.namingGiven) {
        return VCliUsage::fail(err, "The option '--main-naming' cannot be used with naming options",
                               "multi");
    }
    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    const XStr typed(options.operands[1]);
    const std::optional<XStr> name = VVCPageText::encoderNamed(typed, false, gpl);
    const std::unique_ptr<VMCMultiEncConfigureEncoder> sheet = page.addEntry();
    if (!name || !sheet || !sheet->chooseEncoder(*name)) {
        XStr why;
        VMCEncoderArgsHost host;
        VVCPageText::openEncoderPage(typed, &host, gpl, &why);
        return VCliUsage::fail(
            err,
            why.empty() ? "The multi encoder cannot use the encoder " + VCliText::quoted(typed)
                        : why.utf8(),
            "multi");
    }
    VAEncoderArgs args = sheet->config().encoderArgsV2;
    VADSPChain chain = sheet->config().dspEffects;
    if (!changes.applyEncoding(*name, args, chain, error)) {
        VCliUsage::error(err, error);
        return 2;
    }
    sheet->setEncoderArgsV2(args);
    // The page reads the arguments it will finish from.
    sheet->viewDidLoad();
    sheet->setDspEffects(chain);
    applyNaming(*sheet, changes, options.has("main-naming"));
    sheet->onOK();
    page.confirmAdd(*sheet);
    out << "Added " << page.configuration().entries().size() << ". "
        << shown(VMCEncoderPageMultiEnc::describeEntry(page.configuration().entries().back()))
        << '\n';
    return 0;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliMultiCommand::options() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = VCliProfileEdit::table();
        table.push_back({"main-naming", 0, false, false, "",
                         "name the outputs as the multi encoder's profile does"});
        table.push_back({"help", 'h', false, false, "", "show this help"});
        return table;
    }();
    return kTable;
}

int VCliMultiCommand::run(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    VCliParsedOptions options;
    std::string error;
    const VCliOptionParser parser(VCliMultiCommand::options());
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "multi");
    }
    if (options.has("help")) {
        out << kUsage
            << "\n"
               "Lists and changes the encoders of the profile '[Multi Encoder]', with which\n"
               "'vantaro convert --profile \"[Multi Encoder]\"' converts every file: each entry\n"
               "has its own settings (--set), effects (--effect) and naming (-o, --template,\n"
               "--preserve-path; beside each source when none is given).\n\n"
               "Options:\n"
            << parser.optionsHelp();
        return 0;
    }
    const std::vector<std::string>& ops = options.operands;
    const std::string sub = ops.empty() ? std::string() : ops.front();
    const std::size_t operands = sub == "list" ? 1 : 2;
    if (sub != "add" && sub != "list" && sub != "remove") {
        return VCliUsage::fail(err,
                               sub.empty() ? "No subcommand given (add, list, remove)"
                                           : "Unknown subcommand " + VCliText::quoted(sub) +
                                                 " (use add, list or remove)",
                               "multi");
    }
    if (ops.size() != operands) {
        return VCliUsage::fail(err,
                               sub == "add"      ? "The subcommand 'add' takes one encoder name"
                               : sub == "remove" ? "The subcommand 'remove' takes one number"
                                                 : "The subcommand 'list' takes no operand",
                               "multi");
    }
    if (sub != "add" && args.size() != ops.size()) {
        return VCliUsage::fail(err, "The subcommand " + VCliText::quoted(sub) + " takes no options",
                               "multi");
    }

    VMCConfig config;
    const VMCConfig::ProfilePtr profile = config.profileNamed(VAEncoderDesc::strMultiEncoder);
    if (!profile) {
        VCliUsage::error(err, "The multi encoder is not offered");
        return 1;
    }
    VMCEncoderArgsHost host(profile->encoderArgsV2());
    VMCEncoderPageMultiEnc page(&host, config.encoders());
    page.viewDidLoad();
    int status = 0;
    if (sub == "list") {
        list(page.configuration(), out);
        return 0;
    }
    if (sub == "add") {
        status = add(page, options, out, err);
    } else {
        const XStr n(ops[1]);
        const int64_t index = n.toInt64();
        if (n.empty() || XStr::number(index) != n || index < 1 ||
            static_cast<std::size_t>(index) > page.configuration().entries().size()) {
            VCliUsage::error(err, "No entry " + VCliText::quoted(n) + "; there are " +
                                      std::to_string(page.configuration().entries().size()));
            return 1;
        }
        out << "Removed " << index << ". "
            << shown(VMCEncoderPageMultiEnc::describeEntry(
                   page.configuration().entries()[static_cast<std::size_t>(index - 1)]))
            << '\n';
        page.removeEntry(static_cast<std::size_t>(index - 1));
    }
    if (status == 0) {
        profile->setEncoderArgsV2(host.encoderArgsV2());
        profile->saveProfile();
    }
    return status;
}
