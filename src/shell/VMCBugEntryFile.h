// The files bug reports are kept in: "BugEntry-<process id>-<n>.txt" in the application
// data folder, n counting from 1 for the whole process and skipping names that exist.
// Everything here may run inside a signal handler: no allocation, no locks, only calls
// that are safe there.
#pragma once

#include <cstddef>

namespace VMCBugEntryFile {

constexpr const char* kPrefix = "BugEntry-";
constexpr const char* kExtension = ".txt";
// The longest path made.
constexpr std::size_t kMaxPath = 4096;

// Creates the next free report file in the folder for writing, mode 0600, and writes its
// path into path (kMaxPath bytes). Answers the descriptor, -1 when no file could be made.
int create(const char* folder, char* path);
// Writes the whole text, resuming after interruptions; false on a failure.
bool writeAll(int fd, const char* text, std::size_t length);
bool writeText(int fd, const char* text);
// Appends the decimal digits of value to the text at out (kMaxPath bytes in all); false
// when it does not fit.
bool appendNumber(char* out, unsigned long value);
bool appendText(char* out, const char* text);

}  // namespace VMCBugEntryFile
