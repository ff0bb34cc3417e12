// What the program shows while a conversion runs; every call comes on the main thread.
#pragma once

#include "VCliSummary.h"
#include "VMCProgressDialog.h"

class VCliProgressPrinter : public VMCProgressView {
public:
    void setDialog(const VMCProgressDialog* dialog) { mDialog = dialog; }
    // A line that stays, printed above anything live.
    virtual void note(const XStr& line) = 0;
    virtual void finish(const VCliSummary& summary) = 0;

protected:
    // Source and destination of a job, as the user typed them after being made absolute.
    XStr sourceOf(uint32_t job) const;
    XStr destinationOf(uint32_t job) const;
    uint32_t jobCount() const;
    // The first line of a job's error log; empty when it has none.
    XStr firstErrorOf(uint32_t job) const;
    // "SOURCE" and, when the job has an error line, ": " and that line, without the source
    // path FFmpeg often writes in front of it.
    XStr failureOf(uint32_t job) const;

    const VMCProgressDialog* mDialog = nullptr;
};
