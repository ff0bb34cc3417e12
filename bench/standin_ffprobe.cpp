// The ffprobe bench_gui gives the batch converter when it lists thousands of copies of one
// clip: it answers every file with the report the real ffprobe gave for that clip (the file
// named by VANTARO_BENCH_PROBE_REPORT), so that the program's own work, not thousands of
// decodes, is what the bench waits for. Linked statically; it loads no library.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

int main() {
    const char* report = std::getenv("VANTARO_BENCH_PROBE_REPORT");
    const int fd = report != nullptr ? open(report, O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0) {
        return 1;
    }
    char buffer[65536];
    ssize_t n = 0;
    while ((n = read(fd, buffer, sizeof(buffer))) > 0) {
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(STDOUT_FILENO, buffer + done, static_cast<size_t>(n - done));
            if (w <= 0) {
                return 1;
            }
            done += w;
        }
    }
    close(fd);
    return n == 0 ? 0 : 1;
}
