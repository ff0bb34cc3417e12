// SIGINT and SIGTERM, taken by one thread with sigwait instead of a handler, so that what
// they cause runs as ordinary code. They must be blocked before any thread starts, since
// every thread inherits the mask; children get a clear mask when they start.
#pragma once

#include <functional>

namespace VCliSignalWatcher {

using Handler = std::function<void(int signal)>;

// In main, before anything else.
void blockSignals();
// Starts the waiting thread (once).
void start();
// Runs on the waiting thread for each signal. Without one (and by default) the program
// ends at once with 128 + the signal number: nothing is running that needs cleaning up.
void setHandler(Handler handler);
// The handler set now (none by default).
Handler handler();
// What the waiting thread does with a signal it took: the handler, or the ending.
void dispatch(int signal);

}  // namespace VCliSignalWatcher
