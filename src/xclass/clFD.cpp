#include "clFD.h"

#include <fcntl.h>

#include "XSys.h"

clFD::~clFD() {
    close();
}

clFD& clFD::operator=(clFD&& other) noexcept {
    if (this != &other) {
        close();
        mFD = other.detach();
    }
    return *this;
}

std::unique_ptr<clFD> clFD::withDupOfFD(int fd) {
    if (fd < 0) {
        return nullptr;
    }
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return nullptr;
    }
    return std::make_unique<clFD>(copy);
}

int clFD::flags() const {
    return mFD < 0 ? -1 : fcntl(mFD, F_GETFD);
}

bool clFD::setFlags(int flags) {
    return mFD >= 0 && fcntl(mFD, F_SETFD, flags) == 0;
}

int clFD::statusFlags() const {
    return mFD < 0 ? -1 : fcntl(mFD, F_GETFL);
}

bool clFD::setStatusFlags(int flags) {
    return mFD >= 0 && fcntl(mFD, F_SETFL, flags) == 0;
}

bool clFD::closeOnExec() const {
    const int f = flags();
    return f >= 0 && (f & FD_CLOEXEC) != 0;
}

bool clFD::setCloseOnExec(bool on) {
    const int f = flags();
    if (f < 0) {
        return false;
    }
    return setFlags(on ? (f | FD_CLOEXEC) : (f & ~FD_CLOEXEC));
}

bool clFD::nonBlocking() const {
    const int f = statusFlags();
    return f >= 0 && (f & O_NONBLOCK) != 0;
}

bool clFD::setNonBlocking(bool on) {
    const int f = statusFlags();
    if (f < 0) {
        return false;
    }
    return setStatusFlags(on ? (f | O_NONBLOCK) : (f & ~O_NONBLOCK));
}

bool clFD::moveAboveStdStreams() {
    if (mFD < 0) {
        return false;
    }
    if (mFD > 2) {
        return true;
    }
    const int moved = fcntl(mFD, F_DUPFD_CLOEXEC, 3);
    if (moved < 0) {
        return false;
    }
    close();
    mFD = moved;
    return true;
}

int clFD::detach() {
    const int fd = mFD;
    mFD = -1;
    return fd;
}

void clFD::close() {
    if (mFD >= 0) {
        // Never retried: on Linux the descriptor is gone even when close reports EINTR.
        XSys().close(mFD);
        mFD = -1;
    }
}
