#include "XOutputFile.h"

#include <gtest/gtest.h>
#include <limits.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "TestSupport.h"
#include "XPrivateFolder.h"

namespace {

// The id of a process that has ended and been reaped, so nothing answers to it now.
pid_t deadPid() {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(0);
    }
    waitpid(pid, nullptr, 0);
    return pid;
}

}  // namespace

TEST(XOutputFile, TemporaryNamesAreHiddenKeepTheExtensionAndNameTheirOwner) {
    struct Row {
        const char* destination;
        const char* temp;
    };
    const Row rows[] = {
        {"/d/clip.mp4", "/d/.clip.vantaro-12-3.mp4"},
        {"/d/archive.tar.gz", "/d/.archive.tar.vantaro-12-3.gz"},
        {"/d/noext", "/d/.noext.vantaro-12-3"},
        {"/d/.hidden", "/d/..hidden.vantaro-12-3"},
        {"/d.x/clip", "/d.x/.clip.vantaro-12-3"},
        {"clip.mkv", ".clip.vantaro-12-3.mkv"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.destination);
        const XStr temp = XOutputFile::TempPathFor(row.destination, 12, 3);
        EXPECT_EQ(temp, XStr(row.temp));
        EXPECT_EQ(XOutputFile::OwnerOf(temp), 12);
    }
    // Only names of that exact shape are ours.
    for (const char* name :
         {"clip.vantaro-12-3.mp4", ".clip.mp4", ".clip.vantaro-x-3.mp4", ".clip.vantaro-12-.mp4",
          ".clip.vantaro-12-3.mp4.part", ".clip.vantaro--3.mp4", ".vantaro-12-3"}) {
        EXPECT_EQ(XOutputFile::OwnerOf(name), 0) << name;
    }
}

TEST(XOutputFile, LongNamesAreShortenedToFitTheSystemLimit) {
    const XStr stem(std::u32string(200, U'\u00e9'));  // two bytes each
    const XStr temp = XOutputFile::TempPathFor("/d/" + stem + ".mp4", 99999, 7);
    const XStr name = temp.substr(3);
    EXPECT_LE(name.utf8().size(), static_cast<std::size_t>(NAME_MAX));
    EXPECT_TRUE(name.endsWith(".vantaro-99999-7.mp4")) << name;
    EXPECT_EQ(XOutputFile::OwnerOf(temp), 99999);
}

TEST(XOutputFile, CommitMovesTheContentAndNeverReplacesUnlessAsked) {
    TestTempDir dir;
    {
        XOutputFile out;
        ASSERT_TRUE(out.Create(dir.xfile("new.mp4")));
        EXPECT_TRUE(fileExists(out.TempPath().utf8()));
        writeTextFile(out.TempPath().utf8(), "fresh");
        EXPECT_EQ(out.Commit(false), XOutputFile::CommitResult::kDone);
        EXPECT_EQ(readTextFile(dir.file("new.mp4")), "fresh");
    }
    writeTextFile(dir.file("taken.mp4"), "keep");
    {
        XOutputFile out;
        ASSERT_TRUE(out.Create(dir.xfile("taken.mp4")));
        writeTextFile(out.TempPath().utf8(), "intruder");
        EXPECT_EQ(out.Commit(false), XOutputFile::CommitResult::kExists);
        EXPECT_EQ(readTextFile(dir.file("taken.mp4")), "keep");
    }
    {
        XOutputFile out;
        ASSERT_TRUE(out.Create(dir.xfile("taken.mp4")));
        writeTextFile(out.TempPath().utf8(), "asked for");
        EXPECT_EQ(out.Commit(true), XOutputFile::CommitResult::kDone);
        EXPECT_EQ(readTextFile(dir.file("taken.mp4")), "asked for");
    }
    {
        // Neither committed nor discarded: going away removes it.
        XOutputFile out;
        ASSERT_TRUE(out.Create(dir.xfile("abandoned.mp4")));
    }
    EXPECT_EQ(folderEntries(dir.path()), (std::vector<std::string>{"new.mp4", "taken.mp4"}));
}

