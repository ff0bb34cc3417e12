#include "clSignal.h"

#include <fcntl.h>

#include <algorithm>
#include <climits>

#include "XSys.h"
#include "clPollSet.h"

std::unique_ptr<clSignal> clSignal::create() {
    std::unique_ptr<clPipe> pipe = clPipe::newPipeNonBlocking();
    if (!pipe) {
        return nullptr;
    }
    return std::unique_ptr<clSignal>(new clSignal(std::move(pipe)));
}

bool clSignal::state() const {
    return mPipe && mPipe->canReadNow();
}

void clSignal::setState(bool on) {
    if (!mPipe) {
        return;
    }
    if (on) {
        if (!mPipe->canReadNow()) {
            const char zero = 0;
            XSys().write(mPipe->fdWrite(), &zero, 1);
        }
        return;
    }
    char byte;
    while (XSys().read(mPipe->fdRead(), &byte, 1) == 1) {
    }
}

int clSignal::waitHandle() const {
    return mPipe ? mPipe->fdRead() : -1;
}

bool clSignal::wait(uint32_t timeoutMs) const {
    if (!mPipe) {
        return false;
    }
    clPollSet set;
    set.addRead(mPipe->fdRead());
    const int timeout =
        timeoutMs == kInfinite ? -1 : static_cast<int>(std::min<uint32_t>(timeoutMs, INT_MAX));
    return set.wait(timeout) > 0 && set.isRead(mPipe->fdRead());
}

uint32_t clSignal::waitFor(const std::vector<clSignal*>& signals) {
    clPollSet set;
    for (const clSignal* s : signals) {
        if (s != nullptr && s->waitHandle() >= 0) {
            set.addRead(s->waitHandle());
        }
    }
    // An empty poll without limit would never return.
    if (set.readSet().empty() || set.wait(-1) <= 0) {
        return kNone;
    }
    for (size_t i = 0; i < signals.size(); ++i) {
        if (signals[i] != nullptr && signals[i]->waitHandle() >= 0 &&
            set.isRead(signals[i]->waitHandle())) {
            return static_cast<uint32_t>(i);
        }
    }
    return kNone;
}

void clSignal::close() {
    mPipe.reset();
}

bool clSignal::makeWaitHandleInheritable() {
    if (!mPipe) {
        return false;
    }
    const int f = fcntl(mPipe->fdRead(), F_GETFD);
    return f >= 0 && fcntl(mPipe->fdRead(), F_SETFD, f & ~FD_CLOEXEC) == 0;
}
