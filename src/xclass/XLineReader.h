// Reading a descriptor (typically a child's output pipe) as text lines; see clLineSplitter
// for what makes a line.
#pragma once

#include <functional>

#include "XStr.h"

using XLineHandler = std::function<void(XStr&)>;

// Reads until end of file and calls the handler once per line, in order, on this thread.
// Answers false when reading failed before end of file (the lines read so far were given).
bool XReadLines(int fd, const XLineHandler& handler);

// Starts a detached thread that owns a duplicate of the descriptor and does what
// XReadLines does, then closes its copy and calls onEnd (when given). The caller may close
// its own descriptor at once. Answers false when the descriptor cannot be duplicated or
// the thread cannot be started; nothing runs then.
bool XReadLinesAsync(int fd, XLineHandler handler, std::function<void()> onEnd = nullptr);
