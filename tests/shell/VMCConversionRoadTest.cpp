// The road of a converter window from Convert to the end: the check of the destinations,
// the sheet for outputs that exist, the progress panel, the status log and the way back.
// The window is a recorder; the jobs are scripted (the desktop tests run FFmpeg itself).
#include "VMCConversionRoad.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCCheckingPanel.h"
#include "VMCLauncher.h"
#include "VMCMultiEncConfig.h"
#include "VMCPanelHost.h"
#include "VMCProgressPanel.h"
#include "VMCStatusLogPanel.h"
#include "XRegistry.h"
#include "XRunLoop.h"

namespace {

struct RecordingView : VMCPanelHostView {
    std::vector<std::shared_ptr<VMCPanel>> shown;
    XStr title;
    int closes = 0;

    void showPanel(const std::shared_ptr<VMCPanel>& panel) override { shown.push_back(panel); }
    void setWindowTitle(const XStr& t) override { title = t; }
    void setWindowSize(VMCPanelSize, VMCPanelSize, bool) override {}
    void closeWindow() override { ++closes; }
    void runOpenFileDialog() override {}
    void showSourcesError(const XStr&) override {}
};

// The jobs as the scheduler hands them out: each is recorded, may say an error line, and
// may hold until the conversion is stopped.
class ScriptedJobs {
public:
    VMCProgressDialog::JobRunner runner() {
        return [this](const VMCProcessArg& arg) {
            {
                std::lock_guard<std::mutex> lock(mMutex);
                mStarted.push_back(arg.urlTo);
                mOverwrite.push_back(arg.overwriteExisting);
            }
            if (failing == arg.urlTo) {
                arg.callback->onErrorLine("Invalid data found when processing input");
            }
            if (holdUntilStopped) {
                // Bounded, so that a fault fails the test instead of hanging it.
                for (int i = 0; i < 3000 && !arg.events->bEvtQuit; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
                stoppedWhileHeld = arg.events->bEvtQuit.load();
            }
        };
    }
    // In the order of the destinations: jobs on several slots start in any order.
    XStrList started() {
        std::lock_guard<std::mutex> lock(mMutex);
        XStrList sorted = mStarted;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
    // Each started job's destination, marked "(overwrite)" when it may replace a file.
    XStrList startedWithOverwrite() {
        std::lock_guard<std::mutex> lock(mMutex);
        XStrList out;
        for (std::size_t i = 0; i < mStarted.size(); ++i) {
            out.push_back(mStarted[i] + (mOverwrite[i] ? " (overwrite)" : ""));
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mMutex);
        mStarted.clear();
        mOverwrite.clear();
    }

    XStr failing;
    bool holdUntilStopped = false;
    std::atomic<bool> stoppedWhileHeld{false};

private:
    std::mutex mMutex;
    XStrList mStarted;
    std::vector<bool> mOverwrite;
};

class ConversionRoad : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        XMainThread::setPoster(mLoop);
        ASSERT_EQ(mkdir(mDir.file("out").c_str(), 0755), 0);
        for (const char* name : {"a", "b", "c"}) {
            TestClip clip;
            clip.seconds = 0.4;
            clip.size = "64x48";
            ASSERT_TRUE(makeTestClip(mDir.file(std::string(name) + ".mov"), clip));
        }
        host->setView(&view);
        host->conversionRoad().setJobRunner(jobs.runner());
    }
    void TearDown() override {
        host->setView(nullptr);
        host.reset();
        XMainThread::setPoster(nullptr);
    }

