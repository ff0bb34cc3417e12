#include "VASystemActions.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

TEST(VASystemActions, EachActionHasItsCommand) {
    ScopedEnv session("XDG_SESSION_ID", "c7");
    EXPECT_EQ(VASystemActions::commandFor(VASystemActions::kShutDown),
              (XStrList{"systemctl", "poweroff"}));
    EXPECT_EQ(VASystemActions::commandFor(VASystemActions::kSleep),
              (XStrList{"systemctl", "suspend"}));
    EXPECT_EQ(VASystemActions::commandFor(VASystemActions::kLogOut),
              (XStrList{"loginctl", "terminate-session", "c7"}));
    EXPECT_EQ(VASystemActions::commandFor(VASystemActions::kRestart),
              (XStrList{"systemctl", "reboot"}));
    EXPECT_TRUE(VASystemActions::commandFor(VASystemActions::kNone).empty());
    EXPECT_TRUE(VASystemActions::commandFor(9).empty());
}

TEST(VASystemActions, RunsTheProgramFoundOnPathAndReportsItsAnswer) {
    TestTempDir dir;
    writeExecutable(dir.file("systemctl"), "#!/bin/sh\necho \"$@\" > " + dir.file("asked") + "\n");
    ScopedEnv path("PATH", dir.path().c_str());
    EXPECT_TRUE(VASystemActions::perform(VASystemActions::kSleep));
    EXPECT_EQ(readTextFile(dir.file("asked")), "suspend\n");
    // A missing program is reported, not fatal.
    EXPECT_FALSE(VASystemActions::perform(VASystemActions::kLogOut));
    EXPECT_FALSE(VASystemActions::perform(VASystemActions::kNone));
}
