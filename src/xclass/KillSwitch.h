// Cancellation of background work: the work holds the switch and looks at die() between
// steps, or waits on waitHandle() together with its own descriptors, so a blocked read ends
// as soon as the switch is killed. Whoever owns the work holds it through a
// KillSwitchHolder, which throws the switch when it goes away or starts a new piece of
// work. A result carries the switch it was made under, so a result of superseded work is
// recognised and dropped.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>

#include "clSignal.h"

class KillSwitch {
public:
    KillSwitch() = default;
    KillSwitch(const KillSwitch&) = delete;
    KillSwitch& operator=(const KillSwitch&) = delete;

    static std::shared_ptr<KillSwitch> create() { return std::make_shared<KillSwitch>(); }

    bool die() const { return mDie.load(std::memory_order_acquire); }
    // May be called from any thread, any number of times.
    void kill();
    // Readable once the switch is killed; -1 when no pipe could be made, in which case a
    // waiter must look at die() now and then instead. The pipe is made on first use: most
    // switches are only ever looked at.
    int waitHandle() const;

private:
    std::atomic<bool> mDie{false};
    mutable std::mutex mSignalLock;
    mutable std::unique_ptr<clSignal> mSignal;
    mutable bool mSignalTried = false;
};

using KillSwitchPtr = std::shared_ptr<KillSwitch>;

class KillSwitchHolder {
public:
    KillSwitchHolder() : mSwitch(std::make_shared<KillSwitch>()) {}
    ~KillSwitchHolder() { mSwitch->kill(); }
    KillSwitchHolder(const KillSwitchHolder&) = delete;
    KillSwitchHolder& operator=(const KillSwitchHolder&) = delete;

    const KillSwitchPtr& current() const { return mSwitch; }
    // Kills the current switch and answers a new one.
    const KillSwitchPtr& renew() {
        mSwitch->kill();
        mSwitch = std::make_shared<KillSwitch>();
        return mSwitch;
    }
    bool isCurrent(const KillSwitchPtr& other) const { return other == mSwitch; }

private:
    KillSwitchPtr mSwitch;
};
