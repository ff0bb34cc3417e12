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
    // A descriptor in two sets counts once.
    clPollSet twice;
    twice.addRead(busy->fdRead());
    twice.addError(busy->fdRead());
    EXPECT_EQ(twice.wait(0), 1);
    EXPECT_TRUE(twice.isRead(busy->fdRead()));
    EXPECT_FALSE(twice.isError(busy->fdRead()));
}

TEST(clPollSet, AHungUpPipeIsReadableAndAWriteEndWithoutReaderInError) {
    auto toRead = clPipe::newPipe();
    auto toWrite = clPipe::newPipe();
    ASSERT_TRUE(toRead && toWrite);
    toRead->closeWrite();
    toWrite->closeRead();
    clPollSet set;
    set.addRead(toRead->fdRead());
    set.addError(toWrite->fdWrite());
    EXPECT_EQ(set.wait(1000), 2);
    EXPECT_TRUE(set.isRead(toRead->fdRead()));
    EXPECT_TRUE(set.isError(toWrite->fdWrite()));
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
