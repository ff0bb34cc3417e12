// One FFmpeg run: builds the command, starts FFmpeg, follows its progress file, judges
// its output and puts the finished file in place. Blocks until FFmpeg has ended.
#pragma once

#include "VMCProcessArg.h"

class VMCProcess {
public:
    // Called on an encoder thread, never on the main thread.
    static void convertWithArg(const VMCProcessArg& arg);
};
