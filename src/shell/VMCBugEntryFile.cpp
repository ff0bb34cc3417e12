#include "VMCBugEntryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace VMCBugEntryFile {

namespace {

// Lock-free, so a signal handler may count on it too.
std::atomic<unsigned> gCounter{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

// No report folder holds more names than this; a file system that refuses every name
// must not keep a crashing program busy.
constexpr unsigned kMaxTries = 10000;

}  // namespace

bool appendText(char* out, const char* text) {
    const std::size_t used = std::strlen(out);
    const std::size_t length = std::strlen(text);
    if (used + length + 1 > kMaxPath) {
        return false;
    }
    std::memcpy(out + used, text, length + 1);
    return true;
}

bool appendNumber(char* out, unsigned long value) {
    char digits[24];
    std::size_t n = sizeof(digits);
    digits[--n] = '\0';
    do {
        digits[--n] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return appendText(out, digits + n);
}

int create(const char* folder, char* path) {
    for (unsigned tries = 0; tries < kMaxTries; ++tries) {
        const unsigned n = ++gCounter;
        path[0] = '\0';
        if (!appendText(path, folder) || !appendText(path, "/") || !appendText(path, kPrefix) ||
            !appendNumber(path, static_cast<unsigned long>(getpid())) || !appendText(path, "-") ||
            !appendNumber(path, n) || !appendText(path, kExtension)) {
            return -1;
        }
        const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

bool writeAll(int fd, const char* text, std::size_t length) {
    while (length > 0) {
        const ssize_t written = write(fd, text, length);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

bool writeText(int fd, const char* text) {
    return writeAll(fd, text, std::strlen(text));
}

}  // namespace VMCBugEntryFile
