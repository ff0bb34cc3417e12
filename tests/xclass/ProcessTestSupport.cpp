#include "ProcessTestSupport.h"

#include <errno.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "XClock.h"

int openFDCount() {
    // Less the listing's own descriptor.
    return static_cast<int>(folderEntries("/proc/self/fd").size()) - 1;
}

char processState(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name is in parentheses and may hold blanks; the state follows it.
    const size_t close = text.rfind(')');
    if (close == std::string::npos || close + 2 >= text.size()) {
        return 0;
    }
    return text[close + 2];
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const uint32_t start = XClock::nowMs();
    while (!condition()) {
        if (XClock::elapsedMs(start) > static_cast<uint32_t>(timeoutMs)) {
            return false;
        }
        XClock::sleepMs(5);
    }
    return true;
}

std::string readAll(int fd) {
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            out.append(buffer, static_cast<size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    return out;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int runInChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    if (pid < 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
