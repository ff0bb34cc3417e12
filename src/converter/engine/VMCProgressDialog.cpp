#include "VMCProgressDialog.h"

#include "VASystemActions.h"
#include "VMCProcess.h"
#include "VMCProgressLabels.h"
#include "VMCStatusCallbackImpl.h"
#include "XClock.h"
#include "XMainThread.h"
#include "XPath.h"

namespace {

bool isIgnoredDestination(const XStr& path) {
    return path.lowerASCII().endsWith(".ignore");
}

// One group per source among the entries of several encoders, so that they take turns.
std::vector<uint32_t> sourceGroups(const VAConversionSpec& spec) {
    std::map<XStr, uint32_t> bySource;
    std::vector<uint32_t> groups;
    for (const VAConversionEntry& entry : spec.entries) {
        if (!entry.multiEncData || !entry.convertFrom) {
            groups.push_back(0);
            continue;
        }
        const auto next = static_cast<uint32_t>(bySource.size() + 1);
        groups.push_back(bySource.emplace(entry.convertFrom->urlForConversion, next).first->second);
    }
    return groups;
}

}  // namespace

std::shared_ptr<VMCProgressDialog> VMCProgressDialog::createWithSpec(
    std::shared_ptr<VAConversionSpec> spec, std::weak_ptr<VMCProgressHost> host,
    std::shared_ptr<VMCProgressSettings> settings) {
    return std::make_shared<VMCProgressDialog>(std::move(spec), std::move(host),
                                               std::move(settings));
}

VMCProgressDialog::VMCProgressDialog(std::shared_ptr<VAConversionSpec> spec,
                                     std::weak_ptr<VMCProgressHost> host,
                                     std::shared_ptr<VMCProgressSettings> settings)
    : mConversionSpec(std::move(spec)),
      mBatch(VMCBatch::initWithSpec(mConversionSpec)),
      mHost(std::move(host)),
      mSettings(std::move(settings)),
      mEvents(std::make_shared<VMCProcessEvents>()),
      mEstimate(*mConversionSpec),
      mLogs(*mConversionSpec, encoderName()),
      mJobRunner(VMCProcess::convertWithArg),
      mSystemAction([](int action) { VASystemActions::perform(action); }),
      mClock(XClock::nowMs) {
    if (mSettings) {
        optShowInfoLog = mSettings->getBool(kSettingShowInfoLog, false);
    }
    setNumThreads(std::thread::hardware_concurrency());
}

VMCProgressDialog::~VMCProgressDialog() {
    // The job threads use this object: they are told to stop and waited for first.
    mEvents->requestQuit();
    mScheduler.reset();
}

void VMCProgressDialog::setNumThreads(uint32_t threads) {
    if (mOneTimeInit) {
        return;
    }
    uint64_t n = static_cast<uint64_t>(mBatch->userThreadCount());
    if (n == 0) {
        n = threads == 0 ? 1 : threads;
    }
    n = std::min<uint64_t>(n, mConversionSpec->entries.size());
    mScheduler = std::make_unique<VMCScheduler>(
        mConversionSpec->entries.size(), n,
        [this](uint32_t slotIndex, uint32_t job) { convertMain(slotIndex, job); });
    if (!mConversionSpec->multiCPU) {
        mScheduler->setGroups(sourceGroups(*mConversionSpec));
    }
    optNumCPUs = static_cast<uint32_t>(n);
}

std::vector<VMCProgressDialog::MenuItem> VMCProgressDialog::encoderMenu() const {
    std::vector<MenuItem> items;
    for (uint32_t count = 1; count <= cpus().size(); ++count) {
        const XStr title =
            count == 1 ? XStr("Using 1 Encoder") : XStr::format("Using %u Encoders", count);
        items.push_back(MenuItem{title, count, count == optNumCPUs});
    }
    return items;
}

XStr VMCProgressDialog::encoderName() const {
    return mConversionSpec->Encoder ? mConversionSpec->Encoder->name : XStr();
}

void VMCProgressDialog::oneTimeInit() {
    if (mOneTimeInit) {
        return;
    }
    mOneTimeInit = true;
    if (mSettings) {
        mSkipFinished = mSettings->getBool(kSettingSkipFinished, false);
    }
    beginConversion();
}

