// What the program has learned about one FFmpeg executable (its resolved path, size and
// modification time): the encoders it lists and the verdicts of one-frame trial encodes.
#pragma once

#include <map>
#include <optional>
#include <set>

#include "VAFileStat.h"
#include "XStr.h"

struct VAFFmpegRecord {
    XStr path;
    VAFileStat stat;
    // Unknown until "-encoders" has been run successfully.
    std::optional<std::set<XStr>> encoders;
    std::map<XStr, bool> trials;
    // The devices present when the trials ran (never empty once one has); with other
    // devices the verdicts may differ, so they are tried again.
    XStr trialDevices;

    bool describes(const XStr& otherPath, const VAFileStat& otherStat) const {
        return path == otherPath && stat.size == otherStat.size &&
               stat.modifiedNs() == otherStat.modifiedNs();
    }
    friend bool operator==(const VAFFmpegRecord& a, const VAFFmpegRecord& b) {
        return a.describes(b.path, b.stat) && a.encoders == b.encoders && a.trials == b.trials &&
               a.trialDevices == b.trialDevices;
    }
};
