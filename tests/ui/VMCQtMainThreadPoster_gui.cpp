#include "VMCQtMainThreadPoster.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <thread>
#include <vector>

// Work posted from other threads runs on the main thread, in the order each thread posted.
TEST(VMCQtMainThreadPoster, RunsPostedWorkOnTheMainThreadInOrder) {
    VMCQtMainThreadPoster poster(qApp);
    constexpr int kEach = 200;
    std::vector<int> first;
    std::vector<int> second;
    int done = 0;
    bool offMain = false;
    QEventLoop loop;
    auto postAll = [&](std::vector<int>& into) {
        for (int i = 0; i < kEach; ++i) {
            poster.post([&, i] {
                offMain = offMain || QThread::currentThread() != qApp->thread();
                into.push_back(i);
                if (++done == 2 * kEach) {
                    loop.quit();
                }
            });
        }
    };
    std::thread a(postAll, std::ref(first));
    std::thread b(postAll, std::ref(second));
    a.join();
    b.join();
    EXPECT_TRUE(first.empty()) << "nothing runs before the main loop does";
    loop.exec();
    EXPECT_FALSE(offMain);
    std::vector<int> expected(kEach);
    for (int i = 0; i < kEach; ++i) {
        expected[static_cast<std::size_t>(i)] = i;
    }
    EXPECT_EQ(first, expected);
    EXPECT_EQ(second, expected);
}
