#include "VMCFFmpegCommand.h"

#include <algorithm>

#include "VACommandText.h"
#include "VAConvertSourceConcat.h"
#include "VALocateFFmpeg.h"
#include "VAOptionList.h"
#include "VMCCodecMap.h"
#include "clFFMPEG.h"

namespace {

using VACommandText::Quote;

// The characters between the blank after `option` and the next blank, when both blanks are
// there; `start` then holds where the option begins and `end` one past the closing blank.
bool valueAfter(const XStr& text, const char* option, XStr& value, std::size_t& start,
                std::size_t& end) {
    const XStr needle = XStr(option) + " ";
    start = text.find(needle);
    if (start == XStr::npos) {
        return false;
    }
    const std::size_t from = start + needle.size();
    const std::size_t blank = text.find(U' ', from);
    if (blank == XStr::npos || blank == from) {
        return false;
    }
    value = text.substr(from, blank - from);
    end = blank + 1;
    return true;
}

bool isStreamCopy(const XStr& args) {
    const VAOptionList list = VAOptionList::ParseOptions(args);
    auto valueOf = [&list](const char* first, const char* second) {
        std::optional<XStr> v = VAOptionList::LookupOption(list, first);
        if (!v) {
            v = VAOptionList::LookupOption(list, second);
        }
        return v.value_or(XStr());
    };
    return valueOf("acodec", "codec:a").equalsNoCase("copy") ||
           valueOf("vcodec", "codec:v").equalsNoCase("copy");
}

std::string listFileLines(const XStrList& inputs) {
    std::string content;
    for (const XStr& input : inputs) {
        content += "file '" + input.replaced("'", "'\\''").utf8() + "'\r\n";
    }
    return content;
}

XStr concatFilterJoin(const XStrList& inputs, XStr& args) {
    const XStr video = VAOptionList::ExtractOption("vf", args);
    const XStr audio = VAOptionList::ExtractOption("af", args);
    XStr join;
    for (const XStr& input : inputs) {
        join += " -i " + Quote(input);
    }
    join += " -filter_complex \"";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!video.empty()) {
            join += XStr::format("[%zu:v]", i) + video + XStr::format("[%zuv];", i);
        }
        if (!audio.empty()) {
            join += XStr::format("[%zu:a]", i) + audio + XStr::format("[%zua];", i);
        }
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        join += video.empty() ? XStr::format("[%zu:v]", i) : XStr::format("[%zuv]", i);
        join += audio.empty() ? XStr::format("[%zu:a]", i) : XStr::format("[%zua]", i);
    }
    join += XStr::format(" concat=n=%zu:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\"", inputs.size());
    return join;
}

}  // namespace

VMCFFmpegCommandInput VMCFFmpegCommandInput::forLocatedFFmpeg() {
    VMCFFmpegCommandInput input;
    input.ffmpegPath = VALocateFFmpeg::locateFFmpeg();
    input.debugLog = clFFMPEG::debugLogWanted();
    input.codecMap = [ffmpeg = input.ffmpegPath](const XStr& args, XStrList& info) {
        return VMCCodecMap::apply(ffmpeg, args, info);
    };
    return input;
}

int64_t VMCFFmpegCommand::parseDurationMS(const XStr& text) {
    XStr t = text.trimmed();
    bool negative = false;
    if (!t.empty() && (t.front() == U'-' || t.front() == U'+')) {
        negative = t.front() == U'-';
        t.erase(0, 1);
    }
    double seconds = 0;
    if (t.contains(U':')) {
        // [HH:]MM:SS[.fraction]
        double total = 0;
        for (const XStr& part : t.split(U':')) {
            total = total * 60 + part.toDouble();
        }
        seconds = total;
    } else if (t.endsWith("ms")) {
        seconds = t.left(t.size() - 2).toDouble() / 1000.0;
    } else if (t.endsWith("us")) {
        seconds = t.left(t.size() - 2).toDouble() / 1e6;
    } else {
        seconds = t.toDouble();
    }
    const auto ms = static_cast<int64_t>(seconds * 1000.0 + 0.5);
    return negative ? -ms : ms;
}

