#include "VMCProgressDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "TestSupport.h"
#include "XRunLoop.h"

namespace {

// Jobs wait until the test lets them finish, so slots can be watched while busy.
class GatedRunner {
public:
    void operator()(const VMCProcessArg& arg) {
        std::unique_lock<std::mutex> lock(mMutex);
        mStarted.insert(arg.urlTo);
        mChanged.notify_all();
        mChanged.wait(lock, [&] { return mReleased.count(arg.urlTo) != 0 || mAll; });
    }
    void release(const XStr& urlTo) {
        std::lock_guard<std::mutex> lock(mMutex);
        mReleased.insert(urlTo);
        mChanged.notify_all();
    }
    void releaseAll() {
        std::lock_guard<std::mutex> lock(mMutex);
        mAll = true;
        mChanged.notify_all();
    }
    std::size_t started() {
        std::lock_guard<std::mutex> lock(mMutex);
        return mStarted.size();
    }
    std::set<XStr> startedSet() {
        std::lock_guard<std::mutex> lock(mMutex);
        return mStarted;
    }

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::set<XStr> mStarted;
    std::set<XStr> mReleased;
    bool mAll = false;
};

class RecordingHost : public VMCProgressHost {
public:
    void conversionAllDone() override { ++allDone; }
    void showStatusLog(const VMCStatusLogContext& context) override {
        ++logsShown;
        lastErrors = context.errors.size();
        lastInfos = context.infos.size();
    }
    int allDone = 0;
    int logsShown = 0;
    std::size_t lastErrors = 0;
    std::size_t lastInfos = 0;
};

class CountingView : public VMCProgressView {
public:
    void jobFinished(uint32_t, bool) override { ++finished; }
    std::size_t finished = 0;
};

class MemorySettings : public VMCProgressSettings {
public:
    bool getBool(const XStr& name, bool dflt) override {
        auto it = values.find(name);
        return it == values.end() ? dflt : it->second;
    }
    void setBool(const XStr& name, bool value) override { values[name] = value; }
    std::map<XStr, bool> values;
};

class Scheduler : public ::testing::Test {
protected:
    void SetUp() override { XMainThread::setPoster(mLoop); }
    void TearDown() override {
        mRunner->releaseAll();
        if (mDialog) {
            mLoop->runUntil([&] { return mDialog->runningJobs() == 0; }, 2000);
        }
        XMainThread::setPoster(nullptr);
    }

    std::shared_ptr<VAConversionSpec> specOf(std::vector<uint64_t> sizes,
                                             std::vector<VADSPSpec> chain = {}) {
        auto spec = std::make_shared<VAConversionSpec>();
        spec->Encoder = VAEncoderDesc::makeVideoCodec("MP4 (H264)", ".mp4");
        spec->dspEffects = std::move(chain);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            VAConversionEntry entry;
            entry.convertFrom = VAConvertSource::withURL(XStr::format("/in/clip%zu.mov", i));
            entry.urlTo = XStr::format("/out/clip%zu.mp4", i);
            entry.sourceSizeBytes = sizes[i];
            spec->entries.push_back(entry);
        }
        return spec;
    }
    std::shared_ptr<VMCProgressDialog> start(std::shared_ptr<VAConversionSpec> spec,
                                             uint32_t threads) {
        mDialog = VMCProgressDialog::createWithSpec(spec, mHost, mSettings);
        mDialog->setNumThreads(threads);
        mDialog->setJobRunner([runner = mRunner](const VMCProcessArg& arg) { (*runner)(arg); });
        mDialog->setSystemAction([this](int action) { mActions.push_back(action); });
        mDialog->setClock([this] { return mNow; });
        mDialog->setView(&mView);
        mDialog->oneTimeInit();
        return mDialog;
    }
    uint32_t busySlots() const {
        uint32_t n = 0;
        for (const VMCCPU& slot : mDialog->cpus()) {
            n += slot.isBusy() ? 1 : 0;
        }
        return n;
    }
    // Lets one job end and waits until the scheduler has heard of it.
    void finishJob(std::size_t job) {
        const std::size_t done = mView.finished + 1;
        mRunner->release(XStr::format("/out/clip%zu.mp4", job));
        ASSERT_TRUE(mLoop->runUntil([&] { return mView.finished >= done; }, 2000));
    }

    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    std::shared_ptr<GatedRunner> mRunner = std::make_shared<GatedRunner>();
    std::shared_ptr<RecordingHost> mHost = std::make_shared<RecordingHost>();
    std::shared_ptr<MemorySettings> mSettings = std::make_shared<MemorySettings>();
    std::shared_ptr<VMCProgressDialog> mDialog;
    CountingView mView;
    std::vector<int> mActions;
    uint32_t mNow = 1000;
};

}  // namespace

