#include "VCliProfileCommand.h"

#include "VADisplayText.h"
#include "VALocateFFmpeg.h"
#include "VCliOptionParser.h"
#include "VCliProfileEdit.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCCreateProfile.h"
#include "VMCEncoderPageMultiEnc.h"
#include "VMCMultiEncConfig.h"
#include "VVCPageText.h"

namespace {

const VCliOptionDef kHelp = {"help", 'h', false, false, "", "show this help"};

const char* const kProfileUsage =
    "Usage: vantaro profile show NAME\n"
    "       vantaro profile create USERNAME --encoder NAME [options]\n"
    "       vantaro profile set NAME [options]\n"
    "       vantaro profile use NAME\n"
    "       vantaro profile delete NAME\n";

std::string quoted(const XStr& text) {
    return VCliText::quoted(text);
}

std::string shown(const XStr& text) {
    return VADisplayText::utf8(text);
}

// The arguments a profile converts with: a profile that was never saved has none and
// converts with its page's defaults.
VAEncoderArgs effectiveArgs(const VMCProfile& profile) {
    VMCEncoderArgsHost host(profile.encoderArgsV2());
    if (std::unique_ptr<VMCEncoderPage> page = VVCPageText::openEncoderPage(
            profile.encoderName(), &host, VALocateFFmpeg::gplEncodersOffered())) {
        page->pageWillClose();
    }
    return host.encoderArgsV2();
}

void printEffects(std::ostream& out, const VADSPChain& chain, const std::string& indent) {
    if (chain.empty()) {
        out << indent << "Effects: none\n";
        return;
    }
    out << indent << "Effects:\n";
    for (const VADSPSpec& dsp : chain) {
        out << indent << "  " << shown(dsp.name) << ": " << shown(dsp.args) << '\n';
    }
}

int show(const VMCConfig& config, const VMCProfile& profile, std::ostream& out) {
    const VAEncoderArgs args = effectiveArgs(profile);
    out << "Profile: " << shown(profile.profileName()) << '\n'
        << "Encoder: " << shown(profile.encoderName()) << '\n';
    if (profile.encoderName() == VAEncoderDesc::strMultiEncoder) {
        const VMCMultiEncConfig multi = VMCMultiEncConfig::fromArgs(args, config.encoders());
        out << "Encoders:" << (multi.entries().empty() ? " none" : "") << '\n';
        std::size_t i = 0;
        for (const VMCMultiEncEntry& entry : multi.entries()) {
            out << "  " << ++i << ". " << shown(VMCEncoderPageMultiEnc::describeEntry(entry))
                << '\n';
            out << "     Arguments: " << shown(entry.encoderArgsV2.strArgs) << '\n';
        }
        if (!multi.multiCPU()) {
            out << "  The encoders of one file run one after the other\n";
        }
    } else {
        out << "Arguments: " << shown(args.strArgs) << '\n';
        if (!args.customFormatExt.empty()) {
            out << "Extension: " << shown(args.customFormatExt) << '\n';
        }
    }
    printEffects(out, profile.dspEffects(), "");
    out << "Naming: " << shown(VCliProfileCommand::describeNaming(profile.fileNaming())) << '\n'
        << "Active: " << (config.activeProfileName() == profile.profileName() ? "yes" : "no")
        << '\n';
    return 0;
}

XStrList profileNames(const VMCConfig& config) {
    XStrList names;
    for (const VMCConfig::ProfilePtr& profile : config.encoderProfiles()) {
        names.push_back(profile->profileName());
    }
    for (const VMCConfig::ProfilePtr& profile : config.userProfiles()) {
        names.push_back(profile->profileName());
    }
    return names;
}

// The edits of "create" and "set", applied and saved; false with a message.
bool edit(VMCProfile& profile, const VCliProfileEdit& changes, std::string& error) {
    VAEncoderArgs args = profile.encoderArgsV2();
    VADSPChain chain = profile.dspEffects();
    if (!changes.applyEncoding(profile.encoderName(), args, chain, error)) {
        return false;
    }
    profile.setEncoderArgsV2(args);
    profile.setDspEffects(chain);
    profile.setFileNaming(changes.namingOver(profile.fileNaming()));
    profile.saveProfile();
    return true;
}

int create(VMCConfig& config, const VCliParsedOptions& options, std::ostream& out,
           std::ostream& err) {
    const std::optional<std::string> typedEncoder = options.value("encoder");
    if (!typedEncoder) {
        return VCliUsage::fail(err, "The subcommand 'create' needs the encoder: --encoder NAME",
                               "profile");
    }
    if (!config.allowUserProfiles()) {
        VCliUsage::error(err,
                         "User profiles are turned off; turn them on with 'vantaro settings set "
                         "vMCAllowProfiles 1'");
        return 1;
    }
    std::string error;
    VCliProfileEdit changes;
    if (!VCliProfileEdit::fromParsed(options, changes, error)) {
        return VCliUsage::fail(err, error, "profile");
    }
    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    const std::optional<XStr> encoder = VVCPageText::encoderNamed(XStr(*typedEncoder), false, gpl);
    if (!encoder || !VAEncoderDesc::findEncoder(config.encoders(), *encoder)) {
        XStr why;
        VMCEncoderArgsHost host;
        VVCPageText::openEncoderPage(XStr(*typedEncoder), &host, gpl, &why);
        return VCliUsage::fail(err, why.utf8(), "profile");
    }
    const XStr userName(options.operands[1]);
    const XStrList taken = VMCCreateProfile::namesTakenFor(config, *encoder);
    const bool refused = std::find(taken.begin(), taken.end(), userName) != taken.end();
    const VMCConfig::ProfilePtr profile =
        refused ? nullptr : config.newUserProfile(userName, *encoder);
    if (!profile) {
        VCliUsage::error(err, std::string(VMCCreateProfile::kTakenAlert) + " " + quoted(userName) +
                                  (userName.trimmed().empty() || userName.contains(U'\\')
                                       ? " cannot name a profile (it is empty or holds a "
                                         "backslash)"
                                       : " is taken for the encoder " + quoted(*encoder)));
        return 1;
    }
    if (!edit(*profile, changes, error)) {
        VCliUsage::error(err, error);
        return 2;
    }
    out << "Created the profile " << quoted(profile->profileName()) << '\n';
    return 0;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliProfileCommand::profilesOptions() {
    static const std::vector<VCliOptionDef> kTable = {kHelp};
    return kTable;
}

const std::vector<VCliOptionDef>& VCliProfileCommand::profileOptions() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = {{"encoder", 'e', true, false, "NAME",
                                             "the encoder of a new profile (create)",
                                             VCliValueKind::kEncoder}};
        const std::vector<VCliOptionDef>& edits = VCliProfileEdit::table();
        table.insert(table.end(), edits.begin(), edits.end());
        table.push_back(kHelp);
        return table;
    }();
    return kTable;
}

