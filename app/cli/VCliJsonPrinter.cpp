#include "VCliJsonPrinter.h"

#include "VCliJsonObject.h"

void VCliJsonPrinter::emit(const std::string& json) {
    mOut << json << '\n';
    mOut.flush();
}

void VCliJsonPrinter::labelsUpdated() {
    const auto percent = static_cast<int64_t>(mDialog->getPercentDone());
    if (percent == mLastPercent) {
        return;
    }
    mLastPercent = percent;
    std::string jobs = "[";
    for (const VMCCPU& slot : mDialog->cpus()) {
        if (slot.isBusy()) {
            jobs += (jobs.size() > 1 ? "," : "") + VCliJsonObject()
                                                       .add("job", slot.currentTaskIndex)
                                                       .add("percent", slot.percentDone)
                                                       .str();
        }
    }
    jobs += "]";
    emit(VCliJsonObject()
             .add("event", "progress")
             .add("percent", percent)
             .add("main", mDialog->labelProgressMain())
             .add("elapsed", mDialog->labelProgressElapsed())
             .add("left", mDialog->labelProgressLeft())
             .add("speed", mDialog->labelProgressSpeed())
             .addRaw("jobs", jobs)
             .str());
}

void VCliJsonPrinter::jobStarted(uint32_t job, const VMCCPU& slot) {
    const auto& entries = mDialog->conversionSpec().entries;
    const int64_t size =
        job < entries.size() ? static_cast<int64_t>(entries[job].sourceSizeBytes) : 0;
    emit(VCliJsonObject()
             .add("event", "job-start")
             .add("job", job)
             .add("slot", slot.indexOfThisCPU)
             .add("source", sourceOf(job))
             .add("destination", destinationOf(job))
             .add("size", size)
             .str());
}

void VCliJsonPrinter::jobFinished(uint32_t job, bool hadErrors) {
    VCliJsonObject event;
    event.add("event", "job-end")
        .add("job", job)
        .add("ok", !hadErrors)
        .add("source", sourceOf(job))
        .add("destination", destinationOf(job));
    if (hadErrors) {
        event.add("error", firstErrorOf(job));
    }
    emit(event.str());
}

void VCliJsonPrinter::logLine(uint32_t job, const XStr& line, bool error) {
    emit(VCliJsonObject()
             .add("event", "log")
             .add("job", job)
             .add("error", error)
             .add("line", line)
             .str());
}

void VCliJsonPrinter::note(const XStr& line) {
    emit(VCliJsonObject().add("event", "note").add("line", line).str());
}

void VCliJsonPrinter::finish(const VCliSummary& summary) {
    emit(VCliJsonObject()
             .add("event", "done")
             .add("ok", summary.exitCode == 0)
             .add("cancelled", summary.cancelled)
             .add("jobs", summary.jobs)
             .add("succeeded", summary.succeeded)
             .add("failed", summary.failed)
             .add("skipped", summary.skipped)
             .add("percent", mDialog->getPercentDone())
             .add("main", summary.text())
             .add("elapsed", mDialog->labelProgressElapsed())
             .add("exit", summary.exitCode)
             .str());
}
