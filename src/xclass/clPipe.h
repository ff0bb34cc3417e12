// A POSIX pipe whose two ends are close-on-exec.
#pragma once

#include <memory>

#include "clFD.h"

class clPipe {
public:
    // Nothing when the pipe cannot be made (errno tells why).
    static std::unique_ptr<clPipe> newPipe();
    // The same with O_NONBLOCK on both ends.
    static std::unique_ptr<clPipe> newPipeNonBlocking();

    ~clPipe();
    clPipe(const clPipe&) = delete;
    clPipe& operator=(const clPipe&) = delete;

    int fdRead() const { return mFD[0]; }
    int fdWrite() const { return mFD[1]; }

    // A zero-timeout poll finds the end ready and not in error.
    bool canReadNow() const;
    bool canWriteNow() const;

    void close();
    void closeRead();
    void closeWrite();
    // Answer the end and forget it without closing.
    int detachReadFD();
    int detachWriteFD();
    // The same, owned by a descriptor object; nothing when that end is already closed.
    std::unique_ptr<clFD> detachRead();
    std::unique_ptr<clFD> detachWrite();

private:
    clPipe(int readFD, int writeFD) : mFD{readFD, writeFD} {}
    void closeEnd(int index);

    int mFD[2];
};
