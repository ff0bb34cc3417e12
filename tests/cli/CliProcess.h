// The built vantaro program run as a child of the test: its output read as it comes, its
// end awaited with a deadline, and the processes that mention a path found in /proc.
#pragma once

#include <dirent.h>
#include <poll.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "XClock.h"
#include "XWorkerProcess.h"

class CliProcess {
public:
    bool start(const std::vector<std::string>& args) {
        XWorkerProcess::ArgList argv = {VANTARO_CLI_PATH};
        for (const std::string& a : args) {
            argv.emplace_back(a);
        }
        return mProcess.Create(argv, XWorkerProcess::kPipeStdOut | XWorkerProcess::kPipeStdErr);
    }

    // Reads what arrives within the time; false once both pipes are at their end.
    bool pump(int timeoutMs) {
        pollfd fds[2] = {{mProcess.OutputFD(), POLLIN, 0}, {mProcess.ErrorFD(), POLLIN, 0}};
        if (fds[0].fd < 0 && fds[1].fd < 0) {
            return false;
        }
        if (poll(fds, 2, timeoutMs) <= 0) {
            return true;
        }
        drain(fds[0], out, true);
        drain(fds[1], err, false);
        return mProcess.OutputFD() >= 0 || mProcess.ErrorFD() >= 0;
    }

    // Pumps until the text is in the standard output or the time is up.
    bool waitForOutput(const std::string& text, uint32_t timeoutMs) {
        const uint32_t start = XClock::nowMs();
        while (out.find(text) == std::string::npos) {
            if (XClock::elapsedMs(start) > timeoutMs || !pump(20)) {
                return out.find(text) != std::string::npos;
            }
        }
        return true;
    }

    // The exit status once the program has ended (its output read to the end); -1 when it
    // did not end in time (it is killed then) or ended by a signal.
    int wait(uint32_t timeoutMs) {
        const uint32_t start = XClock::nowMs();
        while (!mProcess.IsFinished()) {
            if (XClock::elapsedMs(start) > timeoutMs) {
                mProcess.Stop(0);
                return -1;
            }
            pump(5);
        }
        while (pump(50)) {
        }
        const XWorkerProcess::ExitInfo& exit = mProcess.LastExit();
        return exit.exited ? exit.status : -1;
    }

    pid_t pid() const { return mProcess.Pid(); }
    std::vector<std::string> outLines() const { return split(out); }

    std::string out;
    std::string err;

private:
    void drain(const pollfd& p, std::string& into, bool output) {
        if (p.fd < 0 || (p.revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            return;
        }
        char buffer[4096];
        const ssize_t n = read(p.fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            // The end of that stream: stop polling it.
            close(output ? mProcess.DetachOutputFD() : mProcess.DetachErrorFD());
        }
    }
    static std::vector<std::string> split(const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            lines.push_back(line);
        }
        return lines;
    }

    XWorkerProcess mProcess;
};

// Ids of the processes whose command line holds the text (a test's private folder names
// every FFmpeg the program started for it).
inline std::vector<pid_t> processesMentioning(const std::string& text) {
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) {
        return found;
    }
    while (const dirent* e = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(atoi(e->d_name));
        if (pid <= 0 || pid == getpid()) {
            continue;
        }
        std::ifstream in("/proc/" + std::string(e->d_name) + "/cmdline", std::ios::binary);
        std::string cmdline((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (cmdline.find(text) != std::string::npos) {
            found.push_back(pid);
        }
    }
    closedir(proc);
    return found;
}
