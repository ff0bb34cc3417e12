#include "VCliSummary.h"

#include "VCliText.h"

XStr VCliSummary::text() const {
    const XStr target = copies || encoderName.empty() ? XStr() : " to " + encoderName;
    XStr done;
    if (cancelled) {
        done = XStr("Stopped: ") + (copies ? "copied " : "converted ") + XStr::number(succeeded) +
               " of " + VCliText::count(jobs, "file");
    } else {
        done = XStr(copies ? "Copied " : "Converted ") + VCliText::count(succeeded, "file");
    }
    done += target;
    if (failed > 0) {
        done += "; " + VCliText::count(failed, "file") + " failed";
    }
    if (skipped > 0) {
        done += "; " + VCliText::count(skipped, "file") + " skipped";
    }
    return done;
}
