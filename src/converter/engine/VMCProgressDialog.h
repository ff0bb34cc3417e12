// The progress panel of one conversion: it hands the jobs to the scheduler's slots, receives
// every report on the main thread, keeps the job logs and the progress estimate, answers the
// label texts, and decides what happens at the end. All of its state lives on the main
// thread; jobs run on threads the scheduler owns and report back through it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "VAConversionSpec.h"
#include "VMCBatch.h"
#include "VMCCPU.h"
#include "VMCJobLogs.h"
#include "VMCPreventSleep.h"
#include "VMCProcessArg.h"
#include "VMCProcessEvents.h"
#include "VMCProgressEstimate.h"
#include "VMCScheduler.h"
#include "VMCStatusHost.h"
#include "VMCStatusLogContext.h"

// The window (or program) the panel lives in.
class VMCProgressHost {
public:
    virtual ~VMCProgressHost() = default;
    // Leave the panel; the host then calls panelWillClose.
    virtual void conversionAllDone() = 0;
    // Show the status log in place of the panel.
    virtual void showStatusLog(const VMCStatusLogContext& context) = 0;
};

// Told about changes so it can redraw; every call comes on the main thread.
class VMCProgressView {
public:
    virtual ~VMCProgressView() = default;
    virtual void labelsUpdated() {}
    virtual void jobStarted(uint32_t /*job*/, const VMCCPU& /*slot*/) {}
    virtual void jobFinished(uint32_t /*job*/, bool /*hadErrors*/) {}
    virtual void logLine(uint32_t /*job*/, const XStr& /*line*/, bool /*error*/) {}
    virtual void allDone() {}
};

// Boolean settings of the panel ("vMCSkipedFinish", "dVMCShowInfoLog").
class VMCProgressSettings {
public:
    virtual ~VMCProgressSettings() = default;
    virtual bool getBool(const XStr& name, bool defaultValue) = 0;
    virtual void setBool(const XStr& name, bool value) = 0;
};

