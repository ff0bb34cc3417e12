// A cancellation flag shared between the owner of some background work and the work itself.
// The owner kills it (at the latest when it goes away); the work checks die() between steps
// and may wait on waitHandle() together with its own descriptors, so a blocked read ends as
// soon as the switch is killed. Results that carry a killed switch are stale and dropped.
#pragma once

#include <atomic>
#include <memory>

#include "clSignal.h"

class KillSwitch {
public:
    KillSwitch();
    KillSwitch(const KillSwitch&) = delete;
    KillSwitch& operator=(const KillSwitch&) = delete;

    static std::shared_ptr<KillSwitch> create() { return std::make_shared<KillSwitch>(); }

    bool die() const { return mDie.load(std::memory_order_acquire); }
    // May be called from any thread, any number of times.
    void kill();
    // Readable once the switch is killed; -1 when no pipe could be made, in which case a
    // waiter must look at die() now and then instead.
    int waitHandle() const;

private:
    std::atomic<bool> mDie{false};
    std::unique_ptr<clSignal> mSignal;
};
