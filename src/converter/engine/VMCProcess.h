// One job of a conversion: an FFmpeg run (builds the command, starts FFmpeg, follows its
// progress, judges its output and puts the finished file in place) or a plain copy. Both
// block until the job has ended and report through the argument record's callback.
#pragma once

#include "VMCProcessArg.h"

class VMCProcess {
public:
    // Called on an encoder thread, never on the main thread.
    static void convertWithArg(const VMCProcessArg& arg);
    // Copies the source to the destination, which appears only once complete and never
    // replaces a file unless the record allows it.
    static void copyWithArg(const VMCProcessArg& arg);
};
