#include "VCliFFmpegCommand.h"

#include <atomic>

#include "VADisplayText.h"
#include "VALocateFFmpeg.h"
#include "VCliFFmpegView.h"
#include "VCliOptionParser.h"
#include "VCliSignalWatcher.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VVCConfigFFmpeg.h"
#include "XRunLoop.h"

namespace {

const char* const kUsage =
    "Usage: vantaro ffmpeg [--all]\n"
    "       vantaro ffmpeg install FILE\n"
    "       vantaro ffmpeg install --download\n"
    "       vantaro ffmpeg revert\n";

// Each step ends by itself (FFmpeg's three texts are read with a limit of their own);
// this only keeps a stuck step from holding the program for ever.
constexpr uint32_t kStepLimitMs = 30 * 60 * 1000;

std::string shown(const XStr& text) {
    return VADisplayText::utf8(text);
}

std::string firstLine(const XStr& text) {
    const std::size_t end = text.find(U'\n');
    return shown(end == XStr::npos ? text : text.left(end));
}

const char* describe(VVCConfigFFmpegView::Option option) {
    switch (option) {
        case VVCConfigFFmpegView::Option::kAuto:
            return "installed by download";
        case VVCConfigFFmpegView::Option::kCustom:
            return "installed from a chosen file";
        case VVCConfigFFmpegView::Option::kInternal:
            break;
    }
    return "internal";
}

// Words on lines of at most 78 columns, every line after the first under the first.
std::string wrapped(const std::string& text) {
    constexpr std::size_t kIndent = 14;
    constexpr std::size_t kWidth = 78 - kIndent;
    std::string out;
    std::size_t lineLength = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(at, end - at);
        if (lineLength > 0 && lineLength + 1 + word.size() > kWidth) {
            out += "\n" + std::string(kIndent, ' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
        at = end + 1;
    }
    return out;
}

void printSummary(const VCliFFmpegView& view, bool all, std::ostream& out) {
    const XStr licence = VCliFFmpegCommand::licenceSummary(view.licence());
    out << "FFmpeg:       " << shown(VALocateFFmpeg::locateFFmpeg()) << " ("
        << describe(view.option()) << ")\n"
        << "ffprobe:      " << shown(VALocateFFmpeg::locateFFprobe()) << '\n'
        << "Version:      " << (view.version().empty() ? "(no answer)" : firstLine(view.version()))
        << '\n'
        << "Licence:      " << (licence.empty() ? "(no answer)" : wrapped(shown(licence))) << '\n'
        << "GPL encoders: " << (VALocateFFmpeg::gplEncodersOffered() ? "offered" : "not offered")
        << '\n';
    if (all) {
        out << "\n"
            << VADisplayText::linesUtf8(view.version().utf8()) << "\n"
            << VADisplayText::linesUtf8(view.licence().utf8()) << "\n"
            << VADisplayText::linesUtf8(view.codecs().utf8());
    }
}

// The panel's alert as one line: its paragraphs joined.
std::string alertLine(const XStr& alert) {
    return alert.replaced("\n\n", " ").utf8();
}

}  // namespace

XStr VCliFFmpegCommand::licenceSummary(const XStr& licence) {
    XStrList lines;
    for (const XStr& line : licence.split(U'\n')) {
        const XStr trimmed = line.trimmed();
        if (trimmed.empty()) {
            if (!lines.empty()) {
                break;
            }
            continue;
        }
        lines.push_back(trimmed);
    }
    return XStr::join(lines, " ");
}

const std::vector<VCliOptionDef>& VCliFFmpegCommand::options() {
    static const std::vector<VCliOptionDef> kTable = {
        {"download", 0, false, false, "", "install: download FFmpeg from the maker's web server"},
        {"all", 0, false, false, "", "also show FFmpeg's version, licence and codecs in full"},
        {"help", 'h', false, false, "", "show this help"},
    };
    return kTable;
}

int VCliFFmpegCommand::run(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err, bool errIsTerminal) {
    VCliParsedOptions options;
    std::string error;
    const VCliOptionParser parser(VCliFFmpegCommand::options());
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "ffmpeg");
    }
    if (options.has("help")) {
        out << kUsage
            << "\n"
               "Shows which FFmpeg and ffprobe convert and probe: an FFmpeg installed into the\n"
               "data folder when there is one, else the system's. 'install' installs FILE (a\n"
               "program named 'ffmpeg', or a .tar.gz or .tar.bz2 archive holding 'ffmpeg' or\n"
               "'bin/ffmpeg') or, with --download, a build from the maker's web server; an\n"
               "install that fails changes nothing. 'revert' goes back to the system's FFmpeg.\n"
               "The settings 'WebServerHost' and 'WebServerScheme' name the web server.\n"
               "\n"
               "Options:\n"
            << parser.optionsHelp();
        return 0;
    }
    const std::vector<std::string>& ops = options.operands;
    const std::string sub = ops.empty() ? std::string() : ops.front();
    const bool download = options.has("download");
    if (!sub.empty() && sub != "install" && sub != "revert") {
        return VCliUsage::fail(
            err, "Unknown subcommand " + VCliText::quoted(sub) + " (use install or revert)",
            "ffmpeg");
    }
    if (download && sub != "install") {
        return VCliUsage::fail(err, "The option '--download' applies to 'install' only", "ffmpeg");
    }
    if (sub == "install" && ops.size() != (download ? 1u : 2u)) {
        return VCliUsage::fail(err,
                               download ? "The subcommand 'install' takes no file with "
                                          "'--download'"
                                        : "The subcommand 'install' takes one file, or "
                                          "'--download'",
                               "ffmpeg");
    }
    if (sub != "install" && ops.size() > 1) {
        return VCliUsage::fail(err, "Too many operands", "ffmpeg");
    }

    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    VCliFFmpegView view(download && errIsTerminal ? &err : nullptr);
    std::shared_ptr<VVCConfigFFmpeg> panel = VVCConfigFFmpeg::create(view);
    std::atomic<int> signalled{0};
    if (download) {
        // An interrupt cancels the download as the sheet's Cancel does.
        VCliSignalWatcher::setHandler([loop, panel, &signalled](int signal) {
            signalled = signal;
            loop->post([panel] { panel->cancelDownload(); });
        });
    }
    panel->refreshOptions();
    if (sub.empty()) {
        panel->refresh();
    } else if (sub == "revert") {
        panel->useInternal();
    } else if (download) {
        panel->autoInstall();
    } else {
        panel->useExternal();
        panel->chooserEnded(XStr(ops[1]));
    }
    const bool ended = loop->runUntil(
        [&] { return !panel->openInProgress() && (view.textsShown() || !view.alert().empty()); },
        kStepLimitMs);
    VCliSignalWatcher::setHandler(nullptr);
    int status = 0;
    if (signalled != 0) {
        status = 128 + signalled;
    } else if (!view.alert().empty()) {
        VCliUsage::error(err, alertLine(view.alert()));
        status = 1;
    } else if (!ended) {
        VCliUsage::error(err, "FFmpeg did not answer");
        status = 1;
    }
    if (status == 0) {
        printSummary(view, options.has("all"), out);
    }
    panel.reset();
    XMainThread::setPoster(nullptr);
    return status;
}
