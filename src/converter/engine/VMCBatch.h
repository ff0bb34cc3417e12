// Turns a conversion's encoder arguments and effect chain into each job's FFmpeg output
// arguments, and takes out the effects that are instructions for the engine instead.
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "VAConversionSpec.h"
#include "VMCMultiEncEntry.h"
#include "VMCProcessArg.h"
#include "XStr.h"

class VMCBatch {
public:
    explicit VMCBatch(std::shared_ptr<const VAConversionSpec> spec);
    static std::unique_ptr<VMCBatch> initWithSpec(std::shared_ptr<const VAConversionSpec> spec);

    // The number of parallel encoders the chain forces, 0 when it forces none.
    int64_t userThreadCount() const;
    static XStr argsOfDSP(const VADSPSpec& dsp);
    static void mergeDSP(const std::vector<VADSPSpec>& dsps, XStrList& into);
    // Output arguments of a job of the conversion's own encoder.
    XStr commandLine() const;
    // Output arguments of a job of one of several encoders.
    XStr multiCommandLine(const VMCMultiEncEntry& entry) const;
    std::set<XStr> prepareSpecialActions(const VMCMultiEncEntry* entry) const;
    // The argument record of one entry's run, as the run and a dry run both see it; the
    // callback and the stop events are the scheduler's to add.
    VMCProcessArg processArgFor(const VAConversionEntry& entry) const;

    static constexpr const char* kMultiCPUForce = "Multi-CPU Force";
    static constexpr const char* kThreadCountElement = "vantaro_thread_count";

private:
    std::shared_ptr<const VAConversionSpec> mSpec;
};