TEST_F(Scheduler, ForcedEncoderCountIsLimitedByTheEntries) {
    auto dialog = start(specOf({1, 1}, {{"Multi-CPU Force", "-vantaro_thread_count=\"4\""}}), 8);
    EXPECT_EQ(dialog->cpus().size(), 2u);
    const auto menu = dialog->encoderMenu();
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].title, XStr("Using 1 Encoder"));
    EXPECT_EQ(menu[1].title, XStr("Using 2 Encoders"));
    EXPECT_FALSE(menu[0].checked);
    EXPECT_TRUE(menu[1].checked);
    EXPECT_EQ(dialog->cpus()[1].indexOfThisCPUString(), XStr("Encoder 2"));
}

TEST_F(Scheduler, ProgressIsWeightedBySize) {
    auto dialog = start(specOf({100'000'000, 300'000'000}), 1);
    finishJob(0);
    dialog->onStatusPercentDone(50, 1);
    EXPECT_EQ(dialog->getPercentDone(), 63u);  // 0.625 rounded
    EXPECT_DOUBLE_EQ(dialog->getRatioDone(), 0.625);
}

TEST_F(Scheduler, TimeLeftAndSpeedLabels) {
    auto dialog = start(specOf({100}), 1);
    dialog->onLengthMS(200'000, 0);
    mNow += 90'000;
    dialog->onFPS(29.97, 0);
    dialog->onStatusPercentDone(25, 0);
    EXPECT_EQ(dialog->labelProgressElapsed(), XStr("1 minute 30 seconds elapsed"));
    EXPECT_EQ(dialog->labelProgressLeft(), XStr("4 minutes 30 seconds left"));
    // 50 s of media in 90 s.
    EXPECT_EQ(dialog->labelProgressSpeed(), XStr("0.6x encoding speed, 30 FPS"));
    EXPECT_EQ(dialog->labelProgressMain(), XStr("Converting 1 file to MP4 (H264)"));
}

TEST_F(Scheduler, MainLabelCountsFiles) {
    auto dialog = start(specOf({10, 10, 10}), 3);
    EXPECT_EQ(dialog->labelProgressMain(), XStr("Converting 1 out of 3 files to MP4 (H264)"));
    finishJob(1);
    EXPECT_EQ(dialog->labelProgressMain(), XStr("Converting 2 out of 3 files to MP4 (H264)"));
    EXPECT_EQ(dialog->cpus()[1].status, XStr("Idle."));
    EXPECT_EQ(dialog->cpus()[1].percentDone, 100u);
}

TEST_F(Scheduler, SlotsNameWhatTheyDo) {
    auto spec = specOf({10, 10, 10});
    spec->entries[1].urlTo = "/out/x.IGNORE";
    spec->entries[2].justCopy = true;
    auto dialog = start(spec, 3);
    EXPECT_EQ(dialog->cpus()[0].status, XStr("Encoding 'clip0'"));
    EXPECT_EQ(dialog->cpus()[1].status, XStr("Encoding 'clip1'"));  // the source's name
    EXPECT_EQ(dialog->cpus()[2].status, XStr("Copying 'clip2'"));
}

TEST_F(Scheduler, LoweringTheCountLetsRunningJobsFinishAndRaisingItStartsMore) {
    auto dialog = start(specOf({1, 1, 1, 1, 1, 1}), 3);
    ASSERT_TRUE(mLoop->runUntil([&] { return mRunner->started() == 3; }, 2000));
    dialog->onCoreCount(1);
    EXPECT_EQ(busySlots(), 3u) << "nothing is stopped";
    finishJob(0);
    finishJob(1);
    EXPECT_EQ(busySlots(), 1u);
    finishJob(2);
    EXPECT_EQ(busySlots(), 1u) << "one at a time now";
    dialog->onCoreCount(3);
    EXPECT_EQ(busySlots(), 3u) << "two more start at once";
    EXPECT_TRUE(dialog->encoderMenu()[2].checked);
}

TEST_F(Scheduler, TheEncodersOfOneSourceTakeTurnsUnlessTheyMayRunAtOnce) {
    struct Case {
        bool multiCPU;
        std::set<XStr> first;
        std::set<XStr> afterFirstEnds;
    };
    // Two sources, each for two encoders; a plain entry of the first source runs as it comes.
    const Case cases[] = {
        {true,
         {"/out/clip0.mp4", "/out/clip1.mp4", "/out/clip2.mp4", "/out/clip3.mp4"},
         {"/out/clip0.mp4", "/out/clip1.mp4", "/out/clip2.mp4", "/out/clip3.mp4",
          "/out/clip4.mp4"}},
        {false,
         {"/out/clip0.mp4", "/out/clip2.mp4", "/out/clip4.mp4"},
         {"/out/clip0.mp4", "/out/clip1.mp4", "/out/clip2.mp4", "/out/clip4.mp4"}},
    };
    for (const Case& c : cases) {
        mRunner = std::make_shared<GatedRunner>();
        mView.finished = 0;
        auto spec = specOf({1, 1, 1, 1, 1});
        spec->multiCPU = c.multiCPU;
        const char* const sources[] = {"/in/a.mov", "/in/a.mov", "/in/b.mov", "/in/b.mov",
                                       "/in/a.mov"};
        for (std::size_t i = 0; i < spec->entries.size(); ++i) {
            spec->entries[i].convertFrom = VAConvertSource::withURL(sources[i]);
            if (i < 4) {
                spec->entries[i].multiEncData = std::make_shared<VMCMultiEncEntry>();
            }
        }
        start(spec, 4);
        ASSERT_TRUE(mLoop->runUntil([&] { return mRunner->started() == c.first.size(); }, 2000));
        EXPECT_EQ(mRunner->startedSet(), c.first) << c.multiCPU;
        finishJob(0);
        ASSERT_TRUE(
            mLoop->runUntil([&] { return mRunner->started() == c.afterFirstEnds.size(); }, 2000));
        EXPECT_EQ(mRunner->startedSet(), c.afterFirstEnds) << c.multiCPU;
        mRunner->releaseAll();
        ASSERT_TRUE(mLoop->runUntil([&] { return mDialog->isAllDone(); }, 2000));
        EXPECT_EQ(mView.finished, 5u);
        mDialog.reset();
    }
}

TEST_F(Scheduler, PauseHoldsNewJobsAndStopsTheClock) {
    auto dialog = start(specOf({1, 1}), 1);
    mNow += 10'000;
    dialog->onPause();
    EXPECT_TRUE(dialog->events()->isPaused());
    EXPECT_EQ(dialog->buttonPauseTitle(), XStr("Resume"));
    finishJob(0);
    EXPECT_EQ(busySlots(), 0u) << "no new job while paused";
    mNow += 50'000;
    EXPECT_EQ(dialog->elapsedMs(), 10'000u);
    dialog->onPause();
    EXPECT_FALSE(dialog->events()->isPaused());
    EXPECT_EQ(busySlots(), 1u);
    mNow += 5'000;
    EXPECT_EQ(dialog->elapsedMs(), 15'000u);
}

TEST_F(Scheduler, ErrorsMarkTheEntryAndAreShownAtTheEnd) {
    auto spec = specOf({1, 1});
    auto dialog = start(spec, 2);
    dialog->onStatusErrorLine("Unknown encoder", 1);
    dialog->onStatusInfoLine("ffmpeg ...", 0);
    finishJob(0);
    finishJob(1);
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 2000));
    EXPECT_TRUE(spec->entries[1].hadErrors);
    EXPECT_FALSE(spec->entries[0].hadErrors);
    EXPECT_EQ(mHost->logsShown, 1);
    EXPECT_EQ(mHost->lastErrors, 1u);
    EXPECT_EQ(mHost->lastInfos, 0u) << "the info log is off by default";
    EXPECT_TRUE(dialog->canShowConversionLog());
    EXPECT_EQ(dialog->labelProgressMain(), XStr("Converted 2 files to MP4 (H264)"));
    EXPECT_EQ(dialog->buttonCancelTitle(), XStr("Finish"));
    EXPECT_EQ(dialog->windowTitle("Vantaro"), XStr("[Finished] Vantaro"));
    EXPECT_TRUE(dialog->logErrors().at(1).fnTo == XStr("/out/clip1.mp4"));
}

TEST_F(Scheduler, CleanBatchWithSkipFinishedLeavesAtOnce) {
    mSettings->values[VMCProgressDialog::kSettingSkipFinished] = true;
    auto dialog = start(specOf({1}), 1);
    EXPECT_TRUE(dialog->skipFinished());
    finishJob(0);
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 2000));
    EXPECT_EQ(mHost->allDone, 1);
    EXPECT_EQ(mHost->logsShown, 0);
    dialog->setOptShowInfoLog(true);
    EXPECT_TRUE(mSettings->values[VMCProgressDialog::kSettingShowInfoLog]);
}

