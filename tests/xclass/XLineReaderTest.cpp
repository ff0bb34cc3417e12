#include "XLineReader.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "ProcessTestSupport.h"
#include "XSys.h"
#include "clPipe.h"

TEST(XReadLines, ManyLinesFromAWriterThatKeepsPausingOnANonBlockingPipe) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_EQ(fcntl(pipe->fdRead(), F_SETFL, O_NONBLOCK), 0);
    constexpr int kLines = 20000;
    std::thread writer([&] {
        std::string bytes;
        for (int i = 0; i < kLines; ++i) {
            bytes += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
            if (i % 5000 == 0) {
                // An empty pipe must make the reader wait, not give up.
                EXPECT_TRUE(writeAll(pipe->fdWrite(), bytes));
                bytes.clear();
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            }
        }
        EXPECT_TRUE(writeAll(pipe->fdWrite(), bytes + "tail without end"));
        pipe->closeWrite();
    });
    std::vector<XStr> got;
    EXPECT_TRUE(XReadLines(pipe->fdRead(), [&](XStr& line) { got.push_back(line); }));
    writer.join();
    ASSERT_EQ(got.size(), static_cast<size_t>(kLines + 1));
    for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(got[i], XStr("line " + std::to_string(i)));
    }
    EXPECT_EQ(got.back(), XStr("tail without end"));
}

TEST(XReadLines, ReadsSynchronouslyUntilEndOfFileRetryingInterruptedReads) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "\xEF\xBB\xBFone\r\ntwo\rthree"));
    pipe->closeWrite();
    static int calls;
    calls = 0;
    XSysOverride seam;
    seam.calls().read = [](int fd, void* buf, size_t n) -> ssize_t {
        if (++calls % 2 == 1) {
            errno = EINTR;
            return -1;
        }
        return XSysReal().read(fd, buf, n);
    };
    std::vector<XStr> got;
    EXPECT_TRUE(XReadLines(pipe->fdRead(), [&](XStr& line) { got.push_back(line); }));
    EXPECT_EQ(got, (std::vector<XStr>{"one", "two", "three"}));
}

TEST(XReadLines, ReadFailureAnswersFalseAfterTheLinesSoFar) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "whole\npart"));
    static int calls;
    calls = 0;
    XSysOverride seam;
    seam.calls().read = [](int fd, void* buf, size_t n) -> ssize_t {
        if (++calls == 1) {
            return XSysReal().read(fd, buf, n);
        }
        errno = EIO;
        return -1;
    };
    std::vector<XStr> got;
    EXPECT_FALSE(XReadLines(pipe->fdRead(), [&](XStr& line) { got.push_back(line); }));
    EXPECT_EQ(got, (std::vector<XStr>{"whole", "part"}));
}
