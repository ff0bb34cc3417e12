#include "XLineReader.h"

#include <errno.h>
#include <poll.h>

#include "XSys.h"
#include "clLineSplitter.h"

namespace {

constexpr size_t kChunkBytes = 4096;

// A non-blocking descriptor would otherwise look like a read failure whenever the writer
// is slower than we are.
bool waitReadable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    int n;
    do {
        n = poll(&entry, 1, -1);
    } while (n < 0 && errno == EINTR);
    return n == 1;
}

}  // namespace

bool XReadLines(int fd, const XLineHandler& handler) {
    clLineSplitter splitter(handler);
    char buffer[kChunkBytes];
    bool ok = true;
    for (;;) {
        const ssize_t n = XSys().read(fd, buffer, sizeof buffer);
        if (n > 0) {
            splitter.feed(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && waitReadable(fd)) {
            continue;
        }
        ok = n == 0;
        break;
    }
    splitter.finish();
    return ok;
}
