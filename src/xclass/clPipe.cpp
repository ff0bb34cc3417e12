#include "clPipe.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>

#include <mutex>

#include "XForkLock.h"
#include "XSys.h"

namespace {

bool setFDFlag(int fd, int getCmd, int setCmd, int flag) {
    const int f = fcntl(fd, getCmd);
    return f >= 0 && fcntl(fd, setCmd, f | flag) == 0;
}

bool pollNow(int fd, short events) {
    if (fd < 0) {
        return false;
    }
    pollfd entry{fd, events, 0};
    int n;
    do {
        n = poll(&entry, 1, 0);
    } while (n < 0 && errno == EINTR);
    return n == 1 && (entry.revents & events) != 0 && (entry.revents & POLLERR) == 0;
}

}  // namespace

std::unique_ptr<clPipe> clPipe::newPipe() {
    int fds[2];
    {
        std::shared_lock lock(XForkLock());
        if (XSys().pipe(fds) != 0) {
            return nullptr;
        }
        setFDFlag(fds[0], F_GETFD, F_SETFD, FD_CLOEXEC);
        setFDFlag(fds[1], F_GETFD, F_SETFD, FD_CLOEXEC);
    }
    return std::unique_ptr<clPipe>(new clPipe(fds[0], fds[1]));
}

std::unique_ptr<clPipe> clPipe::newPipeNonBlocking() {
    std::unique_ptr<clPipe> p = newPipe();
    if (p) {
        setFDFlag(p->mFD[0], F_GETFL, F_SETFL, O_NONBLOCK);
        setFDFlag(p->mFD[1], F_GETFL, F_SETFL, O_NONBLOCK);
    }
    return p;
}

clPipe::~clPipe() {
    close();
}

bool clPipe::canReadNow() const {
    return pollNow(mFD[0], POLLIN);
}

bool clPipe::canWriteNow() const {
    return pollNow(mFD[1], POLLOUT);
}

void clPipe::closeEnd(int index) {
    if (mFD[index] >= 0) {
        XSys().close(mFD[index]);
        mFD[index] = -1;
    }
}

void clPipe::close() {
    closeEnd(0);
    closeEnd(1);
}

void clPipe::closeRead() {
    closeEnd(0);
}

void clPipe::closeWrite() {
    closeEnd(1);
}

int clPipe::detachReadFD() {
    const int fd = mFD[0];
    mFD[0] = -1;
    return fd;
}

int clPipe::detachWriteFD() {
    const int fd = mFD[1];
    mFD[1] = -1;
    return fd;
}

std::unique_ptr<clFD> clPipe::detachRead() {
    const int fd = detachReadFD();
    return fd < 0 ? nullptr : std::make_unique<clFD>(fd);
}

std::unique_ptr<clFD> clPipe::detachWrite() {
    const int fd = detachWriteFD();
    return fd < 0 ? nullptr : std::make_unique<clFD>(fd);
}
