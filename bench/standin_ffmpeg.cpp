// The FFmpeg bench_start puts on PATH: started as "ffmpeg", it notes the time and its
// arguments as one line "<ns> <args...>" in the log, then becomes the real FFmpeg. Linked
// statically and with nothing of the project, it reaches main without loading any library.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr const char* kLogVar = "VANTARO_BENCH_EXEC_LOG";
constexpr const char* kRealVar = "VANTARO_BENCH_REAL_FFMPEG";

int64_t monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

int standIn(char** argv) {
    const int64_t t = monotonicNs();
    const char* log = std::getenv(kLogVar);
    const char* real = std::getenv(kRealVar);
    if (log == nullptr || real == nullptr) {
        return 127;
    }
    std::string line = std::to_string(t);
    for (char** a = argv + 1; *a != nullptr; ++a) {
        line += ' ';
        line += *a;
    }
    line += '\n';
    const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        // One write per line: concurrent children never interleave within a line.
        if (write(fd, line.data(), line.size()) < 0) {
            std::perror("bench_start: log");
        }
        close(fd);
    }
    execv(real, argv);
    return 127;
}

}  // namespace

int main(int, char** argv) {
    return standIn(argv);
}
