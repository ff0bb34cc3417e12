#include "VCliConvertOptions.h"

#include "VCliOptionParser.h"
#include "VCliText.h"

namespace {

// Jobs beyond this are a typing mistake rather than a plan.
constexpr int64_t kMaxJobs = 256;

bool readJobs(const std::string& text, uint32_t& jobs) {
    if (text.empty() || text.size() > 4) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    const int64_t n = XStr(text).toInt64();
    if (n < 1 || n > kMaxJobs) {
        return false;
    }
    jobs = static_cast<uint32_t>(n);
    return true;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliConvertOptions::table() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = {
            {"profile", 'p', true, false, "NAME",
             "convert with a stored profile ('vantaro profiles'; default: the active one);\n"
             "--set, --effect, --effects, --ext and naming options change it for this run"},
            {"save", 0, false, false, "", "save those changes into the profile"},
            {"encoder", 'e', true, false, "NAME", "encoder of the catalogue ('vantaro encoders')",
             VCliValueKind::kEncoder},
            {"effect", 0, true, true, "NAME", "add an effect ('vantaro effects')",
             VCliValueKind::kEffect},
            {"set", 's', true, true, "ID=VALUE",
             "set a control of the encoder, or NAME.ID=VALUE of an effect (NAME#2.ID=VALUE for\n"
             "the second of that name), in the order given; VALUE as 'vantaro encoder' or\n"
             "'vantaro effect' shows it, or #N for a choice's or a slider's N-th step"},
            {"encoder-args", 0, true, false, "TEXT", "FFmpeg output options of every job"},
            {"effects", 0, true, false, "TEXT",
             "effect chain, as an effect-chain string (before any --effect); it replaces a\n"
             "profile's chain"},
            {"ext", 0, true, false, ".EXT",
             "extension of the outputs (default .mp4, with --encoder the encoder's, with --copy\n"
             "the source's); with --encoder or --profile only for the custom encoder; alone,\n"
             "FFmpeg chooses the codecs"},
        };
        // Where the outputs go, right after what they are.
        const std::vector<VCliOptionDef>& naming = VCliNamingOptions::table();
        table.insert(table.end(), naming.begin(), naming.end());
        table.insert(
            table.end(),
            {
                {"jobs", 'j', true, false, "N", "jobs run at once (default: one per processor)"},
                {"join", 0, false, false, "",
                 "join all files, in the order given, into one output"},
                {"copy", 0, false, false, "", "copy the files instead of converting them"},
                {"on-exists", 0, true, false, "ask|overwrite|skip|rename",
                 "outputs that exist already: ask which (on a terminal; elsewhere skip them),\n"
                 "overwrite them, skip them, or rename them with the date appended (default ask)"},
                {"overwrite", 0, false, false, "", "short for --on-exists overwrite"},
                {"dry-run", 0, false, false, "text",
                 "print the FFmpeg command of every job quoted for a shell (=text: as the log\n"
                 "shows it), what it does afterwards and which outputs exist; start nothing",
                 VCliValueKind::kText, true},
                {"json", 0, false, false, "", "print progress as one JSON object per line"},
                {"verbose", 0, false, false, "", "print the information log at the end as well"},
                {"help", 'h', false, false, "", "show this help"},
            });
        return table;
    }();
    return kTable;
}

std::string VCliConvertOptions::helpText() {
    return "Usage: vantaro convert [options] FILE...\n"
           "\n"
           "Converts each FILE with FFmpeg, several at a time. A FILE that is a folder stands\n"
           "for the media files in it, by their extension (not in its subfolders; 'vantaro\n"
           "batch' goes further). Without --encoder, --encoder-args or --copy, the active\n"
           "profile (or --profile NAME) gives the encoder, its settings, the effects and the\n"
           "naming; the profile '[Multi Encoder]' converts every FILE with each of its\n"
           "encoders ('vantaro multi'). Outputs that exist are never replaced unless\n"
           "--on-exists overwrite (or --overwrite) is given.\n"
           "\n"
           "Options:\n" +
           VCliOptionParser(table()).optionsHelp() +
           "\n"
           "Exit status: 0 when every job succeeded (outputs skipped count as neither), 1\n"
           "when any failed or was refused, 2 for bad usage, 130 when interrupted.\n";
}

bool VCliConvertOptions::readExtension(const std::string& text, XStr& out, std::string& error) {
    XStr e(text);
    if (!e.startsWith(".")) {
        e = "." + e;
    }
    if (e.size() < 2 || e.contains(U'/') || e == "..") {
        error = "Invalid extension " + VCliText::quoted(text);
        return false;
    }
    out = e;
    return true;
}