XStr VCliProfileCommand::describeNaming(const VMCFileNaming& naming) {
    switch (naming.fileNamingType()) {
        case VMCFileNaming::kSameFolder:
            return "beside each source";
        case VMCFileNaming::kSingleFolder:
            return "into " + naming.destination().url();
        case VMCFileNaming::kDynamic:
            return naming.isSameFolder() ? XStr("beside each source") : naming.descriptionRaw();
        default:
            return "as the main profile names them";
    }
}

VMCConfig::ProfilePtr VCliProfileCommand::findProfile(const VMCConfig& config, const XStr& typed,
                                                      std::string& error) {
    if (VMCConfig::ProfilePtr exact = config.profileNamed(typed)) {
        return exact;
    }
    const XStrList names = profileNames(config);
    VMCConfig::ProfilePtr found;
    int matches = 0;
    for (const XStr& name : names) {
        if (name.equalsNoCase(typed)) {
            found = config.profileNamed(name);
            ++matches;
        }
    }
    if (matches == 0) {
        for (const VMCConfig::ProfilePtr& profile : config.userProfiles()) {
            if (profile->userProfileName().value_or(XStr()).equalsNoCase(typed)) {
                found = profile;
                ++matches;
            }
        }
    }
    if (matches == 1) {
        return found;
    }
    error = (matches == 0 ? "No profile " : "More than one profile is called ") + quoted(typed) +
            ". The profiles are:";
    for (const XStr& name : names) {
        error += "\n  " + name.utf8();
    }
    return nullptr;
}