TEST_F(Scheduler, ShutDownAfterConversionShowsNothingMore) {
    auto dialog = start(specOf({1}), 1);
    dialog->onAfterRippingOption(1);
    dialog->onStatusErrorLine("bad", 0);
    finishJob(0);
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 2000));
    EXPECT_EQ(mActions, std::vector<int>{1});
    EXPECT_EQ(mHost->logsShown, 0);
}

TEST_F(Scheduler, EmptyConversionFinishesAtOnce) {
    auto dialog = start(specOf({}), 4);
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 2000));
    EXPECT_EQ(dialog->labelProgressMain(), XStr("Converted 0 files to MP4 (H264)"));
    EXPECT_EQ(dialog->getRatioDone(), 0.0);
    EXPECT_EQ(mHost->logsShown, 0);
}

TEST_F(Scheduler, CancelStopsHandingOutJobs) {
    auto dialog = start(specOf({1, 1, 1}), 1);
    ASSERT_TRUE(mLoop->runUntil([&] { return mRunner->started() == 1; }, 2000));
    dialog->onCancel();
    EXPECT_EQ(mHost->allDone, 1);
    dialog->panelWillClose();
    EXPECT_TRUE(dialog->events()->bEvtQuit);
    mRunner->releaseAll();
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->runningJobs() == 0; }, 2000));
    EXPECT_EQ(mRunner->started(), 1u);
    EXPECT_FALSE(dialog->isAllDone());
}

