// Folder change notifications on the main thread: what counts, coalescing, and restarts.
#include "VMCFileChangeNotify.h"

#include <gtest/gtest.h>

#include <atomic>

#include "BatchTestSupport.h"
#include "XClock.h"

namespace {

struct Client : VMCFileChangeNotifyClient {
    int notified = 0;
    void onFileChangeEventFrom(VMCFileChangeNotify&) override { ++notified; }
};

// The run loop, counting what is posted to it.
struct CountingPoster : XMainThreadPoster {
    std::shared_ptr<XRunLoop> loop;
    std::atomic<int> posts{0};
    void post(std::function<void()> work) override {
        ++posts;
        loop->post(std::move(work));
    }
};

class ChangeNotify : public BatchTest {
protected:
    void SetUp() override {
        folder("w");
        folder("w/sub");
        folder("w/sub/deep");
        folder("x");
        mPoster->loop = mLoop;
        XMainThread::setPoster(mPoster);
    }
    std::shared_ptr<VMCFileChangeNotify> watch(bool recursive) {
        auto notifier = VMCFileChangeNotify::create();
        notifier->setLatency(1.0);
        notifier->setRecursive(recursive);
        notifier->setNotifyClient(mClient);
        notifier->setWatchedFolder(xpath("w"));
        EXPECT_TRUE(notifier->watching());
        return notifier;
    }
    bool waitForPosts(int count) {
        const uint32_t start = XClock::nowMs();
        while (mPoster->posts < count) {
            if (XClock::elapsedMs(start) > 30000) {
                return false;
            }
            XClock::sleepMs(5);
        }
        return true;
    }

    std::shared_ptr<CountingPoster> mPoster = std::make_shared<CountingPoster>();
    std::shared_ptr<Client> mClient = std::make_shared<Client>();
};

TEST_F(ChangeNotify, ChangesInTheFolderNotifyOnceAndDeeperOnesOnlyWhenRecursive) {
    struct Case {
        bool recursive;
        const char* folder;
        int notifications;
    };
    const std::vector<Case> cases = {
        {false, "w", 1},
        {false, "w/sub/deep", 0},
        {true, "w/sub/deep", 1},
    };
    int n = 0;
    for (const Case& c : cases) {
        auto notifier = watch(c.recursive);
        // A recursive watcher of the same folder tells when the change has been seen.
        auto control = std::make_shared<Client>();
        auto seen = VMCFileChangeNotify::create();
        seen->setLatency(1.0);
        seen->setRecursive(true);
        seen->setNotifyClient(control);
        seen->setWatchedFolder(xpath("w"));
        mClient->notified = 0;
        for (int i = 0; i < 3; ++i) {
            file(std::string(c.folder) + "/f" + std::to_string(++n) + ".mp4");
        }
        ASSERT_TRUE(mLoop->runUntil(
            [&] { return control->notified > 0 && mClient->notified >= c.notifications; }, 30000))
            << c.folder;
        mLoop->runPending();
        EXPECT_EQ(mClient->notified, c.notifications)
            << c.folder << (c.recursive ? " (recursive)" : "")
            << ": changes within the latency notify once";
        notifier->setWatchedFolder(std::nullopt);
        EXPECT_FALSE(notifier->watching());
    }
}

TEST_F(ChangeNotify, NotificationsRaisedBeforeARestartAreDropped) {
    auto notifier = watch(false);
    file("w/a.mp4");
    ASSERT_TRUE(waitForPosts(1));
    notifier->setWatchedFolder(xpath("x"));
    mLoop->runPending();
    EXPECT_EQ(mClient->notified, 0);
    file("x/b.mp4");
    ASSERT_TRUE(waitForPosts(2));
    mLoop->runPending();
    EXPECT_EQ(mClient->notified, 1);
    notifier->dispose();
    file("x/c.mp4");
    mLoop->runPending();
    EXPECT_EQ(mClient->notified, 1);
}

TEST_F(ChangeNotify, WhatCountsWithoutRecursion) {
    auto notifier = VMCFileChangeNotify::create();
    notifier->setWatchedFolders({"/m/w/"});
    EXPECT_EQ(notifier->watchedFolder(), XStr("/m/w"));
    EXPECT_FALSE(notifier->watching()) << "no client, no watching";
    const auto batchOf = [](std::initializer_list<const char*> paths) {
        VAFolderEventStream::Batch batch;
        for (const char* p : paths) {
            VAFolderEventStream::Change change;
            change.path = p;
            batch.changes.push_back(change);
        }
        return batch;
    };
    EXPECT_TRUE(notifier->batchCounts(batchOf({"/m/w"})));
    EXPECT_TRUE(notifier->batchCounts(batchOf({"/m/x/y", "/m/w/a.mp4"})));
    EXPECT_FALSE(notifier->batchCounts(batchOf({"/m/w/sub/a.mp4"})));
    VAFolderEventStream::Batch lost;
    lost.overflow = true;
    EXPECT_TRUE(notifier->batchCounts(lost));
    notifier->setRecursive(true);
    EXPECT_TRUE(notifier->batchCounts(batchOf({"/m/w/sub/a.mp4"})));
}

}  // namespace
