// The duration of a media file as ffprobe reports it, for the run's percentages. A stand-in
// for the media probe, plugged in through VAConvertSource::setLengthProber.
#pragma once

#include <cstdint>

#include "XStr.h"

namespace VCliLengthProbe {

// Milliseconds; 0 when ffprobe cannot tell (the run then shows no percentage of its own).
int64_t lengthMS(const XStr& path);
// "12.345000" in seconds, as ffprobe prints it, in milliseconds; 0 for anything else.
int64_t parseSeconds(const XStr& text);

}  // namespace VCliLengthProbe
