// The live display: what it shows, how it redraws in place, and how often.
#include "VCliTerminalPrinter.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <sstream>

#include "XMainThread.h"
#include "XRunLoop.h"

namespace {

// Jobs stay busy until the test lets them end.
class Gate {
public:
    void operator()(const VMCProcessArg& arg) {
        std::unique_lock<std::mutex> lock(mMutex);
        mChanged.wait(lock, [&] { return mAll || mReleased.count(arg.urlTo) != 0; });
    }
    void release(const XStr& to) {
        std::lock_guard<std::mutex> lock(mMutex);
        mReleased.insert(to);
        mChanged.notify_all();
    }
    void releaseAll() {
        std::lock_guard<std::mutex> lock(mMutex);
        mAll = true;
        mChanged.notify_all();
    }

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::set<XStr> mReleased;
    bool mAll = false;
};

class NoHost : public VMCProgressHost {
public:
    void conversionAllDone() override {}
    void showStatusLog(const VMCStatusLogContext&) override {}
};

class TerminalDisplay : public ::testing::Test {
protected:
    // The names of the two jobs' files.
    virtual std::vector<XStr> names() const { return {"a", "b"}; }

    void SetUp() override {
        XMainThread::setPoster(mLoop);
        auto spec = std::make_shared<VAConversionSpec>();
        spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
        for (const XStr& name : names()) {
            VAConversionEntry entry;
            entry.convertFrom = VAConvertSource::withURL(XStr("/in/") + name + ".mov");
            entry.urlTo = XStr("/out/") + name + ".mp4";
            entry.sourceSizeBytes = 1000;
            spec->entries.push_back(entry);
        }
        mDialog = VMCProgressDialog::createWithSpec(spec, mHost, nullptr);
        mDialog->setNumThreads(2);
        mDialog->setJobRunner([this](const VMCProcessArg& arg) {
            if (arg.urlTo.contains(U'!')) {
                arg.callback->onErrorLine("[in#0] " + arg.srcFrom->urlForConversion +
                                          ": Invalid data\x1b[2J");
                arg.callback->onErrorLine("a second line");
            }
            mGate(arg);
        });
        mDialog->setClock([this] { return mDialogNow; });
        mPrinter.setDialog(mDialog.get());
        mPrinter.setClock([this] { return mNow; });
        mDialog->setView(&mPrinter);
    }
    void TearDown() override {
        mGate.releaseAll();
        mLoop->runUntil([this] { return mDialog->isAllDone(); }, 5000);
        mDialog->setView(nullptr);
        XMainThread::setPoster(nullptr);
    }
    std::string take() {
        std::string s = mOut.str();
        mOut.str("");
        return s;
    }

    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    std::shared_ptr<NoHost> mHost = std::make_shared<NoHost>();
    std::shared_ptr<VMCProgressDialog> mDialog;
    Gate mGate;
    std::ostringstream mOut;
    unsigned mColumns = 120;
    VCliTerminalPrinter mPrinter{mOut, [this] { return mColumns; }};
    uint32_t mNow = 10000;
    uint32_t mDialogNow = 0;
};

}  // namespace

TEST(VCliTerminalBar, FilledInProportionAndCapped) {
    EXPECT_EQ(VCliTerminalPrinter::bar(0, 10), "[..........]   0%");
    EXPECT_EQ(VCliTerminalPrinter::bar(55, 10), "[#####.....]  55%");
    EXPECT_EQ(VCliTerminalPrinter::bar(100, 4), "[####] 100%");
    EXPECT_EQ(VCliTerminalPrinter::bar(180, 4), "[####] 100%");
}

TEST_F(TerminalDisplay, ShowsLabelsBarAndOneLinePerBusySlotRedrawnAtMostTenTimesASecond) {
    mDialog->oneTimeInit();
    EXPECT_EQ(take(),
              "Converting 1 out of 2 files to [Custom FFmpeg settings]\n"
              "[..............................]   0%\n"
              "0 seconds elapsed\n"
              "  Encoder 1: Encoding 'a'  0%\n"
              "  Encoder 2: Encoding 'b'  0%\n");
    mDialogNow = 2000;
    mDialog->onStatusPercentDone(50, 0);
    EXPECT_EQ(take(), "") << "too soon after the last frame";
    mNow += VCliTerminalPrinter::kMinRedrawMs;
    mDialog->updateLabels();
    EXPECT_EQ(take(),
              "\r\x1b[5A\x1b[J"
              "Converting 1 out of 2 files to [Custom FFmpeg settings]\n"
              "[#######.......................]  25%\n"
              "2 seconds elapsed, 6 seconds left\n"
              "  Encoder 1: Encoding 'a'  50%\n"
              "  Encoder 2: Encoding 'b'  0%\n");
}

