#include "KillSwitch.h"

KillSwitch::KillSwitch() : mSignal(clSignal::create()) {}

void KillSwitch::kill() {
    mDie.store(true, std::memory_order_release);
    if (mSignal) {
        mSignal->setState(true);
    }
}

int KillSwitch::waitHandle() const {
    return mSignal ? mSignal->waitHandle() : -1;
}
