// Bug reports of a program that a fatal signal ends (a segmentation fault, an abort, an
// uncaught exception): the report file is written from the signal handler itself, with
// calls that are safe there, and marked unseen; the next start shows it.
#pragma once

#include <vector>

#include "XStr.h"

namespace VMCCrashReport {

// Beside a report file, while nobody has been shown the report.
constexpr const char* kUnseenSuffix = ".unseen";

// Installs the handlers of SIGSEGV, SIGABRT, SIGBUS, SIGFPE and SIGILL, which write the
// report into the application data folder and then let the signal end the program as it
// would have; an uncaught exception's type and message go into the report of the abort
// that follows. Call once the data folder is known.
void install();

// The reports that earlier runs left unseen, oldest first; they count as seen afterwards.
XStrList takeUnseenReports();

}  // namespace VMCCrashReport
