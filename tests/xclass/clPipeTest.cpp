#include "clPipe.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "ProcessTestSupport.h"
#include "XSys.h"

TEST(clPipe, BothEndsCloseOnExecAndBlockUnlessMadeNonBlocking) {
    for (const bool nonBlocking : {false, true}) {
        auto pipe = nonBlocking ? clPipe::newPipeNonBlocking() : clPipe::newPipe();
        ASSERT_TRUE(pipe);
        for (int fd : {pipe->fdRead(), pipe->fdWrite()}) {
            EXPECT_EQ(fcntl(fd, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
            EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, nonBlocking ? O_NONBLOCK : 0) << nonBlocking;
        }
    }
    auto pipe = clPipe::newPipeNonBlocking();
    ASSERT_TRUE(pipe);
    char byte;
    EXPECT_EQ(read(pipe->fdRead(), &byte, 1), -1);
    EXPECT_EQ(errno, EAGAIN);
}

TEST(clPipe, CanReadNowFollowsContent) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    EXPECT_FALSE(pipe->canReadNow());
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "x"));
    EXPECT_TRUE(pipe->canReadNow());
    char byte;
    ASSERT_EQ(read(pipe->fdRead(), &byte, 1), 1);
    EXPECT_FALSE(pipe->canReadNow());
    // Closed ends are never ready.
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "x"));
    pipe->close();
    EXPECT_EQ(pipe->fdRead(), -1);
    EXPECT_EQ(pipe->fdWrite(), -1);
    EXPECT_FALSE(pipe->canReadNow());
    EXPECT_FALSE(pipe->canWriteNow());
}

TEST(clPipe, CanWriteNowIsFalseWhenFullAndFalseWhenReaderGone) {
    auto pipe = clPipe::newPipeNonBlocking();
    ASSERT_TRUE(pipe);
    EXPECT_TRUE(pipe->canWriteNow());
    const std::string block(4096, 'x');
    while (write(pipe->fdWrite(), block.data(), block.size()) > 0) {
    }
    ASSERT_EQ(errno, EAGAIN);
    EXPECT_FALSE(pipe->canWriteNow());
    char buffer[65536];
    while (read(pipe->fdRead(), buffer, sizeof buffer) > 0) {
    }
    EXPECT_TRUE(pipe->canWriteNow());
    // Without a reader the write end is in error: writing would fail, not succeed.
    pipe->closeRead();
    EXPECT_FALSE(pipe->canWriteNow());
}

TEST(clPipe, DetachHandsOverOwnership) {
    const int before = openFDCount();
    std::unique_ptr<clFD> readEnd;
    {
        auto pipe = clPipe::newPipe();
        ASSERT_TRUE(pipe);
        const int r = pipe->fdRead();
        readEnd = pipe->detachRead();
        ASSERT_TRUE(readEnd);
        EXPECT_EQ(readEnd->fd(), r);
        EXPECT_EQ(pipe->fdRead(), -1);
        EXPECT_EQ(pipe->detachRead(), nullptr);
        ASSERT_TRUE(writeAll(pipe->fdWrite(), "kept"));
    }
    // The pipe closed its write end; the detached read end lives on.
    EXPECT_EQ(openFDCount(), before + 1);
    EXPECT_EQ(readAll(readEnd->fd()), "kept");
    readEnd.reset();
    EXPECT_EQ(openFDCount(), before);
}

TEST(clPipe, FailedPipeYieldsNothingWithErrno) {
    XSysOverride seam;
    seam.calls().pipe = [](int*) {
        errno = EMFILE;
        return -1;
    };
    const int before = openFDCount();
    errno = 0;
    EXPECT_EQ(clPipe::newPipe(), nullptr);
    EXPECT_EQ(errno, EMFILE);
    EXPECT_EQ(clPipe::newPipeNonBlocking(), nullptr);
    EXPECT_EQ(openFDCount(), before);
}
