// Sits between the scheduler and a printer: passes every call on and remembers which jobs
// started and ended and whether the conversion is all done.
#pragma once

#include <set>

#include "VCliProgressPrinter.h"

class VCliJobTracker : public VMCProgressView {
public:
    explicit VCliJobTracker(VCliProgressPrinter& printer) : mPrinter(printer) {}

    void labelsUpdated() override { mPrinter.labelsUpdated(); }
    void jobStarted(uint32_t job, const VMCCPU& slot) override {
        mStarted.insert(job);
        mPrinter.jobStarted(job, slot);
    }
    void jobFinished(uint32_t job, bool hadErrors) override {
        mFinished.insert(job);
        mPrinter.jobFinished(job, hadErrors);
    }
    void logLine(uint32_t job, const XStr& line, bool error) override {
        mPrinter.logLine(job, line, error);
    }
    void allDone() override {
        mAllDone = true;
        mPrinter.allDone();
    }

    bool isAllDone() const { return mAllDone; }
    bool started(uint32_t job) const { return mStarted.count(job) != 0; }
    bool finished(uint32_t job) const { return mFinished.count(job) != 0; }

private:
    VCliProgressPrinter& mPrinter;
    std::set<uint32_t> mStarted;
    std::set<uint32_t> mFinished;
    bool mAllDone = false;
};
