#include "VMCCommandLine.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "VADisplayText.h"
#include "VASourceList.h"

namespace {

std::string quoted(const std::string& bytes) {
    return VADisplayText::quoted(XStr(bytes)).utf8();
}

}  // namespace

VMCCommandLine VMCCommandLine::parse(const std::vector<std::string>& args) {
    VMCCommandLine line;
    bool help = false;
    bool version = false;
    bool operandsOnly = false;
    XStrList* into = &line.files;
    // The option that must be followed by at least one name, and how many followed so far.
    std::optional<std::string> group;
    std::size_t groupSize = 0;
    auto fail = [&line](std::string message) {
        if (line.error.empty()) {
            line.error = std::move(message);
        }
    };
    auto closeGroup = [&] {
        if (group && groupSize == 0) {
            fail("The option " + quoted(*group) + " needs at least one " +
                 (into == &line.folders ? "folder" : "file"));
        }
        group.reset();
    };
    for (const std::string& arg : args) {
        // "-" alone is a name, as in most programs.
        if (operandsOnly || arg.size() < 2 || arg[0] != '-') {
            into->push_back(XStr(arg));
            ++groupSize;
            continue;
        }
        if (arg == "--") {
            operandsOnly = true;
            continue;
        }
        closeGroup();
        if (arg == "--convert" || arg == "--convert-folder") {
            into = arg == "--convert" ? &line.files : &line.folders;
            group = arg;
            groupSize = 0;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == kReportStartOption) {
            line.reportStart = true;
        } else {
            fail("Unknown option " + quoted(arg));
        }
    }
    closeGroup();
    if (!line.error.empty()) {
        line.action = Action::kUsageError;
    } else if (help) {
        line.action = Action::kHelp;
    } else if (version) {
        line.action = Action::kVersion;
    }
    return line;
}

std::string VMCCommandLine::helpText() {
    return "Usage: vantaro-video [FILE...]\n"
           "       vantaro-video --convert FILE...\n"
           "       vantaro-video --convert-folder FOLDER...\n"
           "\n"
           "Opens the launcher of Vantaro Video Converter, or a converter window with the\n"
           "files to convert. Files and folders can also be dropped on a window.\n"
           "\n"
           "  --convert FILE...          the files to convert (as FILE... alone)\n"
           "  --convert-folder FOLDER... the batch converter with these folders ticked\n"
           "  --help                     this text\n"
           "  --version                  the program's version\n"
           "\n"
           "Names after -- are taken as they are, also when they begin with \"-\".\n"
           "Qt takes its settings from the environment (QT_QPA_PLATFORM, QT_SCALE_FACTOR, ...).\n";
}

bool VMCCommandLine::collectSources(XStrList& paths, std::string& message) const {
    const VASourceList list;
    XStrList collected;
    if (!list.expand(files, collected, message) || !list.expand(folders, collected, message)) {
        return false;
    }
    if (collected.empty()) {
        std::string names;
        for (const XStr& folder : folders) {
            names += (names.empty() ? "" : ", ") + VADisplayText::quoted(folder).utf8();
        }
        message = "No files to convert in " + names;
        return false;
    }
    paths.insert(paths.end(), collected.begin(), collected.end());
    return true;
}

bool VMCCommandLine::collectBatchSelection(XStrList& paths, std::string& message) const {
    XStrList selection;
    const auto take = [&](const XStr& name, bool folder) {
        const XStr path = VASourceList::absolutePath(name);
        struct stat st {};
        if (stat(path.utf8().c_str(), &st) != 0) {
            const int e = errno;
            message = e == ENOENT || e == ENOTDIR
                          ? std::string(folder ? "No such folder: " : "No such file: ") +
                                quoted(name.utf8())
                          : "Cannot read " + quoted(name.utf8()) + ": " + strerror(e);
            return false;
        }
        if (folder && !S_ISDIR(st.st_mode)) {
            message = "Not a folder: " + quoted(name.utf8());
            return false;
        }
        selection.push_back(path);
        return true;
    };
    for (const XStr& folder : folders) {
        if (!take(folder, true)) {
            return false;
        }
    }
    for (const XStr& file : files) {
        if (!take(file, false)) {
            return false;
        }
    }
    paths.insert(paths.end(), selection.begin(), selection.end());
    return true;
}