TEST(XOutputFile, CreateNeverTakesAnExistingName) {
    TestTempDir dir;
    // Squat the first names this process would pick next.
    XOutputFile probe;
    ASSERT_TRUE(probe.Create(dir.xfile("a.mp4")));
    const XStr first = probe.TempPath();
    probe.Discard();
    const XStr name = first.substr(first.rfind(U'-') + 1);
    const unsigned next = static_cast<unsigned>(name.toInt64()) + 1;
    for (unsigned n = next; n < next + 3; ++n) {
        writeTextFile(XOutputFile::TempPathFor(dir.xfile("a.mp4"), getpid(), n).utf8(), "theirs");
    }
    XOutputFile out;
    ASSERT_TRUE(out.Create(dir.xfile("a.mp4")));
    EXPECT_EQ(readTextFile(out.TempPath().utf8()), "");
    for (unsigned n = next; n < next + 3; ++n) {
        EXPECT_EQ(readTextFile(XOutputFile::TempPathFor(dir.xfile("a.mp4"), getpid(), n).utf8()),
                  "theirs");
    }
}

TEST(XOutputFile, LeftoversOfDeadProcessesGoAndNothingElse) {
    TestTempDir dir;
    const std::string journals = dir.file("data");
    ASSERT_EQ(mkdir(journals.c_str(), 0700), 0);
    const pid_t dead = deadPid();
    const std::string orphan = XOutputFile::TempPathFor(dir.xfile("out.mp4"), dead, 1).utf8();
    // Listed by the dead process, but named for another owner: not ours to remove.
    const std::string foreign = XOutputFile::TempPathFor(dir.xfile("x.mp4"), dead + 1, 1).utf8();
    const std::string user = dir.file("user file.mp4");
    for (const std::string& path : {orphan, foreign, user}) {
        writeTextFile(path, "data");
    }
    const std::string list = orphan + '\0' + foreign + '\0' + user + '\0';
    writeTextFile(journals + "/" + XOutputFile::kJournalPrefix + std::to_string(dead), list);
    // A living process's list is left alone.
    const std::string mine = XOutputFile::TempPathFor(dir.xfile("live.mp4"), getppid(), 1).utf8();
    writeTextFile(mine, "busy");
    writeTextFile(journals + "/" + XOutputFile::kJournalPrefix + std::to_string(getppid()),
                  mine + '\0');

    EXPECT_EQ(XOutputFile::RemoveLeftovers(XStr(journals)), 1u);
    EXPECT_FALSE(fileExists(orphan));
    EXPECT_TRUE(fileExists(foreign));
    EXPECT_TRUE(fileExists(user));
    EXPECT_TRUE(fileExists(mine));
    EXPECT_EQ(folderEntries(journals),
              std::vector<std::string>{XOutputFile::kJournalPrefix + std::to_string(getppid())});
}

TEST(XOutputFile, RemoveAllOfThisProcessClearsWhatIsStillOpen) {
    TestTempDir dir;
    XOutputFile a;
    XOutputFile b;
    ASSERT_TRUE(a.Create(dir.xfile("a.mp4")));
    ASSERT_TRUE(b.Create(dir.xfile("b.mp4")));
    writeTextFile(dir.file("keep.mp4"), "user");
    XOutputFile::RemoveAllOfThisProcess();
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"keep.mp4"});
}

TEST(XPrivateFolder, IsPrivateAndLeftoversOfDeadProcessesAreRemoved) {
    TestTempDir dir;
    ScopedEnv scope("XTempFolderScope_Location", dir.path().c_str());
    XPrivateFolder::remove();
    const XStr folder = XPrivateFolder::path();
    ASSERT_TRUE(folder.startsWith(XStr(dir.path()) + "/vantaro-")) << folder;
    EXPECT_EQ(permissionsOf(folder.utf8()), 0700u);

    const std::string left = dir.file("vantaro-" + std::to_string(deadPid()) + "-abcdef");
    ASSERT_EQ(mkdir(left.c_str(), 0700), 0);
    writeTextFile(left + "/_vaXTempFile-1-1.tmp", "progress");
    const std::string living = dir.file("vantaro-" + std::to_string(getppid()) + "-abcdef");
    ASSERT_EQ(mkdir(living.c_str(), 0700), 0);
    const std::string other = dir.file("vantaro-notes");
    ASSERT_EQ(mkdir(other.c_str(), 0700), 0);

    // Other places (/tmp) may hold leftovers of tests killed on purpose at the same time.
    EXPECT_GE(XPrivateFolder::removeLeftovers(), 1u);
    EXPECT_FALSE(fileExists(left));
    EXPECT_TRUE(fileExists(living));
    EXPECT_TRUE(fileExists(other));
    EXPECT_TRUE(fileExists(folder.utf8())) << "our own folder stays";
    XPrivateFolder::remove();
    EXPECT_FALSE(fileExists(folder.utf8()));
}
