#include "VCliPlainPrinter.h"

#include "VADisplayText.h"

namespace {

XStr joinNonEmpty(const XStrList& parts) {
    XStrList kept;
    for (const XStr& p : parts) {
        if (!p.empty()) {
            kept.push_back(p);
        }
    }
    return XStr::join(kept, ", ");
}

}  // namespace

void VCliPlainPrinter::line(const XStr& text) {
    mOut << VADisplayText::utf8(text) << '\n';
    mOut.flush();
}

void VCliPlainPrinter::labelsUpdated() {
    const uint32_t tenths = mDialog->getPercentDone() / 10;
    if (tenths <= mTenthsShown) {
        return;
    }
    mTenthsShown = tenths;
    const XStr labels = joinNonEmpty({mDialog->labelProgressElapsed(), mDialog->labelProgressLeft(),
                                      mDialog->labelProgressSpeed()});
    XStr text = XStr::format("Progress: %u%%", mDialog->getPercentDone());
    if (!labels.empty()) {
        text += " (" + labels + ")";
    }
    line(text);
}

void VCliPlainPrinter::jobStarted(uint32_t job, const VMCCPU& /*slot*/) {
    line(XStr::format("Started %u/%u: ", job + 1, jobCount()) + sourceOf(job) + " -> " +
         destinationOf(job));
}

void VCliPlainPrinter::jobFinished(uint32_t job, bool hadErrors) {
    if (hadErrors) {
        line(XStr::format("Failed %u/%u: ", job + 1, jobCount()) + failureOf(job));
    } else {
        line(XStr::format("Finished %u/%u: ", job + 1, jobCount()) + destinationOf(job));
    }
}

void VCliPlainPrinter::note(const XStr& text) {
    line(text);
}

void VCliPlainPrinter::finish(const VCliSummary& summary) {
    line(summary.text());
    if (!mDialog->labelProgressElapsed().empty()) {
        line(mDialog->labelProgressElapsed());
    }
}
