// What an FFmpeg executable says about itself: the texts of "-version", "-L" (its licence)
// and "-codecs", each its standard output read whole. Run with an argument vector, never a
// shell; standard error is dropped.
#pragma once

#include <memory>
#include <string>

#include "KillSwitch.h"
#include "XStr.h"
#include "XWorkerProcess.h"

struct VAFFmpegInfo {
    XStr version;
    XStr licence;
    XStr codecs;

    // An empty text stands for a command that could not run. A killed switch ends the
    // command running and leaves the texts not read yet empty.
    static VAFFmpegInfo read(const XStr& ffmpeg, const KillSwitch* cancel = nullptr);

    // The standard output of one command, up to kMaxOutputBytes; empty when it could not
    // start. A command still running after kTimeLimitMs is stopped.
    static std::string outputOf(const XWorkerProcess::ArgList& args, const KillSwitch* cancel);

    static constexpr std::size_t kMaxOutputBytes = 16u << 20;
    static constexpr uint32_t kTimeLimitMs = 120000;
};