int VCliProfileCommand::profiles(const std::vector<std::string>& args, std::ostream& out,
                                 std::ostream& err) {
    VCliParsedOptions options;
    std::string error;
    const VCliOptionParser parser(profilesOptions());
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "profiles");
    }
    if (options.has("help")) {
        out << "Usage: vantaro profiles\n\n"
               "Lists the profiles: one for each encoder, then the user profiles, the active one\n"
               "(which 'vantaro convert' uses when no encoder is given) marked with '*'.\n\n"
               "Options:\n"
            << parser.optionsHelp();
        return 0;
    }
    if (!options.operands.empty()) {
        return VCliUsage::fail(err, "The command 'profiles' takes no name", "profiles");
    }
    const VMCConfig config;
    for (const XStr& name : profileNames(config)) {
        out << (name == config.activeProfileName() ? "* " : "  ") << shown(name) << '\n';
    }
    return 0;
}

int VCliProfileCommand::profile(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err) {
    VCliParsedOptions options;
    std::string error;
    const VCliOptionParser parser(profileOptions());
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "profile");
    }
    if (options.has("help")) {
        out << kProfileUsage
            << "\n"
               "Shows, creates, changes, activates and deletes the profiles that 'vantaro "
               "convert'\n"
               "and the desktop application convert with. A user profile is a named variant of\n"
               "one encoder ('vantaro settings set vMCAllowProfiles 1' turns them on); 'set'\n"
               "changes and saves any profile.\n\n"
               "Options:\n"
            << parser.optionsHelp();
        return 0;
    }
    const std::vector<std::string>& ops = options.operands;
    const std::string sub = ops.empty() ? std::string() : ops.front();
    if (sub != "show" && sub != "create" && sub != "set" && sub != "use" && sub != "delete") {
        return VCliUsage::fail(err,
                               sub.empty() ? "No subcommand given (show, create, set, use, delete)"
                                           : "Unknown subcommand " + quoted(XStr(sub)) +
                                                 " (use show, create, set, use or delete)",
                               "profile");
    }
    if (ops.size() != 2) {
        return VCliUsage::fail(err, "The subcommand " + quoted(XStr(sub)) + " takes one name",
                               "profile");
    }
    const bool edits = options.has("set") || options.has("effect") || options.has("effects") ||
                       options.has("ext") || options.has("output") || options.has("template") ||
                       options.has("preserve-path");
    if ((sub != "create" && options.has("encoder")) || (edits && sub != "create" && sub != "set")) {
        return VCliUsage::fail(err, "The subcommand " + quoted(XStr(sub)) + " takes no options",
                               "profile");
    }
    VMCConfig config;
    if (sub == "create") {
        return create(config, options, out, err);
    }
    const VMCConfig::ProfilePtr profile = findProfile(config, XStr(ops[1]), error);
    if (!profile) {
        VCliUsage::error(err, error);
        return 1;
    }
    if (sub == "show") {
        return show(config, *profile, out);
    }
    if (sub == "use") {
        config.setActiveProfile(*profile);
        out << "The active profile is " << quoted(profile->profileName()) << '\n';
        return 0;
    }
    if (sub == "delete") {
        if (!VMCCreateProfile::deleteQuestion(*profile)) {
            VCliUsage::error(err, "The profile " + quoted(profile->profileName()) +
                                      " is an encoder's own; only user profiles can be deleted");
            return 1;
        }
        VMCCreateProfile::deleteProfile(config, profile);
        out << "Deleted the profile " << quoted(profile->profileName()) << '\n';
        return 0;
    }
    VCliProfileEdit changes;
    if (!VCliProfileEdit::fromParsed(options, changes, error)) {
        return VCliUsage::fail(err, error, "profile");
    }
    if (!edit(*profile, changes, error)) {
        VCliUsage::error(err, error);
        return 2;
    }
    out << "Saved the profile " << quoted(profile->profileName()) << '\n';
    return 0;
}
