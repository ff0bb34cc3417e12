// The system calls that can fail in ways worth testing go through this table, so tests
// can inject ENOSPC, EINTR or EMFILE. Production code never changes it.
#pragma once

#include <sys/types.h>

struct XSysCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*read)(int fd, void* buf, size_t count);
    ssize_t (*write)(int fd, const void* buf, size_t count);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*flock)(int fd, int operation);
    int (*pipe)(int fds[2]);
    int (*close)(int fd);
};

// The table in use; the real calls unless a test has replaced some.
XSysCalls& XSys();
// The real calls, for a test that wants to forward to them.
const XSysCalls& XSysReal();

// Replaces the table for its lifetime (tests only, before any thread uses it).
class XSysOverride {
public:
    XSysOverride() : mSaved(XSys()) {}
    ~XSysOverride() { XSys() = mSaved; }
    XSysOverride(const XSysOverride&) = delete;
    XSysOverride& operator=(const XSysOverride&) = delete;
    XSysCalls& calls() { return XSys(); }

private:
    XSysCalls mSaved;
};
