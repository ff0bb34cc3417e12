// Progress as plain lines, for a log file or a pipe: each job's start and end (a failure
// with its first error line), the overall percentage each time it passes another tenth,
// and a summary. Control characters in names and FFmpeg's lines are shown escaped.
#pragma once

#include <ostream>

#include "VCliProgressPrinter.h"

class VCliPlainPrinter : public VCliProgressPrinter {
public:
    explicit VCliPlainPrinter(std::ostream& out) : mOut(out) {}

    void labelsUpdated() override;
    void jobStarted(uint32_t job, const VMCCPU& slot) override;
    void jobFinished(uint32_t job, bool hadErrors) override;
    void note(const XStr& line) override;
    void finish(const VCliSummary& summary) override;

private:
    void line(const XStr& text);

    std::ostream& mOut;
    uint32_t mTenthsShown = 0;
};
