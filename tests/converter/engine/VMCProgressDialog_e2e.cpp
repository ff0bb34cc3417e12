// Whole conversions on several slots with the real FFmpeg.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCProgressDialog.h"
#include "VMCRunningChildren.h"
#include "XRunLoop.h"

namespace {

class Watcher : public VMCProgressView {
public:
    explicit Watcher(VMCProgressDialog*& dialog) : mDialog(dialog) {}
    void labelsUpdated() override {
        if (mDialog != nullptr) {
            percents.push_back(mDialog->getPercentDone());
        }
    }
    void jobStarted(uint32_t, const VMCCPU&) override {
        uint32_t busy = 0;
        for (const VMCCPU& slot : mDialog->cpus()) {
            busy += slot.isBusy() ? 1 : 0;
        }
        maxBusy = std::max(maxBusy, busy);
    }
    void jobFinished(uint32_t job, bool failed) override {
        finished.push_back(job);
        if (failed) {
            failedJobs.push_back(job);
        }
    }
    std::vector<uint32_t> percents;
    std::vector<uint32_t> finished;
    std::vector<uint32_t> failedJobs;
    uint32_t maxBusy = 0;

private:
    VMCProgressDialog*& mDialog;
};

class SchedulerE2E : public ::testing::Test {
protected:
    void SetUp() override {
        mkdir(mDir.file("out").c_str(), 0755);
        mkdir(mDir.file("tmp").c_str(), 0755);
        XMainThread::setPoster(mLoop);
        // Lengths as the media probe will give them.
        VAConvertSource::setLengthProber([](const XStr& path, int) {
            const double seconds = probeDuration(path.utf8());
            return seconds > 0 ? static_cast<int64_t>(std::lround(seconds * 1000)) : 0;
        });
    }
    void TearDown() override {
        VAConvertSource::setLengthProber(nullptr);
        XMainThread::setPoster(nullptr);
    }

    std::shared_ptr<VAConversionSpec> specFor(const std::vector<std::string>& sources,
                                              const XStr& args) {
        auto spec = std::make_shared<VAConversionSpec>();
        spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
        spec->EncoderArgsV2.strArgs = args;
        for (const std::string& source : sources) {
            VAConversionEntry entry;
            entry.convertFrom = VAConvertSource::withURL(XStr(source));
            const std::string name = source.substr(source.rfind('/') + 1);
            entry.urlTo = mDir.xfile("out/" + name.substr(0, name.rfind('.')) + ".mp4");
            struct stat st {};
            stat(source.c_str(), &st);
            entry.sourceSizeBytes = static_cast<uint64_t>(st.st_size);
            spec->entries.push_back(entry);
        }
        return spec;
    }

    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("appdata").c_str()};
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
};

char processState(pid_t pid) {
    const std::string stat = readTextFile("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? '?' : stat[close + 2];
}

}  // namespace

TEST_F(SchedulerE2E, SixFilesOnTwoSlotsOneBroken) {
    std::vector<std::string> sources;
    const char* sizes[] = {"160x120", "640x360", "320x240", "480x270", "800x450"};
    for (int i = 0; i < 5; ++i) {
        TestClip clip;
        clip.size = sizes[i];
        sources.push_back(mDir.file("clip" + std::to_string(i) + ".mp4"));
        ASSERT_TRUE(makeTestClip(sources.back(), clip));
    }
    writeTextFile(mDir.file("broken.mp4"), "this is not a video");
    sources.insert(sources.begin() + 2, mDir.file("broken.mp4"));

    auto spec = specFor(sources, "-c:v libx264 -preset ultrafast -c:a aac");
    auto dialog = VMCProgressDialog::createWithSpec(spec, {});
    VMCProgressDialog* raw = dialog.get();
    Watcher watcher(raw);
    dialog->setView(&watcher);
    dialog->setNumThreads(2);
    dialog->oneTimeInit();
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 60000));

    EXPECT_EQ(watcher.maxBusy, 2u);
    EXPECT_EQ(watcher.finished.size(), 6u);
    EXPECT_EQ(watcher.failedJobs, std::vector<uint32_t>{2});
    for (std::size_t i = 0; i < spec->entries.size(); ++i) {
        if (i == 2) {
            EXPECT_TRUE(spec->entries[i].hadErrors);
            EXPECT_FALSE(dialog->logErrors().at(2).entries.empty());
        } else {
            EXPECT_FALSE(spec->entries[i].hadErrors) << i;
            EXPECT_EQ(probeValue(spec->entries[i].urlTo.utf8(), "v:0", "codec_name"), "h264");
        }
    }
    ASSERT_FALSE(watcher.percents.empty());
    EXPECT_EQ(watcher.percents.back(), 100u);
    EXPECT_EQ(dialog->getPercentDone(), 100u);
    // Weighted by size: some value strictly between the per-file steps of a count.
    bool between = false;
    for (uint32_t p : watcher.percents) {
        between = between || (p > 0 && p < 100 && p % 17 != 0);
    }
    EXPECT_TRUE(between);
    EXPECT_EQ(VMCRunningChildren::count(), 0u);
}

// Changing the encoder count is the scheduler's own business, seen in its unit tests; a pause
// must reach the FFmpeg processes themselves.
TEST_F(SchedulerE2E, PauseSuspendsAndResumeContinuesFFmpeg) {
    std::vector<std::string> sources;
    for (int i = 0; i < 2; ++i) {
        TestClip clip;
        clip.seconds = 6;
        clip.size = "640x360";
        sources.push_back(mDir.file("long" + std::to_string(i) + ".mp4"));
        ASSERT_TRUE(makeTestClip(sources.back(), clip));
    }
    // Slow enough to be watched while it works.
    auto spec = specFor(sources, "-c:v libx264 -preset slow -c:a aac");
    auto dialog = VMCProgressDialog::createWithSpec(spec, {});
    dialog->setNumThreads(2);
    dialog->oneTimeInit();
    ASSERT_TRUE(mLoop->runUntil([&] { return VMCRunningChildren::count() == 2; }, 10000));

    dialog->onPause();
    auto allInState = [](bool stopped) {
        for (pid_t pid : VMCRunningChildren::pids()) {
            if ((processState(pid) == 'T') != stopped) {
                return false;
            }
        }
        return true;
    };
    ASSERT_TRUE(mLoop->runUntil([&] { return allInState(true); }, 2000));
    EXPECT_EQ(VMCRunningChildren::count(), 2u);
    dialog->onPause();
    ASSERT_TRUE(mLoop->runUntil([&] { return allInState(false); }, 2000));
    ASSERT_TRUE(mLoop->runUntil([&] { return dialog->isAllDone(); }, 60000));
    for (const VAConversionEntry& e : spec->entries) {
        EXPECT_FALSE(e.hadErrors);
        EXPECT_TRUE(fileExists(e.urlTo.utf8()));
    }
}
