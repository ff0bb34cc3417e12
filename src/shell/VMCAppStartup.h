// The start-up both programs take before anything else runs: the private data folder with
// the settings store and its default key, the leftovers of killed runs cleared, and
// ffprobe found where FFmpeg is found.
#pragma once

namespace VMCAppStartup {

void start();

}  // namespace VMCAppStartup
