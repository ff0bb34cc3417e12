// The arguments of the desktop program: the files and folders to open in a converter window
// (what "Open With" and the convert entries hand over), or a question answered on the
// terminal. Names are bytes and stay so.
//
//   vantaro-video [FILE...]                 the launcher, or a converter window with FILEs
//   vantaro-video --convert FILE...         the same
//   vantaro-video --convert-folder DIR...   the batch converter with those folders ticked
//   vantaro-video --help | --version
#pragma once

#include <string>
#include <vector>

#include "XStr.h"

struct VMCCommandLine {
    enum class Action { kOpen, kHelp, kVersion, kUsageError };

    // The arguments after the program's name.
    static VMCCommandLine parse(const std::vector<std::string>& args);
    static std::string helpText();

    bool hasSources() const { return !files.empty() || !folders.empty(); }
    // Every file named, then the files of every folder named (see VASourceList), absolute.
    // False with a message when a name cannot be used or nothing is left to convert.
    bool collectSources(XStrList& paths, std::string& message) const;

    // Folders named open the batch converter instead of the converter.
    bool opensBatchConverter() const { return !folders.empty(); }
    // What the batch converter ticks: every folder and file named, absolute, in order.
    // False with a message when one does not exist or a folder is not one.
    bool collectBatchSelection(XStrList& paths, std::string& message) const;

    Action action = Action::kOpen;
    XStrList files;
    XStrList folders;
    // Not in the help: the start-up benchmark's probe. When the first window has been drawn
    // the program prints the time on its clock, then, idle a moment later, its resident
    // memory, and quits.
    bool reportStart = false;
    // What went wrong, for kUsageError.
    std::string error;

    static constexpr const char* kProgramName = "vantaro-video";
    static constexpr const char* kReportStartOption = "--report-start";
    static constexpr int kUsageErrorStatus = 2;
};
