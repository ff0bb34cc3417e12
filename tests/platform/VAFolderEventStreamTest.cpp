// Folder events from inotify: batches, recursion, lost events and folders that go and come
// back. Every wait is for a condition, with a generous deadline.
#include "VAFolderEventStream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "TestSupport.h"
#include "XClock.h"

namespace {

constexpr uint32_t kDeadlineMs = 30000;

// Gathers the batches the stream's thread hands over.
class Batches {
public:
    VAFolderEventStream::Callback callback() {
        return [this](const VAFolderEventStream::Batch& batch) {
            const std::lock_guard<std::mutex> lock(mMutex);
            mBatches.push_back(batch);
            mChanged.notify_all();
        };
    }
    // Waits until the predicate holds for the batches so far.
    bool waitFor(const std::function<bool(const std::vector<VAFolderEventStream::Batch>&)>& ok) {
        std::unique_lock<std::mutex> lock(mMutex);
        return mChanged.wait_for(lock, std::chrono::milliseconds(kDeadlineMs),
                                 [&] { return ok(mBatches); });
    }
    std::vector<VAFolderEventStream::Batch> all() {
        const std::lock_guard<std::mutex> lock(mMutex);
        return mBatches;
    }
    void clear() {
        const std::lock_guard<std::mutex> lock(mMutex);
        mBatches.clear();
    }

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::vector<VAFolderEventStream::Batch> mBatches;
};

const VAFolderEventStream::Change* changeOf(const std::vector<VAFolderEventStream::Batch>& all,
                                            const std::string& path) {
    const VAFolderEventStream::Change* found = nullptr;
    for (const auto& batch : all) {
        for (const auto& change : batch.changes) {
            if (change.path == XStr(path)) {
                found = &change;
            }
        }
    }
    return found;
}

class FolderEvents : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("w").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("w/sub").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("w/sub/deeper").c_str(), 0755), 0);
    }
    std::unique_ptr<VAFolderEventStream> start(VAFolderEventStream::Options options) {
        auto stream = std::make_unique<VAFolderEventStream>(
            XStrList{mDir.xfile("w")}, std::move(options), mBatches.callback());
        EXPECT_TRUE(stream->start());
        return stream;
    }

    TestTempDir mDir;
    Batches mBatches;
};

