#include "VMCProgressDialog.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "VASystemActions.h"
#include "VMCProcess.h"
#include "VMCStatusCallbackImpl.h"
#include "XClock.h"
#include "XMainThread.h"

namespace {

XStr fileNameWithoutExtension(const XStr& path) {
    const std::size_t slash = path.rfind(U'/');
    XStr name = slash == XStr::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind(U'.');
    return dot == XStr::npos || dot == 0 ? name : name.left(dot);
}

XStr extensionOf(const XStr& path) {
    const std::size_t slash = path.rfind(U'/');
    const std::size_t dot = path.rfind(U'.');
    if (dot == XStr::npos || (slash != XStr::npos && dot < slash)) {
        return {};
    }
    return path.substr(dot + 1);
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
      mJobRunner(VMCProcess::convertWithArg),
      mSystemAction([](int action) { VASystemActions::perform(action); }),
      mClock(XClock::nowMs) {
    for (const VAConversionEntry& entry : mConversionSpec->entries) {
        mSizeTotal += entry.sourceSizeBytes;
    }
    if (mSettings) {
        optShowInfoLog = mSettings->getBool(kSettingShowInfoLog, false);
    }
    setNumThreads(std::thread::hardware_concurrency());
}

VMCProgressDialog::~VMCProgressDialog() = default;

void VMCProgressDialog::setNumThreads(uint32_t threads) {
    if (mOneTimeInit) {
        return;
    }
    uint64_t n = static_cast<uint64_t>(mBatch->userThreadCount());
    if (n == 0) {
        n = threads == 0 ? 1 : threads;
    }
    n = std::min<uint64_t>(n, mConversionSpec->entries.size());
    mCPUs.assign(n, VMCCPU());
    for (uint32_t i = 0; i < n; ++i) {
        mCPUs[i].indexOfThisCPU = i;
    }
    optNumCPUs = static_cast<uint32_t>(n);
}

std::vector<VMCProgressDialog::MenuItem> VMCProgressDialog::encoderMenu() const {
    std::vector<MenuItem> items;
    for (uint32_t count = 1; count <= mCPUs.size(); ++count) {
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
    mTimeBegin = now();
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
    uint32_t busy = 0;
    for (const VMCCPU& slot : mCPUs) {
        busy += slot.isBusy() ? 1 : 0;
    }
    for (VMCCPU& slot : mCPUs) {
        if (busy >= optNumCPUs || mNumAssigned >= mConversionSpec->entries.size()) {
            break;
        }
        if (!slot.isBusy()) {
            beginConversionFor(slot);
            ++busy;
        }
    }
}

void VMCProgressDialog::beginConversionFor(VMCCPU& slot) {
    if (mNumAssigned >= mConversionSpec->entries.size()) {
        return;
    }
    if (!mPreventSleep) {
        mPreventSleep = std::make_unique<VMCPreventSleep>();
    }
    const uint32_t job = mNumAssigned++;
    const VAConversionEntry& entry = mConversionSpec->entries[job];
    slot.currentTaskIndex = job;
    // A fresh job starts from nothing, not from the last job's 100.
    slot.percentDone = 0;
    slot.fps = 0;
    const bool useSource = entry.urlTo.empty() || extensionOf(entry.urlTo).equalsNoCase("ignore");
    const XStr shown = fileNameWithoutExtension(
        useSource && entry.convertFrom ? entry.convertFrom->urlPerceived : entry.urlTo);
    slot.status =
        XStr::format(entry.justCopy ? "Copying '%s'" : "Encoding '%s'", shown.utf8().c_str());
    ++mRunningJobs;
    const uint32_t slotIndex = slot.indexOfThisCPU;
    std::thread([self = shared_from_this(), slotIndex, job] {
        self->convertMain(slotIndex, job);
    }).detach();
    if (mView != nullptr) {
        mView->jobStarted(job, slot);
    }
}

void VMCProgressDialog::convertMain(uint32_t slotIndex, uint32_t job) {
    if (!mEvents->bEvtQuit) {
        const VAConversionEntry& entry = mConversionSpec->entries[job];
        if (entry.justCopy) {
            std::error_code error;
            const XStr from = entry.convertFrom ? entry.convertFrom->urlForConversion : XStr();
            // Never over an existing file.
            std::filesystem::copy_file(from.utf8(), entry.urlTo.utf8(),
                                       std::filesystem::copy_options::none, error);
            if (error) {
                const XStr message(error.message());
                XMainThread::post([self = shared_from_this(), message, job] {
                    self->onStatusErrorLine(message, job);
                });
            }
        } else {
            VMCProcessArg arg;
            arg.srcFrom = entry.convertFrom;
            arg.urlTo = entry.urlTo;
            arg.inputArgs = entry.convertFrom ? entry.convertFrom->inputOptions : std::nullopt;
            arg.args = entry.multiEncData ? mBatch->multiCommandLine(*entry.multiEncData)
                                          : mBatch->commandLine();
            arg.callback = std::make_shared<VMCStatusCallbackImpl>(shared_from_this(), job);
            arg.events = mEvents;
            arg.specialActions = mBatch->prepareSpecialActions(entry.multiEncData.get());
            mJobRunner(arg);
        }
    }
    XMainThread::post(
        [self = shared_from_this(), slotIndex] { self->conversionCompleteOn(slotIndex); });
}

VMCCPU* VMCProgressDialog::slotForJob(uint32_t job) {
    for (VMCCPU& slot : mCPUs) {
        if (slot.currentTaskIndex == job) {
            return &slot;
        }
    }
    return nullptr;
}

VMCStatusLogEntry& VMCProgressDialog::logEntry(std::map<uint32_t, VMCStatusLogEntry>& log,
                                               uint32_t job) {
    auto it = log.find(job);
    if (it == log.end()) {
        VMCStatusLogEntry entry;
        if (job < mConversionSpec->entries.size()) {
            entry.source2 = mConversionSpec->entries[job].convertFrom;
            entry.fnTo = mConversionSpec->entries[job].urlTo;
        }
        entry.encoderName = encoderName();
        it = log.emplace(job, std::move(entry)).first;
    }
    return it->second;
}

void VMCProgressDialog::onStatusAction(const XStr& status, uint32_t arg) {
    if (VMCCPU* slot = slotForJob(arg)) {
        slot->status = status;
    }
}

void VMCProgressDialog::onLengthMS(int64_t lengthMS, uint32_t arg) {
    if (VMCCPU* slot = slotForJob(arg)) {
        slot->lengthMS = static_cast<uint32_t>(lengthMS);
        updateLabels();
    }
}

void VMCProgressDialog::onFPS(double fps, uint32_t arg) {
    if (VMCCPU* slot = slotForJob(arg)) {
        slot->fps = fps;
        updateLabels();
    }
}

void VMCProgressDialog::onStatusPercentDone(int32_t percent, uint32_t arg) {
    if (VMCCPU* slot = slotForJob(arg)) {
        slot->percentDone = static_cast<uint32_t>(percent);
        updateLabels();
    }
}

void VMCProgressDialog::onStatusInfoLine(const XStr& line, uint32_t arg) {
    logEntry(mLogInfos, arg).entries.push_back(line);
    if (mView != nullptr) {
        mView->logLine(arg, line, false);
    }
}

void VMCProgressDialog::onStatusErrorLine(const XStr& line, uint32_t arg) {
    if (arg < mConversionSpec->entries.size()) {
        mConversionSpec->entries[arg].hadErrors = true;
    }
    logEntry(mLogErrors, arg).entries.push_back(line);
    if (mView != nullptr) {
        mView->logLine(arg, line, true);
    }
}

void VMCProgressDialog::conversionCompleteOn(uint32_t slotIndex) {
    if (mRunningJobs > 0) {
        --mRunningJobs;
    }
    if (mEvents->bEvtQuit || slotIndex >= mCPUs.size()) {
        return;
    }
    VMCCPU& slot = mCPUs[slotIndex];
    const uint32_t job = slot.currentTaskIndex;
    onStatusPercentDone(100, job);
    onStatusAction("", job);
    ++mNumDone;
    if (job < mConversionSpec->entries.size()) {
        mSizeFilesDone += mConversionSpec->entries[job].sourceSizeBytes;
    }
    mLengthFilesDone += slot.lengthMS;
    slot.currentTaskIndex = VMCCPU::kIdle;
    if (mView != nullptr && job < mConversionSpec->entries.size()) {
        mView->jobFinished(job, mConversionSpec->entries[job].hadErrors);
    }
    updateLabels();
    slot.percentDone = 100;
    slot.status = "Idle.";
    if (mNumDone < mConversionSpec->entries.size()) {
        assignIdleCores();
    } else {
        finalize();
    }
}

void VMCProgressDialog::finalize() {
    mFinalizing = true;
    mLabelMain = "Finalizing conversion...";
    if (mView != nullptr) {
        mView->labelsUpdated();
    }
    std::thread([self = shared_from_this()] {
        self->mBatch->finish();
        XMainThread::post([self] { self->onAllDone(); });
    }).detach();
}

void VMCProgressDialog::onAllDone() {
    mTimeEnd = now();
    mAllDone = true;
    mFinalizing = false;
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
    const auto* errors = optShowErrorLog ? &mLogErrors : nullptr;
    const auto* infos = optShowInfoLog ? &mLogInfos : nullptr;
    if ((errors != nullptr && !errors->empty()) || (infos != nullptr && !infos->empty())) {
        showLogForInfos(infos, errors);
    } else if (mSkipFinished) {
        if (const auto host = mHost.lock()) {
            host->conversionAllDone();
        }
    }
    mCanShowConversionLog = !mLogErrors.empty() || !mLogInfos.empty();
    if (mPreventSleep) {
        mPreventSleep->clear();
    }
}

void VMCProgressDialog::showLogForInfos(const std::map<uint32_t, VMCStatusLogEntry>* infos,
                                        const std::map<uint32_t, VMCStatusLogEntry>* errors) {
    VMCStatusLogContext context;
    if (infos != nullptr) {
        context.infos = VMCStatusLogContext::listFromMap(*infos);
    }
    if (errors != nullptr) {
        context.errors = VMCStatusLogContext::listFromMap(*errors);
    }
    if (const auto host = mHost.lock()) {
        host->showStatusLog(context);
    }
}

void VMCProgressDialog::onShowConversionLog() {
    showLogForInfos(&mLogInfos, &mLogErrors);
}

void VMCProgressDialog::onCoreCount(uint32_t count) {
    const uint32_t old = optNumCPUs;
    optNumCPUs = std::max<uint32_t>(1, std::min<uint32_t>(count, mCPUs.size()));
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
    mEvents->bEvtPause = mUserPause ? mEvents->bEvtQuit.load() : true;
    if (mUserPause) {
        mPauseBegan = now();
    } else {
        mPausedMs += now() - mPauseBegan;
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
    mEvents->bEvtQuit = true;
    mEvents->bEvtPause = true;
}

uint32_t VMCProgressDialog::elapsedMs() const {
    const uint32_t end = mAllDone ? mTimeEnd : now();
    uint32_t paused = mPausedMs;
    if (mUserPause && !mAllDone) {
        paused += end - mPauseBegan;
    }
    return end - mTimeBegin - paused;
}

double VMCProgressDialog::getRatioDone() const {
    const std::size_t entries = mConversionSpec->entries.size();
    if (entries == 0) {
        return 0.0;
    }
    if (mSizeTotal == 0) {
        // Nothing to weigh by: count the jobs instead.
        double done = mNumDone;
        for (const VMCCPU& slot : mCPUs) {
            if (slot.currentTaskIndex < entries) {
                done += std::min<uint32_t>(slot.percentDone, 100) / 100.0;
            }
        }
        return std::min(1.0, done / static_cast<double>(entries));
    }
    uint64_t weighted = 0;
    for (const VMCCPU& slot : mCPUs) {
        if (slot.currentTaskIndex < entries) {
            weighted += mConversionSpec->entries[slot.currentTaskIndex].sourceSizeBytes *
                        static_cast<uint64_t>(slot.percentDone);
        }
    }
    const double ratio =
        (static_cast<double>(weighted) / 100.0 + static_cast<double>(mSizeFilesDone)) /
        static_cast<double>(mSizeTotal);
    return std::min(1.0, ratio);
}

uint32_t VMCProgressDialog::getPercentDone() const {
    return static_cast<uint32_t>(std::floor(getRatioDone() * 100.0 + 0.5));
}

uint64_t VMCProgressDialog::getLengthDone() const {
    const std::size_t entries = mConversionSpec->entries.size();
    uint64_t done = mLengthFilesDone;
    for (const VMCCPU& slot : mCPUs) {
        if (slot.currentTaskIndex < entries) {
            done += static_cast<uint64_t>(slot.percentDone) * slot.lengthMS / 100;
        }
    }
    return done;
}

XStr VMCProgressDialog::formatTimeSeconds(uint32_t seconds) {
    XStr minutes;
    if (seconds >= 120) {
        minutes = XStr::format("%u minutes", seconds / 60);
    } else if (seconds >= 60) {
        minutes = "1 minute";
    }
    const uint32_t rest = seconds % 60;
    XStr secs;
    if (rest >= 2) {
        secs = XStr::format("%u seconds", rest);
    } else if (rest == 1) {
        secs = "1 second";
    }
    if (!minutes.empty() && !secs.empty()) {
        return minutes + " " + secs;
    }
    if (minutes.empty() && secs.empty()) {
        return "0 seconds";
    }
    return minutes.empty() ? secs : minutes;
}

XStr VMCProgressDialog::formatOneDecimal(double value) {
    const bool negative = value < 0;
    const auto tenths = static_cast<uint64_t>(std::fabs(value) * 10.0 + 0.49);
    XStr text = XStr::format("%llu.%llu", static_cast<unsigned long long>(tenths / 10),
                             static_cast<unsigned long long>(tenths % 10));
    while (text.endsWith("0") && text.contains(U'.')) {
        text.pop_back();
    }
    if (text.endsWith(".")) {
        text.pop_back();
    }
    return negative ? "-" + text : text;
}

XStr VMCProgressDialog::windowTitle(const XStr& title) const {
    return mAllDone ? "[Finished] " + title : title;
}

void VMCProgressDialog::updateLabels() {
    const std::size_t entries = mConversionSpec->entries.size();
    XStr main;
    if (mNumDone == entries) {
        main = XStr::format("Converted %zu files", entries);
    } else if (entries == 1) {
        main = "Converting 1 file";
    } else {
        main = XStr::format("Converting %u out of %zu files", mNumDone + 1, entries);
    }
    if (!mFinalizing) {
        mLabelMain = main + " to " + encoderName();
    }

    const uint32_t elapsed = elapsedMs();
    mLabelElapsed =
        mAllDone ? "Finished in " + formatTimeMS(elapsed) : formatTimeMS(elapsed) + " elapsed";

    mLabelLeft = XStr();
    const double ratio = getRatioDone();
    if (ratio > 0) {
        const double left = static_cast<double>(elapsed) / ratio - static_cast<double>(elapsed);
        if (left > 0) {
            const auto seconds = static_cast<uint32_t>(std::floor(left / 1000.0));
            if (seconds != 0) {
                mLabelLeft = formatTimeSeconds(seconds) + " left";
            }
        }
    }

    mLabelSpeed = XStr();
    const uint64_t lengthDone = getLengthDone();
    if (elapsed != 0 && lengthDone != 0) {
        mLabelSpeed = XStr::format("%.1fx encoding speed",
                                   static_cast<double>(lengthDone) / static_cast<double>(elapsed));
        double fps = 0;
        for (const VMCCPU& slot : mCPUs) {
            fps += slot.fps;
        }
        if (fps > 0) {
            mLabelSpeed = mLabelSpeed + ", " + formatOneDecimal(fps) + " FPS";
        }
    }
    if (mView != nullptr) {
        mView->labelsUpdated();
    }
}
