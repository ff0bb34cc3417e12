// Stored argument texts name some encoders that not every FFmpeg has (the platform AAC,
// hardware H.264/H.265, AMR). Just before a run, names the FFmpeg in use does not list are
// replaced by ones it does, each replacement reported as one info line.
#pragma once

#include <functional>
#include <set>

#include "XStr.h"

class VMCCodecMap {
public:
    // Whether one frame can really be encoded with the encoder (being listed is not enough:
    // hardware encoders are listed on machines without the hardware).
    using Trial = std::function<bool(const XStr& encoder)>;

    // The text with every unavailable encoder replaced; the text itself, unchanged, when
    // there is nothing to replace. Listings and trial verdicts are remembered per FFmpeg
    // executable (VAFFmpegCapabilities).
    static XStr apply(const XStr& ffmpegPath, const XStr& args, XStrList& infoLines);
    // The same decision over a given listing and trial.
    static XStr rewrite(const XStr& args, const std::set<XStr>& listed, const Trial& trial,
                        XStrList& infoLines);
    // The encoder to use for one name; the name itself when it is listed or unknown here.
    static XStr targetFor(const XStr& encoder, const std::set<XStr>& listed, const Trial& trial);
    // One frame through the encoder with the FFmpeg at that path, remembered per executable.
    static bool trialEncode(const XStr& ffmpegPath, const XStr& encoder);

    static constexpr const char* kVaapiDevice = "/dev/dri/renderD128";
};