void VMCProgressDialog::setSkipFinished(bool on) {
    mSkipFinished = on;
    if (mSettings) {
        mSettings->setBool(kSettingSkipFinished, on);
    }
}

void VMCProgressDialog::setOptShowInfoLog(bool on) {
    optShowInfoLog = on;
    if (mSettings) {
        mSettings->setBool(kSettingShowInfoLog, on);
    }
}

void VMCProgressDialog::beginConversion() {
    mEstimate.begin(now());
    if (mConversionSpec->entries.empty()) {
        finalize();
    } else {
        assignIdleCores();
    }
    updateLabels();
}

void VMCProgressDialog::assignIdleCores() {
    // While paused no new job starts; resuming hands out what is waiting.
    if (mUserPause || mEvents->bEvtQuit) {
        return;
    }
    for (const uint32_t index : mScheduler->startIdle(optNumCPUs)) {
        if (!mPreventSleep) {
            mPreventSleep = std::make_unique<VMCPreventSleep>();
        }
        VMCCPU& slot = mScheduler->cpu(index);
        const VAConversionEntry& entry = mConversionSpec->entries[slot.currentTaskIndex];
        const bool useSource = entry.urlTo.empty() || isIgnoredDestination(entry.urlTo);
        const XStr shown = XPath::baseName(
            useSource && entry.convertFrom ? entry.convertFrom->urlPerceived : entry.urlTo);
        slot.status =
            XStr::format(entry.justCopy ? "Copying '%s'" : "Encoding '%s'", shown.utf8().c_str());
        if (mView != nullptr) {
            mView->jobStarted(slot.currentTaskIndex, slot);
        }
    }
}

void VMCProgressDialog::convertMain(uint32_t slotIndex, uint32_t job) {
    if (!mEvents->bEvtQuit) {
        const VAConversionEntry& entry = mConversionSpec->entries[job];
        VMCProcessArg arg = mBatch->processArgFor(entry);
        arg.callback = std::make_shared<VMCStatusCallbackImpl>(weak_from_this(), job);
        arg.events = mEvents;
        if (entry.justCopy) {
            VMCProcess::copyWithArg(arg);
        } else {
            mJobRunner(arg);
        }
    }
    XMainThread::post([weak = weak_from_this(), slotIndex] {
        if (const auto self = weak.lock()) {
            self->conversionCompleteOn(slotIndex);
        }
    });
}

void VMCProgressDialog::onStatusAction(const XStr& status, uint32_t arg) {
    if (VMCCPU* slot = mScheduler->slotForJob(arg)) {
        slot->status = status;
    }
}

void VMCProgressDialog::onLengthMS(int64_t lengthMS, uint32_t arg) {
    if (VMCCPU* slot = mScheduler->slotForJob(arg)) {
        slot->lengthMS = static_cast<uint32_t>(lengthMS);
        updateLabels();
    }
}

void VMCProgressDialog::onFPS(double fps, uint32_t arg) {
    if (VMCCPU* slot = mScheduler->slotForJob(arg)) {
        slot->fps = fps;
        updateLabels();
    }
}

void VMCProgressDialog::onStatusPercentDone(int32_t percent, uint32_t arg) {
    if (VMCCPU* slot = mScheduler->slotForJob(arg)) {
        slot->percentDone = static_cast<uint32_t>(percent);
        updateLabels();
    }
}

void VMCProgressDialog::onStatusInfoLine(const XStr& line, uint32_t arg) {
    mLogs.addInfo(arg, line);
    if (mView != nullptr) {
        mView->logLine(arg, line, false);
    }
}

void VMCProgressDialog::onStatusErrorLine(const XStr& line, uint32_t arg) {
    if (arg < mConversionSpec->entries.size()) {
        mConversionSpec->entries[arg].hadErrors = true;
    }
    mLogs.addError(arg, line);
    if (mView != nullptr) {
        mView->logLine(arg, line, true);
    }
}

