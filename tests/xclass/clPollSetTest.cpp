#include "clPollSet.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "ProcessTestSupport.h"
#include "XClock.h"
#include "clPipe.h"

TEST(clPollSet, KeepsOnlyTheReadyDescriptors) {
    auto quiet = clPipe::newPipe();
    auto busy = clPipe::newPipe();
    ASSERT_TRUE(quiet && busy);
    ASSERT_TRUE(writeAll(busy->fdWrite(), "x"));
    clPollSet set;
    set.addRead(quiet->fdRead());
    set.addRead(busy->fdRead());
    set.addWrite(quiet->fdWrite());
    EXPECT_EQ(set.wait(0), 2);
    EXPECT_EQ(set.readSet(), std::set<int>{busy->fdRead()});
    EXPECT_EQ(set.writeSet(), std::set<int>{quiet->fdWrite()});
    EXPECT_TRUE(set.errorSet().empty());
}

TEST(clPollSet, DescriptorInTwoSetsCountsOnce) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "x"));
    clPollSet set;
    set.addRead(pipe->fdRead());
    set.addError(pipe->fdRead());
    EXPECT_EQ(set.wait(0), 1);
    EXPECT_TRUE(set.isRead(pipe->fdRead()));
    EXPECT_FALSE(set.isError(pipe->fdRead()));
}

TEST(clPollSet, ErrorSetReportsWriteEndWithoutReader) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    pipe->closeRead();
    clPollSet set;
    set.addError(pipe->fdWrite());
    EXPECT_EQ(set.wait(0), 1);
    EXPECT_TRUE(set.isError(pipe->fdWrite()));
}

TEST(clPollSet, HungUpPipeCountsAsReadable) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    pipe->closeWrite();
    clPollSet set;
    set.addRead(pipe->fdRead());
    EXPECT_EQ(set.wait(1000), 1);
    EXPECT_TRUE(set.isRead(pipe->fdRead()));
}

TEST(clPollSet, TimeoutEmptiesTheSets) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    clPollSet set;
    set.addRead(pipe->fdRead());
    const uint32_t start = XClock::nowMs();
    EXPECT_EQ(set.wait(100), 0);
    EXPECT_GE(XClock::elapsedMs(start), 95u);
    EXPECT_TRUE(set.readSet().empty());
}

TEST(clPollSet, WaitsWithoutLimitUntilReady) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    const int writeFD = pipe->fdWrite();
    std::thread writer([writeFD] {
        XClock::sleepMs(50);
        writeAll(writeFD, "x");
    });
    clPollSet set;
    set.addRead(pipe->fdRead());
    EXPECT_EQ(set.wait(-1), 1);
    EXPECT_TRUE(set.isRead(pipe->fdRead()));
    writer.join();
}
