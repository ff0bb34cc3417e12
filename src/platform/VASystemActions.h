// The requests a finished conversion may send the system: shut down, sleep, log out,
// restart. Each starts systemctl or loginctl with an argument vector; a failure is logged,
// never fatal.
#pragma once

#include <functional>

#include "XStr.h"

namespace VASystemActions {

enum Action { kNone = 0, kShutDown = 1, kSleep = 2, kLogOut = 3, kRestart = 4 };

// The argument vector for one action; empty for kNone or an unknown one.
XStrList commandFor(int action);
// Starts the command and answers at once; false when it could not be started.
bool perform(int action);

}  // namespace VASystemActions