TEST_F(FolderEvents, ChangesWithinTheLatencyComeAsOneBatchWithWhatTheirWritersDid) {
    VAFolderEventStream::Options options;
    options.latencyMs = 2000;
    auto stream = start(options);
    writeTextFile(mDir.file("w/closed.mp4"), "done");
    const int open = ::open(mDir.file("w/open.mp4").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(open, 0);
    ASSERT_EQ(write(open, "part", 4), 4);
    writeTextFile(mDir.file("w/sub/below.mp4"), "x");
    ASSERT_TRUE(mBatches.waitFor([](const auto& all) { return !all.empty(); }));
    const auto all = mBatches.all();
    ASSERT_EQ(all.size(), 1u) << "one batch for changes within the latency";
    const auto* closed = changeOf(all, mDir.file("w/closed.mp4"));
    const auto* writing = changeOf(all, mDir.file("w/open.mp4"));
    ASSERT_NE(closed, nullptr);
    ASSERT_NE(writing, nullptr);
    EXPECT_EQ(closed->writing, VAFolderEventStream::Writing::kClosed);
    EXPECT_EQ(writing->writing, VAFolderEventStream::Writing::kOpen);
    EXPECT_EQ(changeOf(all, mDir.file("w/sub/below.mp4")), nullptr)
        << "not recursive: only the folder's own items";
    close(open);
    ASSERT_TRUE(mBatches.waitFor([&](const auto& batches) {
        const auto* c = changeOf(batches, mDir.file("w/open.mp4"));
        return c != nullptr && c->writing == VAFolderEventStream::Writing::kClosed;
    }));
    std::filesystem::rename(mDir.file("w/closed.mp4"), mDir.file("gone.mp4"));
    ASSERT_TRUE(mBatches.waitFor([&](const auto& batches) {
        const auto* c = changeOf(batches, mDir.file("w/closed.mp4"));
        return c != nullptr && c->removed;
    }));
}

TEST_F(FolderEvents, RecursiveStreamsFollowFoldersMadeAfterTheStart) {
    VAFolderEventStream::Options options;
    options.recursive = true;
    options.latencyMs = 100;
    auto stream = start(options);
    writeTextFile(mDir.file("w/sub/deeper/two.mp4"), "x");
    ASSERT_TRUE(mBatches.waitFor(
        [&](const auto& all) { return changeOf(all, mDir.file("w/sub/deeper/two.mp4")); }));
    // A folder moved in with a file in it, then a file made inside it afterwards.
    ASSERT_EQ(mkdir(mDir.file("made").c_str(), 0755), 0);
    writeTextFile(mDir.file("made/early.mp4"), "x");
    std::filesystem::rename(mDir.file("made"), mDir.file("w/made"));
    ASSERT_TRUE(mBatches.waitFor(
        [&](const auto& all) { return changeOf(all, mDir.file("w/made/early.mp4")); }));
    writeTextFile(mDir.file("w/made/late.mp4"), "x");
    ASSERT_TRUE(mBatches.waitFor(
        [&](const auto& all) { return changeOf(all, mDir.file("w/made/late.mp4")); }));
}

TEST_F(FolderEvents, AnOverflowingQueueIsReportedAsLostEvents) {
    std::atomic<bool> holding{false};
    std::atomic<bool> release{false};
    VAFolderEventStream::Options options;
    options.latencyMs = 100;
    // The reader is held at its first read, as on a machine too busy to keep up.
    options.beforeRead = [&] {
        if (!release) {
            holding = true;
            const uint32_t start = XClock::nowMs();
            while (!release && XClock::elapsedMs(start) < kDeadlineMs) {
                XClock::sleepMs(5);
            }
        }
    };
    auto stream = start(options);
    writeTextFile(mDir.file("w/go.mp4"), "x");
    const uint32_t start = XClock::nowMs();
    while (!holding && XClock::elapsedMs(start) < kDeadlineMs) {
        XClock::sleepMs(5);
    }
    ASSERT_TRUE(holding);
    long limit = 16384;
    std::ifstream("/proc/sys/fs/inotify/max_queued_events") >> limit;
    // Writes to two files in turn: events the kernel cannot fold into one another.
    const int a = ::open(mDir.file("w/a.mp4").c_str(), O_WRONLY | O_CREAT, 0644);
    const int b = ::open(mDir.file("w/b.mp4").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    for (long i = 0; i < limit / 2 + 100; ++i) {
        ASSERT_EQ(write(a, "x", 1), 1);
        ASSERT_EQ(write(b, "x", 1), 1);
    }
    close(a);
    close(b);
    release = true;
    ASSERT_TRUE(mBatches.waitFor([](const auto& all) {
        return std::any_of(all.begin(), all.end(),
                           [](const auto& batch) { return batch.overflow; });
    }));
}

TEST_F(FolderEvents, AFolderThatGoesAwayIsReportedAndWatchedAgainWhenItIsBack) {
    VAFolderEventStream::Options options;
    options.latencyMs = 100;
    options.missingPollMs = 50;
    options.recursive = true;
    auto stream = start(options);
    std::filesystem::remove_all(mDir.file("w"));
    ASSERT_TRUE(mBatches.waitFor([](const auto& all) {
        return std::any_of(all.begin(), all.end(),
                           [](const auto& b) { return !b.vanished.empty(); });
    }));
    ASSERT_EQ(mkdir(mDir.file("w").c_str(), 0755), 0);
    ASSERT_TRUE(mBatches.waitFor([](const auto& all) {
        return std::any_of(all.begin(), all.end(),
                           [](const auto& b) { return !b.reappeared.empty(); });
    }));
    ASSERT_EQ(mkdir(mDir.file("w/new").c_str(), 0755), 0);
    writeTextFile(mDir.file("w/new/back.mp4"), "x");
    ASSERT_TRUE(mBatches.waitFor(
        [&](const auto& all) { return changeOf(all, mDir.file("w/new/back.mp4")); }));
    EXPECT_EQ(stream->problem(), "");
}

}  // namespace
