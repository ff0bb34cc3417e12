// Helpers of the process and descriptor tests.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

// Descriptors open in this process right now.
int openFDCount();
// The state letter of /proc/<pid>/stat ('R', 'S', 'T', 'Z', ...), or 0 when there is none.
char processState(pid_t pid);
// Polls the condition every few milliseconds; false when it did not come true in time.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
// Everything up to end of file.
std::string readAll(int fd);
bool writeAll(int fd, const std::string& bytes);
// Runs body in a forked child and answers its exit status (-1 when it did not exit).
// The child ends with _exit(body()), so it never returns into the test framework.
int runInChild(const std::function<int()>& body);
