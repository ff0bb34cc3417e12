// Keeps the computer from sleeping while a conversion runs: a logind inhibitor held as a
// child process for as long as the object lives. Without systemd-inhibit nothing happens.
#pragma once

#include <memory>

#include "XStr.h"
#include "XWorkerProcess.h"

class VMCPreventSleep {
public:
    VMCPreventSleep();
    ~VMCPreventSleep();
    VMCPreventSleep(const VMCPreventSleep&) = delete;
    VMCPreventSleep& operator=(const VMCPreventSleep&) = delete;

    bool isValid() const { return mValid; }
    // Releases the inhibitor once; later calls do nothing.
    void clear();

    // The program that takes the inhibitor; tests point it elsewhere.
    static XStr& inhibitorProgram();

private:
    XWorkerProcess mInhibitor;
    bool mValid = false;
};
