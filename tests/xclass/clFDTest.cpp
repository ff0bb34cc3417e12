#include "clFD.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ProcessTestSupport.h"
#include "clPipe.h"

namespace {

bool isOpenFD(int fd) {
    return fcntl(fd, F_GETFD) >= 0;
}

}  // namespace

TEST(clFD, ClosesOnDestructionButNotAfterDetach) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    const int r = pipe->detachReadFD();
    const int w = pipe->detachWriteFD();
    {
        clFD owned(r);
        EXPECT_EQ(owned.fd(), r);
    }
    EXPECT_FALSE(isOpenFD(r));
    {
        clFD owned(w);
        EXPECT_EQ(owned.detach(), w);
        EXPECT_EQ(owned.fd(), -1);
    }
    EXPECT_TRUE(isOpenFD(w));
    close(w);
    // Closing twice and an empty object are harmless.
    clFD empty;
    EXPECT_FALSE(empty.isOpen());
    EXPECT_EQ(empty.flags(), -1);
    EXPECT_FALSE(empty.setNonBlocking(true));
    EXPECT_EQ(empty.duplicate(), nullptr);
    auto other = clPipe::newPipe();
    ASSERT_TRUE(other);
    clFD owned(other->detachReadFD());
    owned.close();
    owned.close();
    EXPECT_EQ(owned.fd(), -1);
}

TEST(clFD, DuplicateSharesThePipeAndOutlivesTheOriginal) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    std::unique_ptr<clFD> copy = clFD::withDupOfFD(pipe->fdWrite());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->fd(), pipe->fdWrite());
    pipe->closeWrite();
    ASSERT_TRUE(writeAll(copy->fd(), "via copy"));
    copy.reset();
    EXPECT_EQ(readAll(pipe->fdRead()), "via copy");
    // Duplicates are close-on-exec even when the original is not.
    clFD plain(dup(pipe->fdRead()));  // dup itself drops the flag
    ASSERT_FALSE(plain.closeOnExec());
    copy = plain.duplicate();
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->closeOnExec());
    // A bad descriptor yields nothing.
    EXPECT_EQ(clFD::withDupOfFD(-1), nullptr);
    const int stale = pipe->fdRead();
    pipe->closeRead();
    EXPECT_EQ(clFD::withDupOfFD(stale), nullptr);
}

TEST(clFD, CloseOnExecFlag) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    clFD fd(pipe->detachReadFD());
    EXPECT_TRUE(fd.closeOnExec());
    EXPECT_EQ(fd.flags() & FD_CLOEXEC, FD_CLOEXEC);
    ASSERT_TRUE(fd.setCloseOnExec(false));
    EXPECT_FALSE(fd.closeOnExec());
    EXPECT_EQ(fcntl(fd.fd(), F_GETFD) & FD_CLOEXEC, 0);
    ASSERT_TRUE(fd.setFlags(FD_CLOEXEC));
    EXPECT_TRUE(fd.closeOnExec());
}

TEST(clFD, NonBlockingFlagLeavesOtherStatusFlags) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    clFD fd(pipe->detachWriteFD());
    const int before = fd.statusFlags();
    ASSERT_GE(before, 0);
    EXPECT_FALSE(fd.nonBlocking());
    ASSERT_TRUE(fd.setNonBlocking(true));
    EXPECT_TRUE(fd.nonBlocking());
    EXPECT_EQ(fcntl(fd.fd(), F_GETFL), before | O_NONBLOCK);
    ASSERT_TRUE(fd.setNonBlocking(false));
    EXPECT_EQ(fd.statusFlags(), before);
    // Descriptor flags are a different word: setting status flags keeps close-on-exec.
    EXPECT_TRUE(fd.closeOnExec());
}

TEST(clFD, MovesOffStandardStreamNumbers) {
    // Run where standard input is closed, so a new descriptor lands on 0.
    const int result = runInChild([] {
        close(0);
        clFD fd(open("/dev/null", O_RDONLY));
        if (fd.fd() != 0) {
            return 10;
        }
        if (!fd.moveAboveStdStreams() || fd.fd() <= 2) {
            return 11;
        }
        if (fcntl(0, F_GETFD) != -1) {
            return 12;  // the low number was not given back
        }
        return fd.closeOnExec() ? 0 : 13;
    });
    EXPECT_EQ(result, 0);
}
