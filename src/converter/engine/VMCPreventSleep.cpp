#include "VMCPreventSleep.h"

#include "XFindProgram.h"

XStr& VMCPreventSleep::inhibitorProgram() {
    static XStr program = XFindProgram("systemd-inhibit");
    return program;
}

VMCPreventSleep::VMCPreventSleep() {
    const XStr program = inhibitorProgram();
    if (program.empty()) {
        return;
    }
    // The inhibitor lasts as long as its command runs. cat ends when its input pipe closes,
    // which happens on release and also when this program dies, so no process is left
    // behind either way (a "sleep infinity" would outlive a killed inhibitor).
    mValid = mInhibitor.Create({program, "--what=idle:sleep", "--who=Vantaro Video Converter",
                                "--why=Converting video", "--mode=block", "cat"},
                               XWorkerProcess::kPipeStdIn);
}

VMCPreventSleep::~VMCPreventSleep() {
    clear();
}

void VMCPreventSleep::clear() {
    if (!mValid) {
        return;
    }
    mValid = false;
    mInhibitor.Stop(XWorkerProcess::kDefaultGraceMs);
}
