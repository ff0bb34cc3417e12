// What an FFmpeg executable can do, asked once per executable and remembered: in memory,
// and on disk in the application data folder once an application name is registered, so
// later runs of the program start their first job without asking FFmpeg again. What is
// remembered belongs to the executable's resolved path, size and modification time; a
// changed or replaced FFmpeg is asked again.
#pragma once

#include <functional>
#include <set>

#include "XStr.h"

class VAFFmpegCapabilities {
public:
    // The encoder names "-hide_banner -encoders" lists; empty when it cannot be run.
    static std::set<XStr> encoders(const XStr& ffmpegPath);
    static bool listsEncoder(const XStr& ffmpegPath, const XStr& encoder);
    // Reads the listing's lines, e.g. " V....D libx264   libx264 H.264 ...".
    static std::set<XStr> parseEncoderListing(const XStrList& lines);

    // The verdict of a trial encode with the encoder: the one remembered with the same
    // devices present, else what trial answers, then remembered. One trial runs at a time.
    static bool trialVerdict(const XStr& ffmpegPath, const XStr& encoder,
                             const std::function<bool()>& trial);
    // What hardware encoders depend on: the render nodes and NVIDIA's device files present
    // now, as one text; tests replace it.
    static std::function<XStr()>& deviceFingerprint();

    // The file of the application data folder; empty before an application name is
    // registered.
    static XStr recordFilePath();
    // Forgets what this process learned; the file stays.
    static void resetCacheForTesting();
};
