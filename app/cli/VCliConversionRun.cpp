#include "VCliConversionRun.h"

#include <atomic>
#include <cstdlib>
#include <mutex>

#include "VAProbeCache.h"
#include "VCliHost.h"
#include "VCliJobTracker.h"
#include "VCliJsonPrinter.h"
#include "VCliPlainPrinter.h"
#include "VCliSettings.h"
#include "VCliSignalWatcher.h"
#include "VCliStatusLogText.h"
#include "VCliTerminalPrinter.h"
#include "VCliTicker.h"
#include "VMCRunningChildren.h"
#include "XMainThread.h"
#include "XOutputFile.h"
#include "XPrivateFolder.h"

VCliConversionRun::VCliConversionRun(std::shared_ptr<VAConversionSpec> spec,
                                     const VCliConvertOptions& options, std::ostream& out,
                                     std::ostream& err, Display display)
    : mSpec(std::move(spec)), mOptions(options), mOut(out), mErr(err), mDisplay(display) {}

std::unique_ptr<VCliProgressPrinter> VCliConversionRun::makePrinter() {
    switch (mDisplay) {
        case Display::kTerminal:
            return std::make_unique<VCliTerminalPrinter>(mOut);
        case Display::kJson:
            return std::make_unique<VCliJsonPrinter>(mOut);
        case Display::kPlain:
            break;
    }
    return std::make_unique<VCliPlainPrinter>(mOut);
}

void VCliConversionRun::onSignal(int signal) {
    if (mSignal != 0 || !mDialog) {
        return;
    }
    mSignal = signal;
    mPrinter->note("Stopping...");
    // Every run kills its FFmpeg child and removes its unfinished output as it ends.
    mDialog->panelWillClose();
}

VCliSummary VCliConversionRun::summary() const {
    VCliSummary s;
    s.jobs = static_cast<uint32_t>(mSpec->entries.size());
    s.cancelled = mSignal != 0;
    s.encoderName = mSpec->Encoder ? mSpec->Encoder->name : XStr();
    s.copies = !mSpec->entries.empty();
    for (const VAConversionEntry& entry : mSpec->entries) {
        s.failed += entry.hadErrors ? 1 : 0;
        s.copies = s.copies && entry.justCopy;
    }
    return s;
}

void VCliConversionRun::printLogs() {
    XStrList parts;
    const XStr errors = VCliStatusLogText::copyText(mDialog->logErrors(), true);
    if (!errors.empty()) {
        parts.push_back(errors);
    }
    if (mOptions.verbose) {
        const XStr infos = VCliStatusLogText::copyText(mDialog->logInfos(), false);
        if (!infos.empty()) {
            parts.push_back(infos);
        }
    }
    if (!parts.empty()) {
        // Each part's lines are escaped already; the blank line between parts stays.
        mErr << XStr::join(parts, "\n\n").utf8() << '\n';
        mErr.flush();
    }
}

int VCliConversionRun::run() {
    mLoop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(mLoop);

    auto host = std::make_shared<VCliHost>();
    mDialog = VMCProgressDialog::createWithSpec(mSpec, host, VCliSettings::makeSettings());
    if (mJobRunner) {
        mDialog->setJobRunner(mJobRunner);
    }
    if (mClock) {
        mDialog->setClock(mClock);
    }
    if (mOptions.jobs != 0) {
        // More slots than processors when asked for; the count then limits what runs.
        mDialog->setNumThreads(mOptions.jobs);
        mDialog->onCoreCount(mOptions.jobs);
    }
    mPrinter = makePrinter();
    mPrinter->setDialog(mDialog.get());
    VCliJobTracker tracker(*mPrinter);
    mDialog->setView(&tracker);

    // A command that runs several conversions (watch) takes its own handling back after;
    // a signal that comes when this run's loop has ended goes to it too.
    struct SignalState {
        std::mutex mutex;
        bool finished = false;
        int count = 0;
        int pending = 0;
    };
    auto signals = std::make_shared<SignalState>();
    VCliSignalWatcher::Handler outer = VCliSignalWatcher::handler();
    VCliSignalWatcher::setHandler([this, loop = mLoop, signals, outer](int signal) {
        std::unique_lock<std::mutex> lock(signals->mutex);
        if (signals->finished) {
            lock.unlock();
            if (outer) {
                outer(signal);
            }
            return;
        }
        if (signals->count++ > 0) {
            // Asked twice: stop waiting for the jobs to wind down, but leave no unfinished
            // output behind.
            VMCRunningChildren::killAll();
            XOutputFile::RemoveAllOfThisProcess();
            XPrivateFolder::remove();
            std::_Exit(128 + signal);
        }
        signals->pending = signal;
        // Runs only while run() runs the loop, so this object is still there.
        loop->post([this, signal] { onSignal(signal); });
    });
    std::unique_ptr<VCliTicker> ticker;
    if (mDisplay == Display::kTerminal) {
        ticker = std::make_unique<VCliTicker>(kTickMs, [loop = mLoop, dialog = mDialog] {
            loop->post([dialog] { dialog->updateLabels(); });
        });
    }

    mDialog->oneTimeInit();
    const auto done = [&] {
        if (mSignal != 0) {
            return mDialog->runningJobs() == 0;
        }
        return tracker.isAllDone() || host->done();
    };
    while (!mLoop->runUntil(done, 60000)) {
    }
    ticker.reset();
    int late = 0;
    {
        const std::lock_guard<std::mutex> lock(signals->mutex);
        signals->finished = true;
        late = mSignal == 0 ? signals->pending : 0;
    }
    VCliSignalWatcher::setHandler(outer);
    if (late != 0 && outer) {
        outer(late);
    }

    VCliSummary s = summary();
    mSucceeded.assign(s.jobs, false);
    for (uint32_t job = 0; job < s.jobs; ++job) {
        if (tracker.finished(job) && !mSpec->entries[job].hadErrors) {
            ++s.succeeded;
            mSucceeded[job] = true;
        }
    }
    s.jobs += mFailedBeforeStart;
    s.failed += mFailedBeforeStart;
    s.skipped = mSkipped;
    s.exitCode = mSignal != 0 ? 128 + mSignal : (s.failed > 0 ? 1 : 0);
    mPrinter->finish(s);
    printLogs();
    mDialog->setView(nullptr);
    XMainThread::setPoster(nullptr);
    if (const std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared()) {
        cache->save();
    }
    return s.exitCode;
}
