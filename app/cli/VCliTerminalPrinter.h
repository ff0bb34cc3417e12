// The live display on a terminal: the main label, a bar with the percentage, the elapsed,
// left and speed labels, and one line per busy encoder slot, redrawn in place at most ten
// times a second. Lines that stay (a job done, or failed with its first error line) are
// printed above it. Control characters in names and FFmpeg's lines are shown escaped, so
// nothing but the display's own sequences moves the cursor.
#pragma once

#include <functional>
#include <ostream>

#include "VCliProgressPrinter.h"

class VCliTerminalPrinter : public VCliProgressPrinter {
public:
    using Clock = std::function<uint32_t()>;

    // columns: the terminal's width, asked anew before each redraw; 0 means unknown.
    explicit VCliTerminalPrinter(std::ostream& out, std::function<unsigned()> columns = nullptr);
    void setClock(Clock clock) { mClock = std::move(clock); }

    void labelsUpdated() override;
    void jobStarted(uint32_t job, const VMCCPU& slot) override;
    void jobFinished(uint32_t job, bool hadErrors) override;
    void allDone() override;
    void note(const XStr& line) override;
    void finish(const VCliSummary& summary) override;

    // The display as it would be drawn now, without control sequences; after finish, the
    // summary in place of the main label.
    XStrList frameLines() const;
    static XStr bar(uint32_t percent, unsigned width);
    static constexpr uint32_t kMinRedrawMs = 100;

private:
    void redraw(bool force);
    // Moves back to the first line of the display and clears it away.
    std::string eraseFrame();
    XStr fit(const XStr& line) const;

    std::ostream& mOut;
    std::function<unsigned()> mColumns;
    Clock mClock;
    unsigned mDrawnLines = 0;
    uint32_t mLastDraw = 0;
    bool mDrawnOnce = false;
    XStr mFinalMain;
};
