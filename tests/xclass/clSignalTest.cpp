#include "clSignal.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>

#include <gtest/gtest.h>

#include <thread>

#include "XClock.h"
#include "XSys.h"

namespace {

int bytesInPipe(const clSignal& s) {
    int n = -1;
    ioctl(s.waitHandle(), FIONREAD, &n);
    return n;
}

std::unique_ptr<clSignal> makeSignal() {
    std::unique_ptr<clSignal> s = clSignal::create();
    EXPECT_TRUE(s);
    return s;
}

}  // namespace

TEST(clSignal, StartsClearSettingTwiceLeavesOneByteAndClearingDrainsEvery) {
    auto s = makeSignal();
    EXPECT_TRUE(s->isOpen());
    EXPECT_FALSE(s->state());
    s->setState(true);
    s->setState(true);
    EXPECT_TRUE(s->state());
    EXPECT_EQ(bytesInPipe(*s), 1);
    s->setState(false);
    {
        // Setters racing on other threads can leave several bytes; stand in for them.
        XSysOverride seam;
        seam.calls().write = [](int fd, const void*, size_t) -> ssize_t {
            const char bytes[3] = {0, 0, 0};
            return XSysReal().write(fd, bytes, sizeof bytes);
        };
        s->setState(true);
    }
    ASSERT_EQ(bytesInPipe(*s), 3);
    s->setState(false);
    EXPECT_FALSE(s->state());
    EXPECT_EQ(bytesInPipe(*s), 0);
    s->setState(true);
    EXPECT_EQ(bytesInPipe(*s), 1);
}

TEST(clSignal, WaitTimesOutWhenClearAndLeavesStateWhenSet) {
    auto s = makeSignal();
    const uint32_t start = XClock::nowMs();
    EXPECT_FALSE(s->wait(80));
    EXPECT_GE(XClock::elapsedMs(start), 75u);
    s->setState(true);
    EXPECT_TRUE(s->wait(0));
    EXPECT_TRUE(s->wait());
    EXPECT_TRUE(s->state());  // waiting does not reset
}

TEST(clSignal, WaitWithoutLimitWakesWhenAnotherThreadSets) {
    auto s = makeSignal();
    clSignal* raw = s.get();
    // Taken before the setter exists: it may run its whole sleep before this thread goes on.
    const uint32_t start = XClock::nowMs();
    std::thread setter([raw] {
        XClock::sleepMs(50);
        raw->setState(true);
    });
    EXPECT_TRUE(s->wait(clSignal::kInfinite));
    EXPECT_GE(XClock::elapsedMs(start), 45u);
    setter.join();
}

TEST(clSignal, WaitForAnswersFirstSetSignalInListOrderOrBlocksUntilOneIsSet) {
    auto a = makeSignal();
    auto b = makeSignal();
    clSignal* raw = b.get();
    std::thread setter([raw] {
        XClock::sleepMs(50);
        raw->setState(true);
    });
    EXPECT_EQ(clSignal::waitFor({a.get(), b.get()}), 1u);
    setter.join();
    EXPECT_EQ(clSignal::waitFor({a.get(), b.get()}), 1u);
    a->setState(true);
    EXPECT_EQ(clSignal::waitFor({a.get(), b.get()}), 0u);
    EXPECT_EQ(clSignal::waitFor({b.get(), a.get()}), 0u);
    EXPECT_TRUE(a->state());
    EXPECT_TRUE(b->state());
}

TEST(clSignal, ClosedSignalDoesNothing) {
    EXPECT_EQ(clSignal::waitFor({}), clSignal::kNone);
    auto s = makeSignal();
    s->setState(true);
    s->close();
    EXPECT_FALSE(s->isOpen());
    EXPECT_EQ(s->waitHandle(), -1);
    EXPECT_FALSE(s->state());
    s->setState(true);
    s->setState(false);
    EXPECT_FALSE(s->state());
    EXPECT_FALSE(s->wait(0));
    EXPECT_FALSE(s->makeWaitHandleInheritable());
    EXPECT_EQ(clSignal::waitFor({s.get(), nullptr}), clSignal::kNone);
}

TEST(clSignal, InheritableHandleClearsCloseOnExec) {
    auto s = makeSignal();
    EXPECT_EQ(fcntl(s->waitHandle(), F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
    ASSERT_TRUE(s->makeWaitHandleInheritable());
    EXPECT_EQ(fcntl(s->waitHandle(), F_GETFD) & FD_CLOEXEC, 0);
}

TEST(clSignal, CreationFailsWithoutPipe) {
    XSysOverride seam;
    seam.calls().pipe = [](int*) {
        errno = EMFILE;
        return -1;
    };
    EXPECT_EQ(clSignal::create(), nullptr);
}