bool VCliConvertOptions::fromArgs(const std::vector<std::string>& args, VCliConvertOptions& out,
                                  std::string& error) {
    VCliParsedOptions parsed;
    if (!VCliOptionParser(table()).parse(args, parsed, error)) {
        return false;
    }
    return fromParsed(parsed, out, error);
}

bool VCliConvertOptions::fromParsed(const VCliParsedOptions& parsed, VCliConvertOptions& out,
                                    std::string& error, bool filesFromOperands) {
    out = VCliConvertOptions();
    out.help = parsed.has("help");
    if (out.help) {
        return true;
    }
    out.encoderArgs = XStr(parsed.value("encoder-args").value_or(""));
    out.encoderArgsGiven = parsed.has("encoder-args");
    if (const auto profile = parsed.value("profile")) {
        out.profile = XStr(*profile);
    }
    out.save = parsed.has("save");
    out.effects = XStr(parsed.value("effects").value_or(""));
    out.effectsGiven = parsed.has("effects");
    if (const auto encoder = parsed.value("encoder")) {
        out.encoder = XStr(*encoder);
    }
    for (const std::string& name : parsed.values("effect")) {
        out.effectNames.push_back(XStr(name));
    }
    for (const std::string& setting : parsed.values("set")) {
        if (setting.empty() || setting[0] == '=') {
            error =
                "Invalid setting " + VCliText::quoted(setting) + " (use ID=VALUE or NAME.ID=VALUE)";
            return false;
        }
        out.settings.push_back(XStr(setting));
    }
    if (const auto ext = parsed.value("ext")) {
        XStr e;
        if (!readExtension(*ext, e, error)) {
            return false;
        }
        out.ext = e;
    }
    if (!VCliNamingOptions::fromParsed(parsed, out.naming, error)) {
        return false;
    }
    if (const auto jobs = parsed.value("jobs")) {
        if (!readJobs(*jobs, out.jobs)) {
            error = "Invalid number of jobs " + VCliText::quoted(*jobs) + " (use 1 to 256)";
            return false;
        }
    }
    out.join = parsed.has("join");
    out.copy = parsed.has("copy");
    out.dryRun = parsed.has("dry-run");
    if (const auto form = parsed.value("dry-run"); form && !form->empty()) {
        if (*form != "text") {
            error = "Invalid value " + VCliText::quoted(*form) +
                    " of '--dry-run' (use --dry-run or --dry-run=text)";
            return false;
        }
        out.dryRunText = true;
    }
    out.json = parsed.has("json");
    out.verbose = parsed.has("verbose");
    if (const auto word = parsed.value("on-exists")) {
        const std::optional<VCliOnExists::Policy> policy = VCliOnExists::parse(*word);
        if (!policy) {
            error = "Invalid value " + VCliText::quoted(*word) +
                    " of '--on-exists' (use ask, overwrite, skip or rename)";
            return false;
        }
        out.onExists = *policy;
    }
    if (parsed.has("overwrite")) {
        if (parsed.has("on-exists") && out.onExists != VCliOnExists::Policy::kOverwrite) {
            error = "The options '--overwrite' and '--on-exists " + *parsed.value("on-exists") +
                    "' cannot be used together";
            return false;
        }
        out.onExists = VCliOnExists::Policy::kOverwrite;
    }
    if (out.copy && out.join) {
        error = "The options '--copy' and '--join' cannot be used together";
        return false;
    }
    if (out.copy && (parsed.has("encoder-args") || parsed.has("effects") || parsed.has("encoder") ||
                     parsed.has("effect") || parsed.has("set"))) {
        error = "The option '--copy' makes plain copies; encoders and effects do not apply";
        return false;
    }
    if (out.encoder && parsed.has("encoder-args")) {
        error = "The options '--encoder' and '--encoder-args' cannot be used together";
        return false;
    }
    if (out.profile && !out.profileMode()) {
        error =
            "The option '--profile' cannot be used with '--encoder', '--encoder-args' or "
            "'--copy'";
        return false;
    }
    if (out.save && !out.profileMode()) {
        error =
            "The option '--save' saves changes of a profile; it cannot be used with "
            "'--encoder', '--encoder-args', '--copy', or '--ext' without '--profile'";
        return false;
    }
    if (!filesFromOperands) {
        return true;
    }
    for (const std::string& file : parsed.operands) {
        if (file.empty()) {
            error = "An empty file name was given";
            return false;
        }
        out.files.push_back(XStr(file));
    }
    if (out.files.empty()) {
        error = "No input files";
        return false;
    }
    return true;
}
