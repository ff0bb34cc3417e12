// The FFmpeg command line of one run, built from its argument record: inputs, seeking,
// joining, the progress file, the log level and the output. Building touches no file, so
// the same text serves the run and a dry run; both start from forLocatedFFmpeg.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "VMCProcessArg.h"
#include "XStr.h"

struct VMCFFmpegCommandInput {
    XStr ffmpegPath;
    // Empty when there is no progress file: the run then goes without percentages.
    XStr progressPath;
    // Where FFmpeg writes; the destination itself when empty.
    XStr outputPath;
    bool debugLog = false;
    // The probed length of the whole input in milliseconds, 0 when unknown.
    int64_t probedLengthMS = 0;
    // Makes the list file of a join by stream copy and answers its path; asked only then.
    std::function<XStr()> makeListFile;
    // Rewrites encoder names the FFmpeg in use lacks; none leaves the text as it is.
    std::function<XStr(const XStr& args, XStrList& infoLines)> codecMap;

    // The FFmpeg in use, its encoder-name rewrites and the debug-log switch, as every job
    // of this process runs them.
    static VMCFFmpegCommandInput forLocatedFFmpeg();
};

struct VMCFFmpegCommand {
    // Empty when the command could not be built; error then says why.
    XStr commandText;
    XStr error;
    // The length percentages run against: the -t value in h:m:s form, else the probed
    // length times the loop count, less a seek.
    int64_t lengthMS = 0;
    // What lengthMS is made of, so a length probed later gives the same answer.
    bool lengthFromDuration = false;
    int64_t passes = 1;
    int64_t seekMS = 0;
    // Where FFmpeg writes.
    XStr outputPath;
    // The content of the list file of a join by stream copy (UTF-8), else empty.
    std::string listFileContent;
    XStr listFilePath;
    XStrList infoLines;

    static VMCFFmpegCommand build(const VMCProcessArg& arg, const VMCFFmpegCommandInput& input);
    // lengthMS for the input's probed length.
    int64_t lengthFor(int64_t probedLengthMS) const;
    // An FFmpeg duration ("90", "1.5", "00:01:30.500", "-5", "250ms") in milliseconds;
    // 0 when it cannot be read.
    static int64_t parseDurationMS(const XStr& text);
};
