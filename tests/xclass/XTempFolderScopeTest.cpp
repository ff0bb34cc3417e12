// The scoped temporary folder: one per scope, emptied when taken over, removed with all it
// holds (but never what a link inside points to).
#include "XTempFolderScope.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "TestSupport.h"

namespace {

class TempFolderScope : public ::testing::Test {
protected:
    std::string base() const { return mDir.file("tmp"); }
    void SetUp() override { ASSERT_EQ(mkdir(base().c_str(), 0700), 0); }

    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
};

TEST_F(TempFolderScope, EachScopeHasItsOwnFolderRemovedWithItsContent) {
    const std::string outside = mDir.file("outside");
    writeTextFile(outside, "keep me");
    std::string firstPath;
    {
        XTempFolderScope first;
        ASSERT_TRUE(first.IsValid());
        firstPath = first.Path().utf8();
        EXPECT_EQ(firstPath, base() + "/XTempFolder-0/");
        EXPECT_EQ(permissionsOf(firstPath) & 0777, 0700u);
        {
            XTempFolderScope second;
            EXPECT_EQ(second.Path().utf8(), base() + "/XTempFolder-1/");
        }
        EXPECT_FALSE(fileExists(base() + "/XTempFolder-1"));
        // Content of every kind: a link out, a folder nobody may write to.
        ASSERT_EQ(symlink(outside.c_str(), (firstPath + "link").c_str()), 0);
        ASSERT_EQ(mkdir((firstPath + "locked").c_str(), 0700), 0);
        writeTextFile(firstPath + "locked/file", "x");
        ASSERT_EQ(chmod((firstPath + "locked").c_str(), 0500), 0);
        // The environment stays as it was.
        EXPECT_STREQ(std::getenv("XTempFolderScope_Location"), base().c_str());
    }
    EXPECT_FALSE(fileExists(firstPath));
    EXPECT_EQ(readTextFile(outside), "keep me");
    EXPECT_EQ(folderEntries(base()), std::vector<std::string>{});
}

TEST_F(TempFolderScope, AStaleFolderIsTakenOverEmptyAndAForeignOneIsSkipped) {
    // Left by a process that ended inside its scope: nobody holds its lock.
    const std::string stale = base() + "/XTempFolder-0";
    ASSERT_EQ(mkdir(stale.c_str(), 0700), 0);
    writeTextFile(stale + "/XTempFolderLock", "");
    writeTextFile(stale + "/ffmpeg", "old leftovers");
    // Anybody may look into this one: not ours to use.
    const std::string open = base() + "/XTempFolder-1";
    ASSERT_EQ(mkdir(open.c_str(), 0700), 0);
    ASSERT_EQ(chmod(open.c_str(), 0755), 0);
    {
        XTempFolderScope first;
        EXPECT_EQ(first.Path().utf8(), stale + "/");
        EXPECT_EQ(folderEntries(stale), std::vector<std::string>{"XTempFolderLock"});
        XTempFolderScope second;
        EXPECT_EQ(second.Path().utf8(), base() + "/XTempFolder-2/");
    }
    EXPECT_EQ(folderEntries(base()), std::vector<std::string>{"XTempFolder-1"});
}

}  // namespace
