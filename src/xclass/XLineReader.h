// Reading a descriptor (typically a child's output pipe) as text lines; see clLineSplitter
// for what makes a line.
#pragma once

#include <functional>

#include "XStr.h"

using XLineHandler = std::function<void(XStr&)>;

// Reads until end of file and calls the handler once per line, in order, on this thread.
// Answers false when reading failed before end of file (the lines read so far were given).
bool XReadLines(int fd, const XLineHandler& handler);
