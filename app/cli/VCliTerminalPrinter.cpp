#include "VCliTerminalPrinter.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

#include "VADisplayText.h"
#include "XClock.h"

namespace {

constexpr unsigned kBarWidth = 30;
constexpr unsigned kDefaultColumns = 80;

unsigned terminalColumns() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 0;
}

}  // namespace

VCliTerminalPrinter::VCliTerminalPrinter(std::ostream& out, std::function<unsigned()> columns)
    : mOut(out),
      mColumns(columns ? std::move(columns) : std::function<unsigned()>(terminalColumns)),
      mClock(XClock::nowMs) {}

XStr VCliTerminalPrinter::bar(uint32_t percent, unsigned width) {
    const uint32_t p = std::min<uint32_t>(percent, 100);
    const unsigned filled = width * p / 100;
    return "[" + XStr(filled, U'#') + XStr(width - filled, U'.') + "] " + XStr::format("%3u%%", p);
}

XStrList VCliTerminalPrinter::frameLines() const {
    XStrList lines;
    lines.push_back(mFinalMain.empty() ? mDialog->labelProgressMain() : mFinalMain);
    lines.push_back(bar(mDialog->getPercentDone(), kBarWidth));
    XStrList labels;
    for (const XStr* label : {&mDialog->labelProgressElapsed(), &mDialog->labelProgressLeft(),
                              &mDialog->labelProgressSpeed()}) {
        if (!label->empty()) {
            labels.push_back(*label);
        }
    }
    lines.push_back(XStr::join(labels, ", "));
    for (const VMCCPU& slot : mDialog->cpus()) {
        if (slot.isBusy()) {
            lines.push_back("  " + slot.indexOfThisCPUString() + ": " + slot.status +
                            XStr::format("  %u%%", std::min<uint32_t>(slot.percentDone, 100)));
        }
    }
    for (XStr& line : lines) {
        line = VADisplayText::escaped(line);
    }
    return lines;
}

XStr VCliTerminalPrinter::fit(const XStr& line) const {
    // A line that wraps would throw the count of lines to move back over.
    const unsigned columns = mColumns ? mColumns() : 0;
    const unsigned width = columns == 0 ? kDefaultColumns : columns;
    if (line.size() < width) {
        return line;
    }
    return width > 4 ? line.left(width - 4) + "..." : line.left(width - 1);
}

std::string VCliTerminalPrinter::eraseFrame() {
    std::string s;
    if (mDrawnLines > 0) {
        s = "\r\x1b[" + std::to_string(mDrawnLines) + "A\x1b[J";
    }
    mDrawnLines = 0;
    return s;
}

void VCliTerminalPrinter::redraw(bool force) {
    const uint32_t now = mClock();
    // With the display cleared away for a line above it, the next update draws at once.
    const bool shown = mDrawnLines > 0;
    if (!force && mDrawnOnce && shown && now - mLastDraw < kMinRedrawMs) {
        return;
    }
    mDrawnOnce = true;
    mLastDraw = now;
    std::string s = eraseFrame();
    const XStrList lines = frameLines();
    for (const XStr& line : lines) {
        s += fit(line).utf8() + "\n";
    }
    mDrawnLines = static_cast<unsigned>(lines.size());
    mOut << s;
    mOut.flush();
}

void VCliTerminalPrinter::labelsUpdated() {
    redraw(false);
}

void VCliTerminalPrinter::jobStarted(uint32_t /*job*/, const VMCCPU& /*slot*/) {
    // The first jobs start before the labels are first computed; the labels' update that
    // follows draws the new slot line.
    if (mDrawnOnce) {
        redraw(false);
    }
}

void VCliTerminalPrinter::jobFinished(uint32_t job, bool hadErrors) {
    note(hadErrors ? "Failed: " + failureOf(job) : "Done: " + destinationOf(job));
}

void VCliTerminalPrinter::allDone() {
    redraw(true);
}

void VCliTerminalPrinter::note(const XStr& line) {
    // The scheduler updates its labels right after a job ends, and the tick does so soon
    // in any case: the display comes back with labels that are true.
    std::string s = eraseFrame();
    s += VADisplayText::utf8(line) + "\n";
    mOut << s;
    mOut.flush();
}

void VCliTerminalPrinter::finish(const VCliSummary& summary) {
    // The scheduler's own label counts every job as converted; the summary tells the
    // failures apart.
    mFinalMain = summary.text();
    redraw(true);
}
