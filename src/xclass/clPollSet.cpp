#include "clPollSet.h"

#include <errno.h>
#include <poll.h>

#include <vector>

#include "XClock.h"

void clPollSet::clear() {
    mRead.clear();
    mWrite.clear();
    mError.clear();
}

int clPollSet::wait(int timeoutMs) {
    std::set<int> all = mRead;
    all.insert(mWrite.begin(), mWrite.end());
    all.insert(mError.begin(), mError.end());
    std::vector<pollfd> entries;
    entries.reserve(all.size());
    for (int fd : all) {
        short events = 0;
        if (mRead.count(fd) != 0) {
            events |= POLLIN;
        }
        if (mWrite.count(fd) != 0) {
            events |= POLLOUT;
        }
        entries.push_back(pollfd{fd, events, 0});
    }

    const uint32_t start = XClock::nowMs();
    int n;
    for (;;) {
        int remaining = timeoutMs;
        if (timeoutMs > 0) {
            const uint32_t elapsed = XClock::elapsedMs(start);
            remaining = elapsed >= static_cast<uint32_t>(timeoutMs)
                            ? 0
                            : timeoutMs - static_cast<int>(elapsed);
        }
        n = poll(entries.data(), entries.size(), remaining);
        if (n >= 0 || errno != EINTR) {
            break;
        }
    }

    const std::set<int> wantRead = std::move(mRead);
    const std::set<int> wantWrite = std::move(mWrite);
    const std::set<int> wantError = std::move(mError);
    clear();
    if (n <= 0) {
        return n;
    }
    for (const pollfd& e : entries) {
        // A hung-up pipe reads end of file at once, so it counts as readable.
        if ((e.revents & (POLLIN | POLLHUP)) != 0 && wantRead.count(e.fd) != 0) {
            mRead.insert(e.fd);
        }
        if ((e.revents & POLLOUT) != 0 && wantWrite.count(e.fd) != 0) {
            mWrite.insert(e.fd);
        }
        if ((e.revents & POLLERR) != 0 && wantError.count(e.fd) != 0) {
            mError.insert(e.fd);
        }
    }
    return n;
}