class VMCProgressDialog : public VMCStatusHost,
                          public std::enable_shared_from_this<VMCProgressDialog> {
public:
    // Runs one job to its end on a job thread; the FFmpeg run unless a test replaces it.
    using JobRunner = std::function<void(const VMCProcessArg&)>;
    // Sends the after-conversion request (1 shut down, 2 sleep, 3 log out, 4 restart).
    using SystemAction = std::function<void(int action)>;

    static std::shared_ptr<VMCProgressDialog> createWithSpec(
        std::shared_ptr<VAConversionSpec> spec, std::weak_ptr<VMCProgressHost> host,
        std::shared_ptr<VMCProgressSettings> settings = nullptr);
    // Stops every job and waits for its thread.
    ~VMCProgressDialog() override;

    void setView(VMCProgressView* view) { mView = view; }
    void setJobRunner(JobRunner runner) { mJobRunner = std::move(runner); }
    void setSystemAction(SystemAction action) { mSystemAction = std::move(action); }
    void setClock(std::function<uint32_t()> clock) { mClock = std::move(clock); }
    void setNumThreads(uint32_t threads);

    // Starts converting, once.
    void oneTimeInit();

    // Status reports, on the main thread.
    void onStatusAction(const XStr& status, uint32_t arg) override;
    void onLengthMS(int64_t lengthMS, uint32_t arg) override;
    void onFPS(double fps, uint32_t arg) override;
    void onStatusPercentDone(int32_t percent, uint32_t arg) override;
    void onStatusInfoLine(const XStr& line, uint32_t arg) override;
    void onStatusErrorLine(const XStr& line, uint32_t arg) override;
    void conversionCompleteOn(uint32_t slotIndex);

    // User operations.
    void onCoreCount(uint32_t count);
    void onPause();
    void onCancel();
    void onAfterRippingOption(int option) { optAfterConversion = option; }
    void onShowConversionLog();
    // The host removes the panel: every job stops.
    void panelWillClose();
    bool panelIsWorking() const { return !mAllDone; }

    // Recomputes every label; the panel has no timer of its own, so a view that shows a
    // running clock calls this on its own tick.
    void updateLabels();

    // What the panel shows.
    struct MenuItem {
        XStr title;
        uint32_t tag = 0;
        bool checked = false;
    };
    std::vector<MenuItem> encoderMenu() const;
    const std::vector<VMCCPU>& cpus() const { return mScheduler->cpus(); }
    double getRatioDone() const { return mEstimate.ratioDone(cpus()); }
    uint32_t getPercentDone() const { return mEstimate.percentDone(cpus()); }
    // The elapsed time the labels count: without the time spent paused.
    uint32_t elapsedMs() const { return mEstimate.elapsedMs(now()); }
    const XStr& labelProgressMain() const { return mLabelMain; }
    const XStr& labelProgressElapsed() const { return mLabelElapsed; }
    const XStr& labelProgressLeft() const { return mLabelLeft; }
    const XStr& labelProgressSpeed() const { return mLabelSpeed; }
    XStr buttonPauseTitle() const { return mUserPause ? XStr("Resume") : XStr("Pause"); }
    XStr buttonCancelTitle() const { return mAllDone ? XStr("Finish") : XStr("Cancel"); }
    bool buttonPauseEnabled() const { return !mAllDone; }
    XStr windowTitle(const XStr& title) const;
    bool isAllDone() const { return mAllDone; }
    bool isPaused() const { return mUserPause; }
    bool canShowConversionLog() const { return mCanShowConversionLog; }
    // Jobs whose threads have not ended yet.
    uint32_t runningJobs() const { return mScheduler->runningThreads(); }
    const VMCJobLogs::Log& logErrors() const { return mLogs.errors(); }
    const VMCJobLogs::Log& logInfos() const { return mLogs.infos(); }
    const VAConversionSpec& conversionSpec() const { return *mConversionSpec; }
    const std::shared_ptr<VMCProcessEvents>& events() const { return mEvents; }

    uint32_t optNumCPUs = 0;
    int optAfterConversion = 0;
    bool optShowErrorLog = true;
    bool optShowInfoLog = false;
    bool skipFinished() const { return mSkipFinished; }
    void setSkipFinished(bool on);
    void setOptShowInfoLog(bool on);

    static constexpr const char* kSettingSkipFinished = "vMCSkipedFinish";
    static constexpr const char* kSettingShowInfoLog = "dVMCShowInfoLog";

    VMCProgressDialog(std::shared_ptr<VAConversionSpec> spec, std::weak_ptr<VMCProgressHost> host,
                      std::shared_ptr<VMCProgressSettings> settings);

private:
    void beginConversion();
    void assignIdleCores();
    // Runs on the job's thread.
    void convertMain(uint32_t slotIndex, uint32_t job);
    void finalize();
    void onAllDone();
    void showLogForInfos(bool infos, bool errors);
    XStr encoderName() const;
    uint32_t now() const { return mClock(); }

    std::shared_ptr<VAConversionSpec> mConversionSpec;
    std::unique_ptr<VMCBatch> mBatch;
    std::weak_ptr<VMCProgressHost> mHost;
    std::shared_ptr<VMCProgressSettings> mSettings;
    std::shared_ptr<VMCProcessEvents> mEvents;
    VMCProgressEstimate mEstimate;
    VMCJobLogs mLogs;
    bool mAllDone = false;
    bool mUserPause = false;
    bool mOneTimeInit = false;
    bool mFinalizing = false;
    bool mSkipFinished = false;
    bool mCanShowConversionLog = false;
    std::unique_ptr<VMCPreventSleep> mPreventSleep;
    XStr mLabelMain;
    XStr mLabelElapsed;
    XStr mLabelLeft;
    XStr mLabelSpeed;
    VMCProgressView* mView = nullptr;
    JobRunner mJobRunner;
    SystemAction mSystemAction;
    std::function<uint32_t()> mClock;
    // Last, so that it goes first: its threads use everything above.
    std::unique_ptr<VMCScheduler> mScheduler;
};
