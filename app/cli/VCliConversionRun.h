// One conversion run by the program: the scheduler on a plain run loop as the main thread,
// a printer as its view, the program as its host, Ctrl-C and SIGTERM as a cancel, and the
// logs and the exit status at the end.
#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "VAConversionSpec.h"
#include "VCliConvertOptions.h"
#include "VCliProgressPrinter.h"
#include "XRunLoop.h"

class VCliConversionRun {
public:
    enum class Display { kTerminal, kPlain, kJson };

    VCliConversionRun(std::shared_ptr<VAConversionSpec> spec, const VCliConvertOptions& options,
                      std::ostream& out, std::ostream& err, Display display);

    // Runs to the end; answers the exit status: 0 when every job succeeded, 1 when any
    // failed, 128 + the signal number when stopped by one.
    int run();
    // Replaces the FFmpeg run, for tests that script what the jobs report.
    void setJobRunner(VMCProgressDialog::JobRunner runner) { mJobRunner = std::move(runner); }
    // Sources that failed before the conversion started (no output name): counted among the
    // failed files of the summary and the exit status.
    void setFailedBeforeStart(uint32_t count) { mFailedBeforeStart = count; }
    // Outputs left out because they exist already; neither converted nor failed.
    void setSkipped(uint32_t count) { mSkipped = count; }
    // The scheduler's clock, for labels that do not depend on how fast a test runs.
    void setClock(std::function<uint32_t()> clock) { mClock = std::move(clock); }

    // After run: whether each job of the conversion ended with its output in place.
    const std::vector<bool>& succeeded() const { return mSucceeded; }

    static constexpr uint32_t kTickMs = 250;

private:
    std::unique_ptr<VCliProgressPrinter> makePrinter();
    void onSignal(int signal);
    void printLogs();
    VCliSummary summary() const;

    std::shared_ptr<VAConversionSpec> mSpec;
    VCliConvertOptions mOptions;
    std::ostream& mOut;
    std::ostream& mErr;
    Display mDisplay;
    VMCProgressDialog::JobRunner mJobRunner;
    std::function<uint32_t()> mClock;
    std::shared_ptr<XRunLoop> mLoop;
    std::shared_ptr<VMCProgressDialog> mDialog;
    std::unique_ptr<VCliProgressPrinter> mPrinter;
    int mSignal = 0;
    uint32_t mFailedBeforeStart = 0;
    uint32_t mSkipped = 0;
    std::vector<bool> mSucceeded;
};
