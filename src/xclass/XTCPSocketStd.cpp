#include "XTCPSocketStd.h"

#include <errno.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

#include "XClock.h"

XTCPSocketStd::~XTCPSocketStd() {
    Close();
}

void XTCPSocketStd::Close() {
    if (mFD >= 0) {
        // Don't retry close on EINTR: the descriptor is gone either way.
        ::close(mFD);
        mFD = -1;
    }
}

bool XTCPSocketStd::ConnectTo(const void* address, unsigned addressLength, int family,
                              uint32_t timeoutMs) {
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        SetError(std::string("socket: ") + std::strerror(errno));
        return false;
    }
    mFD = fd;
    if (::connect(fd, static_cast<const sockaddr*>(address), addressLength) == 0) {
        return true;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        SetError(std::string("connect: ") + std::strerror(errno));
        Close();
        return false;
    }
    const Wait wait = WaitFor(fd, POLLOUT, timeoutMs);
    if (wait != Wait::kReady) {
        SetWaitError(wait, "connect");
        Close();
        return false;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        SetError(std::string("connect: ") + std::strerror(error != 0 ? error : errno));
        Close();
        return false;
    }
    return true;
}

bool XTCPSocketStd::Connect(const XStr& host, uint16_t port) {
    Close();
    if (Cancelled()) {
        SetError("connect cancelled");
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    // Without AI_ADDRCONFIG: on a machine whose only interface is loopback it would hide
    // the addresses of "localhost".
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int status = ::getaddrinfo(host.utf8().c_str(), service.c_str(), &hints, &found);
    if (status != 0 || found == nullptr) {
        SetError(std::string("unknown host: ") + ::gai_strerror(status));
        return false;
    }
    const uint32_t start = XClock::nowMs();
    bool connected = false;
    for (const addrinfo* a = found; a != nullptr && !connected; a = a->ai_next) {
        const uint32_t spent = XClock::elapsedMs(start);
        if (spent >= TimeoutMs() || Cancelled()) {
            SetError(Cancelled() ? "connect cancelled" : "connect timed out");
            break;
        }
        connected = ConnectTo(a->ai_addr, a->ai_addrlen, a->ai_family, TimeoutMs() - spent);
    }
    ::freeaddrinfo(found);
    return connected;
}

bool XTCPSocketStd::Send(const void* bytes, std::size_t length) {
    const char* at = static_cast<const char*>(bytes);
    while (length > 0) {
        if (mFD < 0) {
            SetError("send on a closed socket");
            return false;
        }
        const ssize_t n = ::send(mFD, at, length, MSG_NOSIGNAL);
        if (n > 0) {
            at += n;
            length -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const Wait wait = WaitFor(mFD, POLLOUT, TimeoutMs());
            if (wait != Wait::kReady) {
                SetWaitError(wait, "send");
                return false;
            }
            continue;
        }
        SetError(std::string("send: ") + std::strerror(errno));
        return false;
    }
    return true;
}

ssize_t XTCPSocketStd::Receive(void* buffer, std::size_t length) {
    if (length == 0) {
        return 0;
    }
    for (;;) {
        if (mFD < 0) {
            SetError("receive on a closed socket");
            return -1;
        }
        if (Cancelled()) {
            SetError("receive cancelled");
            return -1;
        }
        const ssize_t n = ::recv(mFD, buffer, length, 0);
        if (n >= 0) {
            return n;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            SetError(std::string("receive: ") + std::strerror(errno));
            return -1;
        }
        const Wait wait = WaitFor(mFD, POLLIN, TimeoutMs());
        if (wait != Wait::kReady) {
            SetWaitError(wait, "receive");
            return -1;
        }
    }
}
