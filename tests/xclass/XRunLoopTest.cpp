#include "XRunLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(XRunLoop, ClosuresFromEachThreadRunInPostingOrderOnTheLoopThread) {
    XRunLoop loop;
    std::vector<int> seen[2];
    std::atomic<int> finished{0};
    const auto loopThread = std::this_thread::get_id();
    bool allOnLoop = true;
    std::vector<std::thread> posters;
    for (int t = 0; t < 2; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                loop.post([&, t, i] {
                    seen[t].push_back(i);
                    allOnLoop = allOnLoop && std::this_thread::get_id() == loopThread;
                });
            }
            loop.post([&] { ++finished; });
        });
    }
    EXPECT_TRUE(loop.runUntil([&] { return finished == 2; }, 5000));
    for (auto& p : posters) {
        p.join();
    }
    EXPECT_TRUE(allOnLoop);
    for (const auto& list : seen) {
        ASSERT_EQ(list.size(), 500u);
        for (int i = 0; i < 500; ++i) {
            ASSERT_EQ(list[i], i);
        }
    }
}

TEST(XRunLoop, QuitFromAClosureEndsRunAndAnEarlyQuitIsNotLost) {
    XRunLoop loop;
    int ran = 0;
    loop.post([&] { ++ran; });
    loop.post([&] { loop.quit(); });
    loop.run();
    EXPECT_EQ(ran, 1);
    loop.quit();
    loop.run();  // returns at once
    EXPECT_FALSE(loop.runUntil([] { return false; }, 50)) << "runUntil gives up at the deadline";
}

TEST(XMainThread, PostWithoutAPosterDropsTheWork) {
    XMainThread::setPoster(nullptr);
    int dropped = 0;
    int ran = 0;
    XMainThread::post([&] { ++dropped; });
    auto loop = std::make_shared<XRunLoop>();
    XMainThread::setPoster(loop);
    XMainThread::post([&] { ++ran; });
    loop->runPending();
    XMainThread::setPoster(nullptr);
    EXPECT_EQ(dropped, 0) << "neither run at once nor kept for a later poster";
    EXPECT_EQ(ran, 1);
}
