// The FFmpeg command each job of a conversion would start, built by the same code as the
// run, with "/dev/null" for the progress file and the name a list file would get, so that
// the printed line is what would really run. Nothing is created or started.
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

    // The located FFmpeg, the codec map of the run and its debug-log choice.
    static std::vector<Line> commandLines(const std::shared_ptr<VAConversionSpec>& spec);
    static std::vector<Line> commandLines(const std::shared_ptr<VAConversionSpec>& spec,
                                          const XStr& ffmpegPath, bool debugLog,
                                          const CodecMap& codecMap);

    static constexpr const char* kProgressPath = "/dev/null";
};
