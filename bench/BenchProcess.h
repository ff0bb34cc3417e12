// What the benchmarks that start programs share: where they run from, and a child run to
// its end.
#pragma once

#include <unistd.h>

#include <string>

#include "XWorkerProcess.h"

inline std::string selfPath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

inline std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// True when the program ran and exited with 0.
inline bool run(const XWorkerProcess::ArgList& argv) {
    XWorkerProcess p;
    return p.Create(argv, 0) && p.Stop(XWorkerProcess::kWaitForever) == 0;
}
