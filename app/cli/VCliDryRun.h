// The FFmpeg command each job of a conversion would start, built by the same code as the
// run, with "/dev/null" for the progress file and the name a list file would get, so that
// the printed line is what would really run. Nothing is created or started.
//
// By default a command is the run's argument vector quoted for a POSIX shell, so a line
// pasted into one runs exactly that FFmpeg and nothing a file name holds; the text form is
// the command text the log shows. After each command come comment lines: what the job does
// after a clean run, and whether its output exists.
#pragma once

#include <functional>
#include <memory>

#include "VAConversionSpec.h"
#include "XStr.h"

class VCliDryRun {
public:
    using CodecMap = std::function<XStr(const XStr& args, XStrList& infoLines)>;

    struct Line {
        XStr text;
        // Set when no command could be built; text is then the reason.
        bool error = false;
    };

    struct Options {
        // The command text as the log shows it instead of the quoted argument vector.
        bool text = false;
        // Destinations that exist, and what the run would do with them.
        XStrList existing;
        enum class Existing { kReplace, kSkip, kRename, kAsk };
        Existing existingAction = Existing::kSkip;
    };

    // The located FFmpeg, the codec map of the run and its debug-log choice.
    static std::vector<Line> commandLines(const std::shared_ptr<VAConversionSpec>& spec,
                                          const Options& options);
    static std::vector<Line> commandLines(const std::shared_ptr<VAConversionSpec>& spec,
                                          const XStr& ffmpegPath, bool debugLog,
                                          const CodecMap& codecMap, const Options& options);

    static constexpr const char* kProgressPath = "/dev/null";
};
