// Progress as one JSON object per line, for programs: "job-start", "progress" (each time
// the overall percentage changes, with the percentage of every running job), "log" (every
// line of every job's logs), "job-end" (a failed job with its first error line as
// "error") and, last, "done" (its "main" the summary). Jobs are numbered from 0 in the order
// of the files.
#pragma once

#include <ostream>

#include "VCliProgressPrinter.h"

class VCliJsonPrinter : public VCliProgressPrinter {
public:
    explicit VCliJsonPrinter(std::ostream& out) : mOut(out) {}

    void labelsUpdated() override;
    void jobStarted(uint32_t job, const VMCCPU& slot) override;
    void jobFinished(uint32_t job, bool hadErrors) override;
    void logLine(uint32_t job, const XStr& line, bool error) override;
    void note(const XStr& line) override;
    void finish(const VCliSummary& summary) override;

private:
    void emit(const std::string& json);

    std::ostream& mOut;
    int64_t mLastPercent = -1;
};
