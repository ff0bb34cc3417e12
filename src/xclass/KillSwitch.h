// Cancellation of background work: the work holds the switch and looks at die() between
// steps; whoever owns the work holds it through a KillSwitchHolder, which throws the switch
// when it goes away or starts a new piece of work. A result carries the switch it was made
// under, so a result of superseded work is recognised and dropped.
#pragma once

#include <atomic>
#include <memory>

class KillSwitch {
public:
    bool die() const { return mDie.load(std::memory_order_acquire); }
    void kill() { mDie.store(true, std::memory_order_release); }

private:
    std::atomic<bool> mDie{false};
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
