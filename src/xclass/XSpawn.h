// Starting a program with execve: the child's standard streams are given as
// descriptors, and a program that cannot be executed is reported to the caller instead of
// leaving a child behind.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct XSpawnRequest {
    // UTF-8 arguments; element 0 is the program, run as given (no search of PATH).
    std::vector<std::string> args;
    // Descriptors for the child's standard input, output and error. Each must be above 2
    // and close-on-exec, so that none of them takes another's place in the child.
    int streams[3] = {-1, -1, -1};
    // The child is killed when the thread that started it ends.
    bool dieWithParent = true;
};

// Answers the child's process id, or -1 with errno set when fork or execve failed (a
// child whose execve failed has been reaped already).
pid_t XSpawn(const XSpawnRequest& request);
