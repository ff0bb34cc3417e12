#include "KillSwitch.h"

void KillSwitch::kill() {
    mDie.store(true, std::memory_order_release);
    std::lock_guard lock(mSignalLock);
    if (mSignal) {
        mSignal->setState(true);
    }
}

int KillSwitch::waitHandle() const {
    std::lock_guard lock(mSignalLock);
    if (!mSignalTried) {
        mSignalTried = true;
        mSignal = clSignal::create();
        // Killed before anybody waited: the handle must be readable all the same.
        if (mSignal && die()) {
            mSignal->setState(true);
        }
    }
    return mSignal ? mSignal->waitHandle() : -1;
}
