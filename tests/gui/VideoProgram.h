// The built vantaro-video run as a child of the test, to its end: its exit status and what
// it wrote on each stream.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "VideoProgramOffline.h"
#include "XWorkerProcess.h"

struct VideoProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline VideoProgramRun runVideoProgram(const std::string& program,
                                       const std::vector<std::string>& args) {
    VideoProgramRun run;
    if (const char* data = std::getenv("_APPDATA_OVERRIDE")) {
        keepVideoProgramOffline(data);
    }
    XWorkerProcess::ArgList argv = {XStr(program)};
    for (const std::string& a : args) {
        argv.emplace_back(a);
    }
    XWorkerProcess process;
    if (!process.Create(argv, XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr)) {
        return run;
    }
    pollfd fds[2] = {{process.OutputFD(), POLLIN, 0}, {process.ErrorFD(), POLLIN, 0}};
    std::string* into[2] = {&run.out, &run.err};
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        // Both read as they come, so that neither pipe fills while the other is awaited.
        if (poll(fds, 2, 60000) <= 0) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof(buffer));
            if (n > 0) {
                into[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                fds[i].fd = -1;
            }
        }
    }
    run.status = process.Stop(10000);
    return run;
}
