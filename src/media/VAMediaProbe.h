// Which ffprobe runs, and the probe of one file. The locator is set once at start-up by
// the layer that knows where FFmpeg lives; until then the first ffprobe on PATH serves.
#pragma once

#include <cstdint>
#include <functional>

#include "NTag.h"
#include "VAProbeJob.h"
#include "XStr.h"

class VAMediaProbe {
public:
    // Asked before every probe; an empty answer means there is no ffprobe.
    using Locator = std::function<XStr()>;

    // An empty locator restores the default.
    static void setFFprobeLocator(Locator locator);
    static void setFFprobePath(const XStr& path);
    static XStr ffprobePath();

    // Runs ffprobe on the file and appends what its report holds. kNotStarted and kRefused
    // (a file that cannot be read or is no regular file, never given to ffprobe) leave
    // everything untouched; otherwise the sets hold what could be read (nothing for a
    // file that is no media). A stopFD that turns readable ends ffprobe (kFailed).
    static VAProbeJob::Outcome probe(const XStr& path, NTag& idTags, NTag& props,
                                     uint64_t& lengthMS, int stopFD = -1);
};
