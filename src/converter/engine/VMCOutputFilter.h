// Which lines of FFmpeg's error output are errors of the job. FFmpeg is asked for errors
// only, but some builds and hardware back ends still chatter; that chatter is dropped.
#pragma once

#include <optional>

#include "XStr.h"

namespace VMCOutputFilter {

// The text to report as an error line for one raw line of standard error, or nothing
// when the line is noise.
std::optional<XStr> errorLineFor(const XStr& rawLine);
// FFmpeg's complaints about its progress file ("Failed to open progress URL", "Error closing
// progress log"): they cost the percentages, never the job, so they are information.
bool isProgressChannelNote(const XStr& line);
// Whether a trimmed line is one of the known harmless messages.
bool isNoise(const XStr& trimmedLine);

constexpr const char* kNvidiaMissing =
    "Error: compatible Nvidia GPU not found, or Nvidia drivers not installed";

}  // namespace VMCOutputFilter
