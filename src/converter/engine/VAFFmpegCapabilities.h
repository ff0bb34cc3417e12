// What an FFmpeg executable can do, asked once per executable path and remembered.
#pragma once

#include <set>

#include "XStr.h"

class VAFFmpegCapabilities {
public:
    // The encoder names "-hide_banner -encoders" lists; empty when it cannot be run.
    static std::set<XStr> encoders(const XStr& ffmpegPath);
    static bool listsEncoder(const XStr& ffmpegPath, const XStr& encoder);
    // Reads the listing's lines, e.g. " V....D libx264   libx264 H.264 ...".
    static std::set<XStr> parseEncoderListing(const XStrList& lines);
    static void resetCacheForTesting();
};