TEST_F(Scheduler, CopyJobsNeverReplaceAnExistingFile) {
    TestTempDir dir;
    writeTextFile(dir.file("a.bin"), "payload");
    writeTextFile(dir.file("exists.bin"), "keep");
    auto spec = specOf({7, 7});
    for (std::size_t i = 0; i < 2; ++i) {
        spec->entries[i].justCopy = true;
        spec->entries[i].convertFrom = VAConvertSource::withURL(dir.xfile("a.bin"));
    }
    spec->entries[0].urlTo = dir.xfile("copy.bin");
    spec->entries[1].urlTo = dir.xfile("exists.bin");
    auto dialog = start(spec, 2);
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 2000));
    EXPECT_EQ(readTextFile(dir.file("copy.bin")), "payload");
    EXPECT_EQ(readTextFile(dir.file("exists.bin")), "keep");
    EXPECT_FALSE(spec->entries[0].hadErrors);
    EXPECT_TRUE(spec->entries[1].hadErrors);
}

TEST_F(Scheduler, NothingToWeighFallsBackToCountingJobs) {
    auto dialog = start(specOf({0, 0}), 1);
    finishJob(0);
    EXPECT_EQ(dialog->getPercentDone(), 50u);
}

TEST_F(Scheduler, GoingAwayStopsEveryJobAndWaitsForItsThread) {
    std::atomic<int> started{0};
    std::atomic<int> returned{0};
    {
        auto dialog = VMCProgressDialog::createWithSpec(specOf({1, 1}), mHost, mSettings);
        dialog->setNumThreads(2);
        dialog->setJobRunner([&](const VMCProcessArg& arg) {
            ++started;
            while (!arg.events->bEvtQuit) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            ++returned;
        });
        dialog->oneTimeInit();
        for (int i = 0; i < 2000 && started < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(started, 2);
    }
    // Both threads were told to stop and joined before the panel was gone.
    EXPECT_EQ(returned, 2);
    // Their last reports find no panel and are dropped.
    mLoop->runPending();
}
