#include "VMCPreventSleep.h"

#include <gtest/gtest.h>
#include <sstream>

#include "TestSupport.h"

#include <unistd.h>

namespace {

// Points the inhibitor at a stand-in for the lifetime of the object.
class StandIn {
public:
    explicit StandIn(const std::string& path) : mSaved(VMCPreventSleep::inhibitorProgram()) {
        VMCPreventSleep::inhibitorProgram() = XStr(path);
    }
    ~StandIn() { VMCPreventSleep::inhibitorProgram() = mSaved; }

private:
    XStr mSaved;
};

}  // namespace

TEST(VMCPreventSleep, HoldsTheInhibitorUntilClearedAndLeavesNoProcess) {
    TestTempDir dir;
    const std::string script = dir.file("inhibit");
    // Records its arguments and its pid, then holds like the real one: until its command,
    // here cat, ends at the end of its input.
    writeExecutable(script, "#!/bin/sh\necho \"$@\" > " + dir.file("args") + "\necho $$ > " +
                                dir.file("pid") + "\nexec /bin/cat\n");
    StandIn standIn(script);
    {
        VMCPreventSleep guard;
        EXPECT_TRUE(guard.isValid());
        for (int i = 0; i < 200 && readTextFile(dir.file("pid")).empty(); ++i) {
            usleep(5000);
        }
        EXPECT_EQ(readTextFile(dir.file("args")),
                  "--what=idle:sleep --who=Vantaro Video Converter --why=Converting video "
                  "--mode=block cat\n");
        guard.clear();
        EXPECT_FALSE(guard.isValid());
        guard.clear();  // a second release does nothing
    }
    const std::string pid = readTextFile(dir.file("pid"));
    ASSERT_FALSE(pid.empty());
    EXPECT_FALSE(fileExists("/proc/" + pid.substr(0, pid.size() - 1) + "/cmdline"))
        << "the inhibitor ended on release";
}

// The inhibitor starts on its own thread; a release that comes first, or while it starts,
// still leaves no process behind.
TEST(VMCPreventSleep, ReleasedAtOnceLeavesNoProcess) {
    TestTempDir dir;
    const std::string script = dir.file("inhibit");
    writeExecutable(script, "#!/bin/sh\necho $$ >> " + dir.file("pids") + "\nexec /bin/cat\n");
    StandIn standIn(script);
    for (int i = 0; i < 20; ++i) {
        VMCPreventSleep guard;
        guard.clear();
        EXPECT_FALSE(guard.isValid());
    }
    std::istringstream pids(readTextFile(dir.file("pids")));
    for (std::string pid; pids >> pid;) {
        EXPECT_FALSE(fileExists("/proc/" + pid + "/cmdline")) << pid;
    }
}

TEST(VMCPreventSleep, WithoutAnInhibitorNothingHappens) {
    StandIn standIn("");
    VMCPreventSleep guard;
    EXPECT_FALSE(guard.isValid());
}
