// Which lines of FFmpeg's error output are errors of the job. FFmpeg is asked for errors
// only, but some builds and hardware back ends still chatter; that chatter is dropped.
#pragma once

#include <optional>

#include "XStr.h"

namespace VMCOutputFilter {

// The text to report as an error line for one raw line of standard error, or nothing
// when the line is noise.
std::optional<XStr> errorLineFor(const XStr& rawLine);
// Whether a trimmed line is one of the known harmless messages.
bool isNoise(const XStr& trimmedLine);

constexpr const char* kNvidiaMissing =
    "Error: compatible Nvidia GPU not found, or Nvidia drivers not installed";

}  // namespace VMCOutputFilter
