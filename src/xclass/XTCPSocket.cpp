#include "XTCPSocket.h"

#include <errno.h>
#include <poll.h>

#include <algorithm>

#include "XClock.h"

namespace {

// Without a cancel descriptor the switch is looked at this often.
constexpr uint32_t kCancelPollMs = 100;

}  // namespace

bool XTCPSocket::ReceiveAll(void* buffer, std::size_t length) {
    char* at = static_cast<char*>(buffer);
    while (length > 0) {
        const ssize_t n = Receive(at, length);
        if (n <= 0) {
            if (n == 0) {
                SetError("the connection ended early");
            }
            return false;
        }
        at += n;
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

XTCPSocket::Wait XTCPSocket::WaitFor(int fd, short events, uint32_t timeoutMs) const {
    const uint32_t start = XClock::nowMs();
    const int cancelFD = mCancel ? mCancel->waitHandle() : -1;
    for (;;) {
        if (Cancelled()) {
            return Wait::kCancelled;
        }
        const uint32_t spent = XClock::elapsedMs(start);
        if (spent >= timeoutMs && timeoutMs != 0) {
            return Wait::kTimedOut;
        }
        uint32_t slice = timeoutMs - std::min(spent, timeoutMs);
        if (mCancel && cancelFD < 0) {
            slice = std::min(slice, kCancelPollMs);
        }
        pollfd fds[2] = {{fd, events, 0}, {cancelFD, POLLIN, 0}};
        const int n =
            poll(fds, cancelFD >= 0 ? 2 : 1, static_cast<int>(std::min<uint32_t>(slice, 1u << 30)));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Wait::kFailed;
        }
        if (n == 0) {
            if (timeoutMs == 0) {
                return Wait::kTimedOut;
            }
            continue;
        }
        if (cancelFD >= 0 && (fds[1].revents & POLLIN) != 0) {
            return Wait::kCancelled;
        }
        if ((fds[0].revents & POLLNVAL) != 0) {
            return Wait::kFailed;
        }
        // An error or hang-up is found out by the call that follows.
        return Wait::kReady;
    }
}

void XTCPSocket::SetWaitError(Wait wait, const char* what) {
    switch (wait) {
        case Wait::kTimedOut:
            SetError(std::string(what) + " timed out");
            break;
        case Wait::kCancelled:
            SetError(std::string(what) + " cancelled");
            break;
        case Wait::kFailed:
        case Wait::kReady:
            SetError(std::string(what) + " failed");
            break;
    }
}