void VMCProgressDialog::conversionCompleteOn(uint32_t slotIndex) {
    if (slotIndex >= cpus().size()) {
        return;
    }
    mScheduler->threadEnded(slotIndex);
    if (mEvents->bEvtQuit) {
        return;
    }
    VMCCPU& slot = mScheduler->cpu(slotIndex);
    const uint32_t job = slot.currentTaskIndex;
    onStatusPercentDone(100, job);
    onStatusAction("", job);
    mEstimate.jobDone(slot);
    mScheduler->finishJob(slotIndex);
    if (mView != nullptr && job < mConversionSpec->entries.size()) {
        mView->jobFinished(job, mConversionSpec->entries[job].hadErrors);
    }
    updateLabels();
    slot.percentDone = 100;
    slot.status = "Idle.";
    if (mScheduler->allDone()) {
        finalize();
    } else {
        assignIdleCores();
    }
}

void VMCProgressDialog::finalize() {
    mFinalizing = true;
    mLabelMain = "Finalizing conversion...";
    if (mView != nullptr) {
        mView->labelsUpdated();
    }
    // Through the loop, so that the label is seen before the end.
    XMainThread::post([weak = weak_from_this()] {
        if (const auto self = weak.lock()) {
            self->onAllDone();
        }
    });
}

void VMCProgressDialog::onAllDone() {
    mEstimate.end(now());
    mAllDone = true;
    mFinalizing = false;
    // Known before the view hears of the end, so that it offers the log at once.
    mCanShowConversionLog = !mLogs.empty();
    updateLabels();
    if (mView != nullptr) {
        mView->allDone();
    }
    if (optAfterConversion == VASystemActions::kShutDown ||
        optAfterConversion == VASystemActions::kLogOut ||
        optAfterConversion == VASystemActions::kRestart) {
        mSystemAction(optAfterConversion);
        return;
    }
    if (optAfterConversion == VASystemActions::kSleep) {
        mSystemAction(optAfterConversion);
    }
    const bool errors = optShowErrorLog && !mLogs.errors().empty();
    const bool infos = optShowInfoLog && !mLogs.infos().empty();
    if (errors || infos) {
        showLogForInfos(optShowInfoLog, optShowErrorLog);
    } else if (mSkipFinished) {
        if (const auto host = mHost.lock()) {
            host->conversionAllDone();
        }
    }
    if (mPreventSleep) {
        mPreventSleep->clear();
    }
}

void VMCProgressDialog::showLogForInfos(bool infos, bool errors) {
    if (const auto host = mHost.lock()) {
        host->showStatusLog(mLogs.contextFor(infos, errors));
    }
}

void VMCProgressDialog::onShowConversionLog() {
    showLogForInfos(true, true);
}

void VMCProgressDialog::onCoreCount(uint32_t count) {
    const uint32_t old = optNumCPUs;
    optNumCPUs = std::max<uint32_t>(1, std::min<uint32_t>(count, cpus().size()));
    if (optNumCPUs > old) {
        assignIdleCores();
    }
}

void VMCProgressDialog::onPause() {
    if (mAllDone) {
        return;
    }
    mUserPause = !mUserPause;
    mEvents->setPaused(mUserPause);
    if (mUserPause) {
        mEstimate.pause(now());
    } else {
        mEstimate.resume(now());
        assignIdleCores();
    }
    updateLabels();
}

void VMCProgressDialog::onCancel() {
    if (const auto host = mHost.lock()) {
        host->conversionAllDone();
    }
}

void VMCProgressDialog::panelWillClose() {
    mEvents->requestQuit();
}

XStr VMCProgressDialog::windowTitle(const XStr& title) const {
    return mAllDone ? "[Finished] " + title : title;
}

void VMCProgressDialog::updateLabels() {
    if (!mFinalizing) {
        mLabelMain = VMCProgressLabels::mainText(mScheduler->numDone(),
                                                 mConversionSpec->entries.size(), encoderName());
    }
    const uint32_t elapsed = elapsedMs();
    mLabelElapsed = VMCProgressLabels::elapsedText(elapsed, mAllDone);
    mLabelLeft = VMCProgressLabels::leftText(elapsed, getRatioDone());
    double fps = 0;
    for (const VMCCPU& slot : cpus()) {
        fps += slot.fps;
    }
    mLabelSpeed = VMCProgressLabels::speedText(elapsed, mEstimate.lengthDone(cpus()), fps);
    if (mView != nullptr) {
        mView->labelsUpdated();
    }
}
