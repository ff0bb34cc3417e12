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

namespace {

// Lines collected by a reader thread, with a way to wait for its end.
struct Collected {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<XStr> lines;
    std::thread::id readerThread;
    bool ended = false;

    XLineHandler handler() {
        return [this](XStr& line) {
            std::lock_guard lock(mutex);
            lines.push_back(line);
            readerThread = std::this_thread::get_id();
        };
    }
    std::function<void()> onEnd() {
        return [this] {
            std::lock_guard lock(mutex);
            ended = true;
            changed.notify_all();
        };
    }
    bool waitEnd() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [this] { return ended; });
    }
};

}  // namespace

TEST(XReadLinesAsync, DeliversEveryLineInOrderOnItsOwnThread) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    Collected got;
    ASSERT_TRUE(XReadLinesAsync(pipe->fdRead(), got.handler(), got.onEnd()));
    // The reader owns its own copy, so ours may go at once.
    pipe->closeRead();

    std::string bytes;
    constexpr int kLines = 20000;
    for (int i = 0; i < kLines; ++i) {
        bytes += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : "\n");
    }
    bytes += "tail without end";
    ASSERT_TRUE(writeAll(pipe->fdWrite(), bytes));
    pipe->closeWrite();

    ASSERT_TRUE(got.waitEnd());
    std::lock_guard lock(got.mutex);
    ASSERT_EQ(got.lines.size(), static_cast<size_t>(kLines + 1));
    for (int i = 0; i < kLines; ++i) {
        ASSERT_EQ(got.lines[i], XStr("line " + std::to_string(i)));
    }
    EXPECT_EQ(got.lines.back(), XStr("tail without end"));
    EXPECT_NE(got.readerThread, std::this_thread::get_id());
}

TEST(XReadLinesAsync, ClosesItsCopyAtEndOfFile) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    const int before = openFDCount();
    Collected got;
    ASSERT_TRUE(XReadLinesAsync(pipe->fdRead(), got.handler(), got.onEnd()));
    EXPECT_EQ(openFDCount(), before + 1);
    pipe->closeWrite();
    ASSERT_TRUE(got.waitEnd());
    // onEnd runs after the copy is closed.
    EXPECT_EQ(openFDCount(), before - 1);
    EXPECT_TRUE(got.lines.empty());
}

TEST(XReadLinesAsync, WaitsOnNonBlockingDescriptorInsteadOfGivingUp) {
    auto pipe = clPipe::newPipeNonBlocking();
    ASSERT_TRUE(pipe);
    Collected got;
    ASSERT_TRUE(XReadLinesAsync(pipe->fdRead(), got.handler(), got.onEnd()));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "first\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "second\n"));
    pipe->closeWrite();
    ASSERT_TRUE(got.waitEnd());
    EXPECT_EQ(got.lines, (std::vector<XStr>{"first", "second"}));
}

TEST(XReadLinesAsync, BadDescriptorAnswersFalseAndCallsNothing) {
    bool called = false;
    EXPECT_FALSE(XReadLinesAsync(
        -1, [&](XStr&) { called = true; }, [&] { called = true; }));
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    const int stale = pipe->fdRead();
    pipe->closeRead();
    EXPECT_FALSE(XReadLinesAsync(
        stale, [&](XStr&) { called = true; }, [&] { called = true; }));
    EXPECT_FALSE(called);
}

TEST(XReadLines, ReadsSynchronouslyUntilEndOfFile) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "\xEF\xBB\xBFone\r\ntwo\rthree"));
    pipe->closeWrite();
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

TEST(XReadLines, InterruptedReadsAreRetried) {
    auto pipe = clPipe::newPipe();
    ASSERT_TRUE(pipe);
    ASSERT_TRUE(writeAll(pipe->fdWrite(), "a\nb\n"));
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
    EXPECT_EQ(got, (std::vector<XStr>{"a", "b"}));
}
