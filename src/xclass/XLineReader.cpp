#include "XLineReader.h"

#include <errno.h>
#include <poll.h>

#include <system_error>
#include <thread>

#include "XSys.h"
#include "clFD.h"
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

bool XReadLinesAsync(int fd, XLineHandler handler, std::function<void()> onEnd) {
    std::unique_ptr<clFD> copy = clFD::withDupOfFD(fd);
    if (!copy) {
        return false;
    }
    try {
        std::thread reader(
            [](std::unique_ptr<clFD> own, XLineHandler lineHandler, std::function<void()> done) {
                XReadLines(own->fd(), lineHandler);
                own->close();
                if (done) {
                    done();
                }
            },
            std::move(copy), std::move(handler), std::move(onEnd));
        reader.detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}