int64_t VMCFFmpegCommand::lengthFor(int64_t probedLengthMS) const {
    if (lengthFromDuration) {
        return lengthMS;
    }
    return std::max<int64_t>(0, probedLengthMS * passes - seekMS);
}

VMCFFmpegCommand VMCFFmpegCommand::build(const VMCProcessArg& arg,
                                         const VMCFFmpegCommandInput& input) {
    VMCFFmpegCommand cmd;
    const auto* concat = dynamic_cast<const VAConvertSourceConcat*>(arg.srcFrom.get());
    XStrList joinList;
    XStr single;
    if (concat != nullptr) {
        joinList = concat->concatURLs();
    } else if (arg.srcFrom) {
        single = arg.srcFrom->urlForConversion;
    }
    const XStr destination = arg.urlTo;
    XStr args = arg.args;

    // Our own pseudo-options: FFmpeg must never see them.
    VAOptionList::ExtractOption("fextension", args);
    const int64_t loops = VAOptionList::ExtractOption("loopvideo", args).toInt64();

    args = args.replaced(" -filter:v ", " -vf ").replaced(" -filter:a ", " -af ");
    args = VAOptionList::MergeOption("vf", args);
    args = VAOptionList::MergeOption("af", args);

    // The length as the user will see it: a -t in h:m:s form, else every loop of the input
    // less what a seek skips, so that a clean run ends at 100.
    bool& lengthFromDuration = cmd.lengthFromDuration;
    {
        XStr value;
        std::size_t start = 0;
        std::size_t end = 0;
        if (valueAfter(args, "-t", value, start, end)) {
            const XStrList parts = value.split(U':');
            if (parts.size() == 3) {
                cmd.lengthMS =
                    (parts[0].toInt64() * 3600 + parts[1].toInt64() * 60 + parts[2].toInt64()) *
                    1000;
                lengthFromDuration = true;
            }
        }
    }
    XStr seekPart;
    int64_t& seekMS = cmd.seekMS;
    {
        XStr value;
        std::size_t start = 0;
        std::size_t end = 0;
        if (valueAfter(args, "-ss", value, start, end)) {
            seekPart = args.substr(start, end - start);
            seekMS = std::max<int64_t>(0, parseDurationMS(value));
            args.erase(start, end - start);
        }
    }
    cmd.passes = std::max<int64_t>(1, loops);
    cmd.lengthMS = cmd.lengthFor(input.probedLengthMS);

    cmd.outputPath = input.outputPath.empty() ? destination : input.outputPath;
    const XStr inputPart = arg.inputArgs.value_or(XStr());
    const bool streamCopy = isStreamCopy(args);

    if (input.codecMap) {
        args = input.codecMap(args, cmd.infoLines);
    }
    if (!input.debugLog) {
        args += " -loglevel 16";
    }

    // Without a progress file the job still runs; only its percentages are lost.
    const XStr progress =
        input.progressPath.empty() ? XStr() : " -progress " + Quote(input.progressPath);
    const XStr tail = " -y -ignore_unknown -hide_banner" + progress + " " + Quote(cmd.outputPath);
    if (concat == nullptr && !single.empty() && loops < 2) {
        cmd.commandText = Quote(input.ffmpegPath) + " " + inputPart + " " + seekPart + " -i " +
                          Quote(single) + " " + args + tail;
        return cmd;
    }

    XStrList inputs;
    const XStrList& once = concat != nullptr ? joinList : XStrList{single};
    const int64_t passes = std::max<int64_t>(1, loops);
    for (int64_t n = 0; n < passes; ++n) {
        inputs.insert(inputs.end(), once.begin(), once.end());
    }
    if (inputs.empty() || (concat == nullptr && single.empty())) {
        cmd.error = "No input file given.";
        return cmd;
    }
    XStr joinPart;
    if (streamCopy) {
        cmd.listFileContent = listFileLines(inputs);
        cmd.listFilePath = input.makeListFile ? input.makeListFile() : XStr();
        joinPart = "-f concat -safe 0 -i " + Quote(cmd.listFilePath);
    } else {
        joinPart = concatFilterJoin(inputs, args);
    }
    cmd.commandText = Quote(input.ffmpegPath) + " " + inputPart + " " + seekPart + " " + joinPart +
                      " " + args + tail;
    return cmd;
}
