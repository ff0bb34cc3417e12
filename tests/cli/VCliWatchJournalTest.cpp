// The watch's journal: what it remembers across restarts, and who may hold it.
#include "VCliWatchJournal.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VAAppDataFolder.h"

namespace {

class Journal : public ::testing::Test {
protected:
    Journal() { VAAppDataFolder::registerAppName("VantaroVideo"); }
    TestTempDir mDir;
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
};

TEST_F(Journal, RemembersSourcesByVersionAndOutputsAcrossRestarts) {
    const XStrList folders = {"/w/b", "/w/a"};
    // A name that is not UTF-8, and one with the characters records are made of.
    const XStr odd(std::string("/w/a/\xe9t\xe9\tand\nline\\.mp4"));
    {
        VCliWatchJournal journal;
        std::string error;
        ASSERT_TRUE(journal.open(folders, error)) << error;
        journal.addSource("/w/a/one.mp4", {100, 5}, true);
        journal.addSource(odd, {7, 8}, false);
        journal.addOutput("/out/one.mkv");
        ASSERT_TRUE(journal.flush());
    }
    // A torn last record (a crash while writing) is ignored.
    VCliWatchJournal reader;
    const std::string path = VCliWatchJournal::journalPathFor({"/w/a", "/w/b"}).utf8();
    writeTextFile(path, readTextFile(path) + "S\t1\t2\t/w/a/torn");
    std::string error;
    ASSERT_TRUE(reader.open({"/w/a", "/w/b", "/w/a"}, error)) << error;
    EXPECT_EQ(reader.path().utf8(), path) << "the same folders, the same journal";
    EXPECT_TRUE(reader.done("/w/a/one.mp4", {100, 5}));
    EXPECT_FALSE(reader.done("/w/a/one.mp4", {100, 6})) << "a new version is new";
    EXPECT_TRUE(reader.done(odd, {7, 8}));
    EXPECT_TRUE(reader.isOutput("/out/one.mkv"));
    EXPECT_FALSE(reader.isOutput("/w/a/one.mp4"));
    EXPECT_FALSE(reader.done("/w/a/torn", {1, 2}));
    reader.addSource("/w/a/two.mp4", {1, 1}, true);
    ASSERT_TRUE(reader.flush());
    EXPECT_EQ(readTextFile(path).find("torn"), std::string::npos) << "cut off before writing";

    // Held by one watch, refused to another.
    VCliWatchJournal second;
    EXPECT_FALSE(second.open(folders, error));
    EXPECT_EQ(error.rfind("Another 'vantaro watch' is watching these folders", 0), 0u) << error;
    VCliWatchJournal other;
    EXPECT_TRUE(other.open({"/w/c"}, error)) << "other folders, another journal";
}

TEST(VCliWatchJournal, EscapingRoundTrips) {
    for (const std::string text : {"plain", "tab\there", "line\nbreak\r", "back\\slash\\t", ""}) {
        const std::string escaped = VCliWatchJournal::escape(text);
        EXPECT_EQ(escaped.find_first_of("\t\n\r"), std::string::npos) << escaped;
        EXPECT_EQ(VCliWatchJournal::unescape(escaped), text);
    }
}

}  // namespace
