#include <gtest/gtest.h>
#include <poll.h>

#include <thread>

#include "KillSwitch.h"

namespace {

bool readableWithin(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) == 1 && (p.revents & POLLIN) != 0;
}

// The handle is made on first use, so a switch killed before anybody waited must still
// wake a waiter, and one killed from another thread while a waiter blocks must wake it.
TEST(KillSwitch, TheWaitHandleWakesWhetherKilledBeforeOrWhileWaiting) {
    KillSwitch early;
    early.kill();
    ASSERT_GE(early.waitHandle(), 0);
    EXPECT_TRUE(readableWithin(early.waitHandle(), 0));

    KillSwitch late;
    const int fd = late.waitHandle();
    ASSERT_GE(fd, 0);
    EXPECT_EQ(late.waitHandle(), fd);
    EXPECT_FALSE(readableWithin(fd, 0));
    std::thread killer([&late] { late.kill(); });
    EXPECT_TRUE(readableWithin(fd, 10000));
    killer.join();
    EXPECT_TRUE(late.die());
}

TEST(KillSwitch, AHolderKillsWhatItRenewsAndWhatItHoldsWhenItGoes) {
    KillSwitchPtr first;
    KillSwitchPtr second;
    {
        KillSwitchHolder holder;
        first = holder.current();
        second = holder.renew();
        EXPECT_TRUE(first->die());
        EXPECT_FALSE(second->die());
        EXPECT_FALSE(holder.isCurrent(first));
        EXPECT_TRUE(holder.isCurrent(second));
    }
    EXPECT_TRUE(second->die());
}

}  // namespace
