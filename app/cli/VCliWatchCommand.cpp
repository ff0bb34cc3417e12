#include "VCliWatchCommand.h"

#include <sys/stat.h>

#include "VCliBatchOptions.h"
#include "VCliJobPlanner.h"
#include "VCliOptionParser.h"
#include "VCliSignalWatcher.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VCliWatcher.h"

namespace VCliWatchCommand {

namespace {

// Longer waits are a typing mistake rather than a plan.
constexpr double kMaxSettleSeconds = 3600;

bool readSettle(const std::string& text, uint32_t& ms) {
    const XStr value(text);
    const double seconds = value.toDouble();
    if (text.empty() || !(seconds >= 0.1 && seconds <= kMaxSettleSeconds)) {
        return false;
    }
    ms = static_cast<uint32_t>(seconds * 1000);
    return true;
}

}  // namespace

const std::vector<VCliOptionDef>& options() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = {
            {"recursive", 'r', false, false, "", "watch every folder below the folders too"},
            {"settle", 0, true, false, "SECONDS",
             "how long a file must stay unchanged before it is converted (default 2)"},
        };
        for (const VCliOptionDef& def : VCliConvertOptions::table()) {
            // One file at a time, as it arrives: nothing to join, nothing to show first.
            if (def.longName != "join" && def.longName != "dry-run") {
                table.push_back(def);
            }
        }
        return table;
    }();
    return kTable;
}

std::string helpText() {
    return "Usage: vantaro watch [options] DIR...\n"
           "\n"
           "Converts each media file that appears in a DIR, once it has stopped growing, as\n"
           "'vantaro convert' does (files already there are converted too). A journal in the\n"
           "data folder remembers what was converted, so nothing is converted twice, also\n"
           "after a restart, and outputs are never taken for sources. A DIR that goes away\n"
           "is waited for. Ctrl-C or SIGTERM stop it: running jobs are stopped, their\n"
           "unfinished outputs removed, and their files converted at the next start.\n"
           "Outputs that exist already are skipped unless --on-exists says otherwise.\n"
           "\n"
           "Options:\n" +
           VCliOptionParser(options()).optionsHelp() +
           "\n"
           "Exit status: 0 when stopped by a signal, 1 when watching cannot start, 2 for\n"
           "bad usage.\n";
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal) {
    VCliParsedOptions parsed;
    std::string error;
    if (!VCliOptionParser(options()).parse(args, parsed, error)) {
        return VCliUsage::fail(err, error, "watch");
    }
    if (parsed.has("help")) {
        out << helpText();
        return 0;
    }
    VCliWatcher::Options watch;
    if (!VCliConvertOptions::fromParsed(parsed, watch.convert, error, false)) {
        return VCliUsage::fail(err, error, "watch");
    }
    if (!parsed.has("on-exists") && !parsed.has("overwrite")) {
        watch.convert.onExists = VCliOnExists::Policy::kSkip;
    } else if (watch.convert.onExists == VCliOnExists::Policy::kAsk) {
        return VCliUsage::fail(err,
                               "Nobody is asked while watching: use '--on-exists' overwrite, "
                               "skip or rename",
                               "watch");
    }
    watch.recursive = parsed.has("recursive");
    if (const auto settle = parsed.value("settle");
        settle && !readSettle(*settle, watch.settleMs)) {
        return VCliUsage::fail(
            err, "Invalid number of seconds " + VCliText::quoted(*settle) + " (use 0.1 to 3600)",
            "watch");
    }
    XStrList files;
    if (!VCliBatchOptions::readLocations(parsed.operands, watch.folders, files, error)) {
        return VCliUsage::fail(err, error, "watch");
    }
    if (!files.empty()) {
        return VCliUsage::fail(err, "Not a folder: " + VCliText::quoted(files.front()), "watch");
    }
    if (watch.folders.empty()) {
        return VCliUsage::fail(err, "No folders to watch", "watch");
    }
    // The encoder, profile and output folder are checked before anything arrives.
    const VCliJobPlanner::Result check = VCliJobPlanner(watch.convert).plan();
    if (check.exitCode != 0) {
        for (const std::string& message : check.messages) {
            VCliUsage::error(err, message);
        }
        return check.exitCode;
    }
    watch.outIsTerminal = outIsTerminal;
    VCliWatcher watcher(std::move(watch), out, err);
    VCliSignalWatcher::setHandler([&watcher](int) { watcher.stop(); });
    const int status = watcher.run();
    VCliSignalWatcher::setHandler(nullptr);
    return status;
}

}  // namespace VCliWatchCommand
