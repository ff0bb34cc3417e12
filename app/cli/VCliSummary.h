// How a conversion ended, as the printers report it last.
#pragma once

#include <cstdint>

#include "XStr.h"

struct VCliSummary {
    uint32_t jobs = 0;
    uint32_t succeeded = 0;
    uint32_t failed = 0;
    // Outputs that existed and were left alone; not among the jobs.
    uint32_t skipped = 0;
    bool cancelled = false;
    int exitCode = 0;
    // The encoder the jobs converted to; empty for plain copies.
    XStr encoderName;
    bool copies = false;

    // What came of the jobs, counting only what succeeded as converted: "Converted 3 files
    // to X", "Converted 2 files to X; 1 file failed", "Stopped: converted 1 of 3 files to X",
    // each followed by "; 2 files skipped" when outputs that existed were left alone.
    XStr text() const;
};