TEST_F(TerminalDisplay, FinishedJobLeavesALineAboveTheDisplay) {
    mDialog->oneTimeInit();
    take();
    mGate.release("/out/a.mp4");
    ASSERT_TRUE(mLoop->runUntil([this] { return !mDialog->cpus()[0].isBusy(); }, 5000));
    const std::string out = take();
    // The display is cleared away, the line printed, and the display drawn again below it.
    const std::string done = "\r\x1b[5A\x1b[JDone: /out/a.mp4\n";
    ASSERT_NE(out.find(done), std::string::npos) << out;
    const std::string after = out.substr(out.find(done) + done.size());
    EXPECT_EQ(after.rfind("Converting 2 out of 2 files to [Custom FFmpeg settings]\n"
                          "[###############...............]  50%\n",
                          0),
              0u)
        << after;
    EXPECT_NE(after.find("  Encoder 2: Encoding 'b'  0%\n"), std::string::npos);
    EXPECT_EQ(after.find("Encoder 1"), std::string::npos) << "an idle slot has no line";
}

TEST_F(TerminalDisplay, LongLinesAreCutToTheTerminalWidth) {
    mColumns = 30;
    mDialog->oneTimeInit();
    const std::string out = take();
    EXPECT_EQ(out.rfind("Converting 1 out of 2 file...\n", 0), 0u) << out;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        EXPECT_LT(line.size(), 30u) << line;
    }
}

namespace {

// Names that would clear the screen and break the display's lines if shown raw.
class TerminalDisplayOfNastyNames : public TerminalDisplay {
protected:
    std::vector<XStr> names() const override { return {"a\x1b[2J", "b\n!"}; }
};

}  // namespace

TEST_F(TerminalDisplayOfNastyNames, ControlCharactersAreShownEscaped) {
    mDialog->oneTimeInit();
    EXPECT_EQ(take(),
              "Converting 1 out of 2 files to [Custom FFmpeg settings]\n"
              "[..............................]   0%\n"
              "0 seconds elapsed\n"
              "  Encoder 1: Encoding 'a\\033[2J'  0%\n"
              "  Encoder 2: Encoding 'b\\n!'  0%\n");
    // A failure is told at once, with its first error line.
    mGate.release("/out/b\n!.mp4");
    ASSERT_TRUE(mLoop->runUntil([this] { return !mDialog->cpus()[1].isBusy(); }, 5000));
    const std::string out = take();
    EXPECT_EQ(out.rfind("\r\x1b[5A\x1b[JFailed: /in/b\\n!.mov: [in#0] /in/b\\n!.mov: Invalid "
                        "data\\033[2J\n",
                        0),
              0u)
        << out;
}

TEST_F(TerminalDisplay, TheLastFrameSaysWhatWasConvertedAndWhatFailed) {
    mDialog->oneTimeInit();
    mGate.releaseAll();
    ASSERT_TRUE(mLoop->runUntil([this] { return mDialog->isAllDone(); }, 5000));
    take();
    VCliSummary summary;
    summary.jobs = 2;
    summary.succeeded = 1;
    summary.failed = 1;
    summary.encoderName = "[Custom FFmpeg settings]";
    mPrinter.finish(summary);
    const std::string out = take();
    EXPECT_NE(out.find("\x1b[J"
                       "Converted 1 file to [Custom FFmpeg settings]; 1 file failed\n"
                       "[##############################] 100%\n"),
              std::string::npos)
        << out;
}

TEST(VCliSummary, CountsWhatSucceededAndSaysWhatFailed) {
    struct Row {
        uint32_t jobs, succeeded, failed, skipped;
        bool cancelled, copies;
        const char* text;
    };
    const Row rows[] = {
        {3, 3, 0, 0, false, false, "Converted 3 files to X"},
        {1, 1, 0, 0, false, false, "Converted 1 file to X"},
        {3, 2, 1, 0, false, false, "Converted 2 files to X; 1 file failed"},
        {2, 0, 2, 0, false, false, "Converted 0 files to X; 2 files failed"},
        {3, 1, 0, 0, true, false, "Stopped: converted 1 of 3 files to X"},
        {1, 0, 1, 0, true, false, "Stopped: converted 0 of 1 file to X; 1 file failed"},
        {2, 2, 0, 0, false, true, "Copied 2 files"},
        {2, 1, 1, 0, false, true, "Copied 1 file; 1 file failed"},
        {2, 2, 0, 1, false, false, "Converted 2 files to X; 1 file skipped"},
        {2, 1, 1, 3, false, false, "Converted 1 file to X; 1 file failed; 3 files skipped"},
        {0, 0, 0, 2, false, false, "Converted 0 files to X; 2 files skipped"},
    };
    for (const Row& row : rows) {
        VCliSummary s;
        s.jobs = row.jobs;
        s.succeeded = row.succeeded;
        s.failed = row.failed;
        s.skipped = row.skipped;
        s.cancelled = row.cancelled;
        s.copies = row.copies;
        s.encoderName = "X";
        EXPECT_EQ(s.text(), XStr(row.text));
    }
}
