// The FFmpeg children that are running, so that none is left behind when the program ends.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <vector>

namespace VMCRunningChildren {

void add(pid_t pid);
// Removing an id that is not there does nothing.
void remove(pid_t pid);
std::size_t count();
std::vector<pid_t> pids();
// SIGKILL to every child still registered; also done when the program exits normally.
void killAll();

}  // namespace VMCRunningChildren
