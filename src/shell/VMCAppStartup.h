// The start-up both programs take before anything else runs: the private data folder with
// the settings store and its default key, the leftovers of killed runs cleared, and
// ffprobe found where FFmpeg is found.
#pragma once

#include <thread>

namespace VMCAppStartup {

void start();

// For a program with a window: what the converter's setup asks of FFmpeg the first time
// (which encoders it lists, once per FFmpeg) asked now, on a thread of its own, so that
// choosing files never waits for FFmpeg on the main thread. The caller keeps the thread
// until it quits.
std::jthread askFFmpegInBackground();

}  // namespace VMCAppStartup
