#include "XSys.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int realOpen(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

const XSysCalls kReal = {
    realOpen, ::read, ::write, ::fsync, ::rename, ::flock, ::pipe, ::close,
};

XSysCalls gCalls = kReal;

}  // namespace

XSysCalls& XSys() {
    return gCalls;
}

const XSysCalls& XSysReal() {
    return kReal;
}