    // The setup panel as the window shows it before Convert: the sources taken, "MP4
    // (H264)" chosen, every output into the folder "out".
    std::shared_ptr<VMCPanel> setUp(const std::vector<std::string>& names) {
        std::vector<VAConvertSource::Item> sources;
        for (const std::string& name : names) {
            sources.emplace_back(mDir.xfile(name + ".mov"));
        }
        host->preConvertFrom(sources, host->rootPanel());
        VMCConfig& config = *host->sharedConfig();
        config.setActiveProfileName("MP4 (H264)");
        config.activeProfile()->setFileNaming(VMCFileNaming::namingSingleFolder(mDir.xfile("out")));
        config.activeProfile()->setDspString("");
        return host->currentPanel();
    }
    template <typename Panel>
    std::shared_ptr<Panel> waitFor() {
        mLoop->runUntil(
            [&] { return std::dynamic_pointer_cast<Panel>(host->currentPanel()) != nullptr; },
            60000);
        return std::dynamic_pointer_cast<Panel>(host->currentPanel());
    }
    std::shared_ptr<VMCProgressPanel> waitUntilConverted() {
        auto progress = waitFor<VMCProgressPanel>();
        if (progress) {
            EXPECT_TRUE(mLoop->runUntil([&] { return progress->dialog()->isAllDone(); }, 60000));
        }
        return progress;
    }
    // The sheet of the checking panel, once the check has found outputs that exist.
    std::shared_ptr<VMCFileAlreadyExistsDialog> waitForSheet() {
        const auto checking = std::dynamic_pointer_cast<VMCCheckingPanel>(host->currentPanel());
        if (!checking) {
            ADD_FAILURE() << "the checking panel is not shown";
            return nullptr;
        }
        mLoop->runUntil(
            [&] { return checking->sheet() != nullptr || host->currentPanel() != checking; },
            60000);
        return checking->sheet();
    }
    static XStrList destinations(const VAConversionSpec& spec) {
        XStrList out;
        for (const VAConversionEntry& entry : spec.entries) {
            out.push_back(entry.urlTo);
        }
        return out;
    }
    XStr out(const char* name) const { return mDir.xfile(std::string("out/") + name); }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mHome{"HOME", mDir.path().c_str()};
    ScopedEnv mConfigHome{"XDG_CONFIG_HOME", mDir.file("config").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    RecordingView view;
    ScriptedJobs jobs;
    std::unique_ptr<VMCPanelHost> host = VMCPanelHost::newLauncher();
};

}  // namespace

// With no output there yet the check leads straight to the progress panel, whose conversion
// holds the checked sources in order with the profile's encoder, arguments and effects.
TEST_F(ConversionRoad, WithoutCollisionsTheCheckedSourcesConvertAtOnce) {
    setUp({"a", "b", "c"});
    host->entries()[1].checked = false;
    host->sharedConfig()->activeProfile()->setDspEffects({VADSPSpec{"Flip", "-vf hflip"}});
    const VMCProfile profile = *host->sharedConfig()->activeProfile();
    host->preConvertDone();
    ASSERT_NE(std::dynamic_pointer_cast<VMCCheckingPanel>(host->currentPanel()), nullptr)
        << "the check shows while it runs";

    const auto progress = waitUntilConverted();
    ASSERT_NE(progress, nullptr);
    const VAConversionSpec& spec = progress->dialog()->conversionSpec();
    EXPECT_EQ(destinations(spec), (XStrList{out("a.mp4"), out("c.mp4")}));
    ASSERT_TRUE(spec.Encoder.has_value());
    EXPECT_EQ(spec.Encoder->name, "MP4 (H264)");
    EXPECT_EQ(spec.EncoderArgsV2.strArgs, profile.encoderArgsV2().strArgs);
    EXPECT_EQ(spec.dspEffects, profile.dspEffects());
    ASSERT_EQ(spec.dspEffects.size(), 1u);
    ASSERT_EQ(spec.entries.size(), 2u);
    EXPECT_EQ(spec.entries[0].convertFrom->urlForConversion, mDir.xfile("a.mov"));
    EXPECT_EQ(spec.entries[0].sourceSizeBytes,
              static_cast<uint64_t>(readTextFile(mDir.file("a.mov")).size()));
    EXPECT_EQ(jobs.startedWithOverwrite(), (XStrList{out("a.mp4"), out("c.mp4")}));

    // A clean batch keeps its finished panel, marked in the title, until the user leaves.
    EXPECT_EQ(host->currentPanel(), progress);
    EXPECT_EQ(view.title, "[Finished] Video Converter");
    EXPECT_EQ(progress->convertedCount(), 2u);
    EXPECT_EQ(progress->failedCount(), 0u);
}

// With the multi encoder every source is converted once per encoder, each output with its
// encoder's entry, as the command line plans them.
TEST_F(ConversionRoad, TheMultiEncoderConvertsEachSourceOncePerEncoder) {
    setUp({"a"});
    VMCConfig& config = *host->sharedConfig();
    VMCMultiEncConfig multi;
    for (const char* name : {"MP4 (H264)", "Matroska (VP9)"}) {
        const VAEncoderDesc* encoder = VAEncoderDesc::findEncoder(config.encoders(), name);
        ASSERT_NE(encoder, nullptr) << name;
        VMCMultiEncEntry entry = VMCMultiEncConfig::newEntry(*encoder);
        *entry.fileNaming = VMCFileNaming::namingSingleFolder(mDir.xfile("out"));
        VMCMultiEncConfig::tellNaming(entry);
        multi.entries().push_back(entry.copy());
    }
    config.setActiveProfileName("[Multi Encoder]");
    VAEncoderArgs args;
    args.strArgs = multi.toString();
    config.activeProfile()->setEncoderArgsV2(args);
    host->preConvertDone();

    const auto progress = waitUntilConverted();
    ASSERT_NE(progress, nullptr);
    const VAConversionSpec& spec = progress->dialog()->conversionSpec();
    EXPECT_EQ(destinations(spec), (XStrList{out("a.mp4"), out("a.mkv")}));
    ASSERT_EQ(spec.entries.size(), 2u);
    ASSERT_NE(spec.entries[1].multiEncData, nullptr);
    EXPECT_EQ(spec.entries[1].multiEncData->encoder.name, "Matroska (VP9)");
    EXPECT_EQ(jobs.started(), (XStrList{out("a.mkv"), out("a.mp4")}));
}

// The sheet's answers: "No to all" converts only the others, Overwrite converts over the
// old file, Cancel (and "No to all" when nothing is left) returns to the setup panel.
TEST_F(ConversionRoad, TheSheetDecidesWhatIsConverted) {
    enum class Answer { kNoToAll, kOverwrite, kCancel };
    struct Row {
        Answer answer;
        std::vector<const char*> existing;
        // The jobs started, "(overwrite)" where a job may replace a file.
        std::vector<const char*> converted;
    };
    const Row rows[] = {
        {Answer::kNoToAll, {"a.mp4"}, {"b.mp4"}},
        {Answer::kOverwrite, {"a.mp4"}, {"a.mp4 (overwrite)", "b.mp4"}},
        {Answer::kCancel, {"b.mp4"}, {}},
        {Answer::kNoToAll, {"a.mp4", "b.mp4"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(row.answer) << " " << row.existing.size());
        host->returnToRoot();
        for (const char* name : row.existing) {
            writeTextFile(mDir.file(std::string("out/") + name), "the user's own file");
        }
        const auto setupPanel = setUp({"a", "b"});
        jobs.clear();
        host->preConvertDone();
        const auto sheet = waitForSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_EQ(sheet->count(), row.existing.size());
        switch (row.answer) {
            case Answer::kNoToAll:
                sheet->onButtonNoToAll();
                break;
            case Answer::kOverwrite:
                sheet->onButtonOverwrite();
                break;
            case Answer::kCancel:
                sheet->onButtonCancel();
                break;
        }
        if (row.converted.empty()) {
            mLoop->runUntil([&] { return host->currentPanel() == setupPanel; }, 60000);
            EXPECT_EQ(host->currentPanel(), setupPanel) << "back where Convert was pressed";
        } else {
            const auto progress = waitUntilConverted();
            ASSERT_NE(progress, nullptr);
            XStrList expected;
            for (const char* name : row.converted) {
                expected.push_back(out(name));
            }
            EXPECT_EQ(jobs.startedWithOverwrite(), expected);
            EXPECT_EQ(destinations(progress->dialog()->conversionSpec()).size(), expected.size());
        }
        if (row.converted.empty()) {
            EXPECT_TRUE(jobs.started().empty());
        }
        for (const char* name : row.existing) {
            EXPECT_EQ(readTextFile(mDir.file(std::string("out/") + name)), "the user's own file");
            std::remove(mDir.file(std::string("out/") + name).c_str());
        }
    }
}

// Cancelled while a source is probed for its name, the check stops the probe, leads back
// and converts nothing.
TEST_F(ConversionRoad, ACancelledCheckReturnsToTheSetup) {
    std::atomic<int> probing{0};
    std::atomic<bool> stoppedByRequest{false};
    host->conversionRoad().setCheckProber([&](const XStr& /*path*/, int stopFD) {
        ++probing;
        pollfd fd{stopFD, POLLIN, 0};
        stoppedByRequest = poll(&fd, 1, 60000) == 1;
        return std::make_shared<VAMediaFileInfo>();
    });
    const auto setupPanel = setUp({"a", "b"});
    VMCFileNaming naming = VMCFileNaming::namingPreservePath(mDir.xfile("out"));
    naming.setDynamicFormat("[title]");
    host->sharedConfig()->activeProfile()->setFileNaming(naming);
    // Before the media information of the sources has reached the window.
    host->preConvertDone();
    const auto checking = std::dynamic_pointer_cast<VMCCheckingPanel>(host->currentPanel());
    ASSERT_NE(checking, nullptr);
    ASSERT_TRUE(mLoop->runUntil([&] { return probing > 0; }, 60000));
    EXPECT_EQ(checking->statusText(), "Checking the output files (1 of 2)...");
    EXPECT_EQ(checking->percentDone(), 0);

    checking->onCancel();
    EXPECT_EQ(host->currentPanel(), setupPanel);
    EXPECT_TRUE(mLoop->runUntil([&] { return stoppedByRequest.load(); }, 60000));
    mLoop->runUntil([] { return false; }, 300);
    EXPECT_EQ(host->currentPanel(), setupPanel);
    EXPECT_EQ(probing, 1);
    EXPECT_TRUE(jobs.started().empty());
}

// Finish (or Cancel) at the end of a road: back to the launcher, or a window opened for
// files from outside closes.
TEST_F(ConversionRoad, TheEndOfAConversionLeadsBackOrCloses) {
    for (const bool suppress : {false, true}) {
        SCOPED_TRACE(suppress);
        host->suppressReturnToLauncher = suppress;
        setUp({"a"});
        std::remove(out("a.mp4").utf8().c_str());
        host->preConvertDone();
        const auto progress = waitUntilConverted();
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(progress->dialog()->buttonCancelTitle(), "Finish");
        const int closes = view.closes;
        progress->dialog()->onCancel();
        if (suppress) {
            EXPECT_EQ(view.closes, closes + 1);
        } else {
            EXPECT_EQ(host->currentPanel(), host->rootPanel());
            EXPECT_EQ(view.closes, closes);
        }
    }
}

// A job with an error line ends in the status log; "reconvert failed" sets up the failed
// source again, and OK leaves the log for the launcher.
TEST_F(ConversionRoad, ErrorsShowTheLogWhichSetsUpTheFailedFilesAgain) {
    jobs.failing = out("b.mp4");
    setUp({"a", "b"});
    host->preConvertDone();
    const auto log = waitFor<VMCStatusLogPanel>();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(view.title, "Conversion Errors & Status Information");
    const std::vector<VMCStatusLogDialog::Row> rows =
        log->dialog().rows(VMCStatusLogDialog::Tab::kErrors);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "Error converting to MP4 (H264), 'b.mov' to '" + out("b.mp4") + "'");
    EXPECT_EQ(rows[1].text, "Invalid data found when processing input");
    EXPECT_TRUE(log->dialog().reconvertButtonVisible());

    log->dialog().onReConvert();
    ASSERT_EQ(host->sources().size(), 1u);
    EXPECT_EQ(host->sources()[0]->urlForConversion, mDir.xfile("b.mov"));
    EXPECT_NE(host->currentPanel(), log) << "the setup of the failed file shows";
    host->cancelPreConvert();
    EXPECT_EQ(host->currentPanel(), log) << "cancelling the setup shows the log again";

    log->dialog().onOK();
    EXPECT_EQ(host->currentPanel(), host->rootPanel());
}

// A window closed in the middle of a conversion stops its jobs and starts no other.
TEST_F(ConversionRoad, ClosingTheWindowStopsTheConversion) {
    jobs.holdUntilStopped = true;
    setUp({"a", "b", "c"});
    host->preConvertDone();
    const auto progress = waitFor<VMCProgressPanel>();
    ASSERT_NE(progress, nullptr);
    const std::size_t slots = progress->dialog()->cpus().size();
    ASSERT_TRUE(mLoop->runUntil([&] { return jobs.started().size() == slots; }, 60000));
    host->windowWillClose();
    ASSERT_TRUE(mLoop->runUntil([&] { return progress->dialog()->runningJobs() == 0; }, 60000));
    EXPECT_TRUE(jobs.stoppedWhileHeld);
    mLoop->runPending();
    EXPECT_EQ(jobs.started().size(), slots) << "no job starts after the window closed";
    EXPECT_FALSE(progress->dialog()->isAllDone());
}
