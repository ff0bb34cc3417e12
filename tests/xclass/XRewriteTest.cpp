#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "XFile.h"
#include "XSys.h"

namespace {

bool rewrite(const std::string& path, const std::string& content) {
    return XFile::RewriteFile(XStr(path), content.data(), content.size());
}

std::string tempName(const std::string& target, int attempt) {
    std::string name = target + ".p" + std::to_string(getpid());
    if (attempt > 0) {
        name += "." + std::to_string(attempt);
    }
    return name + ".rewrite.tmp";
}

std::vector<std::string> leftoverTemps(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& name : folderEntries(folder)) {
        if (name.size() >= 12 && name.compare(name.size() - 12, 12, ".rewrite.tmp") == 0) {
            found.push_back(name);
        }
    }
    return found;
}

// Plain results

TEST(XRewrite, ReplacesTheWholeContentByteForByte) {
    TestTempDir dir;
    const std::string target = dir.file("settings.json");
    std::string binary(300000, '\0');
    for (size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<char>((i * 131u) >> 3);
    }
    for (const std::string& content : {std::string("new"), std::string(), binary}) {
        writeTextFile(target, "a much longer old content than the new one");
        ASSERT_TRUE(XFile::RewriteFile(XStr(target), content.empty() ? nullptr : content.data(),
                                       content.size()));
        EXPECT_EQ(readTextFile(target), content);
        EXPECT_TRUE(leftoverTemps(dir.path()).empty());
    }
}

TEST(XRewrite, CreatesAMissingTargetButNoMissingFolder) {
    TestTempDir dir;
    ScopedUmask mask(022);
    const std::string target = dir.file("fresh");
    ASSERT_TRUE(rewrite(target, "content"));
    EXPECT_EQ(readTextFile(target), "content");
    EXPECT_EQ(permissionsOf(target), 0644u);
    EXPECT_FALSE(rewrite(dir.file("none/f"), "x"));
    EXPECT_FALSE(fileExists(dir.file("none")));
}

TEST(XRewrite, KeepsThePermissionBitsOfTheOldFile) {
    TestTempDir dir;
    ScopedUmask mask(022);
    for (mode_t mode : {0600u, 0640u, 0666u, 0604u}) {
        const std::string target = dir.file("f" + std::to_string(mode));
        writeTextFile(target, "old");
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(rewrite(target, "new"));
        EXPECT_EQ(permissionsOf(target), mode) << std::oct << mode;
        EXPECT_EQ(readTextFile(target), "new");
    }
}

// Readers

// A reader's shared lock belongs to its open file, in this process as in any other: the
// rewrite takes no lock, goes through, and the reader keeps the old content.
TEST(XRewrite, AReaderHoldingTheFileKeepsTheOldContent) {
    TestTempDir dir;
    const std::string target = dir.file("f");
    writeTextFile(target, "first");
    XFile held;
    ASSERT_TRUE(held.Open(XStr(target), XFile::Access::kReadOnly, XFile::kOpenExisting,
                          XFile::Share::kShared));
    ASSERT_TRUE(rewrite(target, "second"));
    char buffer[16];
    const size_t n = held.Read(buffer, sizeof buffer, XFile::kAtStart);
    EXPECT_EQ(std::string(buffer, n), "first");
    XFile fresh;
    ASSERT_TRUE(fresh.Open(XStr(target), XFile::Access::kReadOnly, XFile::kOpenExisting,
                           XFile::Share::kShared));
    const size_t m = fresh.Read(buffer, sizeof buffer, XFile::kAtStart);
    EXPECT_EQ(std::string(buffer, m), "second");
}

// What goes through the system-call seam

struct Event {
    std::string what;  // "open", "write", "fsync", "close", "rename"
    int fd = -1;
    std::string path;
    bool folder = false;
};

std::vector<Event> gEvents;
int gFailErrno = 0;
bool gFailOnce = false;

bool isFolder(int fd) {
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

int recordOpen(const char* path, int flags, mode_t mode) {
    const int fd = XSysReal().open(path, flags, mode);
    gEvents.push_back({"open", fd, path, (flags & O_DIRECTORY) != 0});
    return fd;
}

ssize_t recordWrite(int fd, const void* buf, size_t count) {
    gEvents.push_back({"write", fd, "", false});
    return XSysReal().write(fd, buf, count);
}

int recordFsync(int fd) {
    gEvents.push_back({"fsync", fd, "", isFolder(fd)});
    return XSysReal().fsync(fd);
}

int recordClose(int fd) {
    gEvents.push_back({"close", fd, "", false});
    return XSysReal().close(fd);
}

int recordRename(const char* from, const char* to) {
    gEvents.push_back({"rename", -1, from, false});
    (void)to;
    return XSysReal().rename(from, to);
}

void installRecorder(XSysOverride& seam) {
    gEvents.clear();
    seam.calls().open = recordOpen;
    seam.calls().write = recordWrite;
    seam.calls().fsync = recordFsync;
    seam.calls().close = recordClose;
    seam.calls().rename = recordRename;
}

int indexOf(const std::string& what, bool folder) {
    for (size_t i = 0; i < gEvents.size(); ++i) {
        if (gEvents[i].what == what && gEvents[i].folder == folder) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(XRewriteSeam, FlushesTheFileBeforeTheRenameAndTheFolderAfter) {
    TestTempDir dir;
    const std::string target = dir.file("f");
    writeTextFile(target, "old");
    XSysOverride seam;
    installRecorder(seam);
    ASSERT_TRUE(rewrite(target, "new"));

    ASSERT_FALSE(gEvents.empty());
    EXPECT_EQ(gEvents[0].what, "open");
    EXPECT_EQ(gEvents[0].path, tempName(target, 0));
    const int tempFd = gEvents[0].fd;
    const int fileSync = indexOf("fsync", false);
    const int renamed = indexOf("rename", false);
    const int folderSync = indexOf("fsync", true);
    ASSERT_GE(fileSync, 0);
    ASSERT_GE(renamed, 0);
    ASSERT_GE(folderSync, 0);
    EXPECT_EQ(gEvents[fileSync].fd, tempFd);
    EXPECT_LT(fileSync, renamed);
    EXPECT_LT(renamed, folderSync);
    EXPECT_EQ(gEvents[renamed].path, tempName(target, 0));
    // The synced folder is the target's own.
    const int folderOpen = indexOf("open", true);
    ASSERT_GE(folderOpen, 0);
    EXPECT_EQ(gEvents[folderOpen].path, dir.path());
    EXPECT_EQ(gEvents[folderSync].fd, gEvents[folderOpen].fd);
    // Every descriptor opened was closed again.
    for (const Event& e : gEvents) {
        if (e.what == "open") {
            bool closed = false;
            for (const Event& c : gEvents) {
                closed = closed || (c.what == "close" && c.fd == e.fd);
            }
            EXPECT_TRUE(closed) << e.path;
        }
    }
}

// A cache is replaced the same way, through a fresh temporary name, without a flush.
TEST(XRewriteSeam, ACacheFileIsRenamedIntoPlaceWithoutAFlush) {
    TestTempDir dir;
    const std::string target = dir.file("cache.json");
    writeTextFile(target, "old");
    chmod(target.c_str(), 0600);
    XSysOverride seam;
    installRecorder(seam);
    const std::string content = "new";
    ASSERT_TRUE(XFile::RewriteCacheFile(XStr(target), content.data(), content.size()));
    EXPECT_EQ(readTextFile(target), "new");
    EXPECT_EQ(permissionsOf(target), 0600u);
    ASSERT_FALSE(gEvents.empty());
    EXPECT_EQ(gEvents[0].path, tempName(target, 0));
    const int renamed = indexOf("rename", false);
    ASSERT_GE(renamed, 0);
    EXPECT_EQ(gEvents[renamed].path, tempName(target, 0));
    EXPECT_EQ(indexOf("fsync", false), -1);
    EXPECT_EQ(indexOf("fsync", true), -1);
    EXPECT_TRUE(leftoverTemps(dir.path()).empty());
}

TEST(XRewriteSeam, TargetWithoutAFolderPartSyncsTheCurrentFolder) {
    TestTempDir dir;
    char saved[4096];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    bool ok = false;
    {
        XSysOverride seam;
        installRecorder(seam);
        ok = rewrite("plain.txt", "here");
    }
    ASSERT_EQ(chdir(saved), 0);
    ASSERT_TRUE(ok);
    EXPECT_EQ(readTextFile(dir.file("plain.txt")), "here");
    const int folderOpen = indexOf("open", true);
    ASSERT_GE(folderOpen, 0);
    EXPECT_EQ(gEvents[folderOpen].path, ".");
}

TEST(XRewriteSeam, TakenTemporaryNamesMoveToTheNextAttemptUpToAHundred) {
    TestTempDir dir;
    const std::string target = dir.file("f");
    writeTextFile(target, "old");
    // Another rewrite of the same target is under way and holds the first name.
    writeTextFile(tempName(target, 0), "the other rewrite");
    XSysOverride seam;
    installRecorder(seam);
    ASSERT_TRUE(rewrite(target, "new"));
    const int renamed = indexOf("rename", false);
    ASSERT_GE(renamed, 0);
    EXPECT_EQ(gEvents[renamed].path, tempName(target, 1));
    EXPECT_EQ(readTextFile(target), "new");
    EXPECT_EQ(readTextFile(tempName(target, 0)), "the other rewrite");

    for (int attempt = 1; attempt < 100; ++attempt) {
        writeTextFile(tempName(target, attempt), "taken");
    }
    installRecorder(seam);
    EXPECT_FALSE(rewrite(target, "newer"));
    EXPECT_EQ(readTextFile(target), "new");
    int opens = 0;
    for (const Event& e : gEvents) {
        opens += e.what == "open" ? 1 : 0;
    }
    EXPECT_EQ(opens, 100);
    EXPECT_EQ(leftoverTemps(dir.path()).size(), 100u);  // only the ones others made
    EXPECT_FALSE(fileExists(tempName(target, 100)));
}

// Injected failures: the old content stays and no temporary file remains.

int failOpenOfTemp(const char* path, int flags, mode_t mode) {
    if ((flags & O_CREAT) != 0) {
        errno = gFailErrno;
        return -1;
    }
    return XSysReal().open(path, flags, mode);
}

ssize_t failWrite(int, const void*, size_t) {
    errno = gFailErrno;
    return -1;
}

// Writes half of the first request, then fails: a partly written temporary file.
ssize_t failWriteHalfway(int fd, const void* buf, size_t count) {
    if (gFailOnce) {
        gFailOnce = false;
        return XSysReal().write(fd, buf, count / 2);
    }
    errno = gFailErrno;
    return -1;
}

int failFileFsync(int fd) {
    if (!isFolder(fd)) {
        errno = gFailErrno;
        return -1;
    }
    return XSysReal().fsync(fd);
}

int failRename(const char*, const char*) {
    errno = gFailErrno;
    return -1;
}

int failFileClose(int fd) {
    const bool folder = isFolder(fd);
    const int result = XSysReal().close(fd);
    if (!folder && result == 0) {
        errno = gFailErrno;
        return -1;
    }
    return result;
}

struct FailureCase {
    const char* name;
    void (*install)(XSysCalls&);
    int err;
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.name;
}

class XRewriteFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(XRewriteFailure, LeavesTheTargetAndNoTemporaryFile) {
    TestTempDir dir;
    const std::string target = dir.file("settings");
    writeTextFile(target, "precious old content");
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    bool ok = true;
    {
        XSysOverride seam;
        gFailErrno = GetParam().err;
        gFailOnce = true;
        GetParam().install(seam.calls());
        ok = rewrite(target, "replacement that must not arrive");
    }
    EXPECT_FALSE(ok);
    EXPECT_EQ(readTextFile(target), "precious old content");
    EXPECT_EQ(permissionsOf(target), 0600u);
    EXPECT_EQ(leftoverTemps(dir.path()), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(
    Injected, XRewriteFailure,
    testing::Values(
        FailureCase{"CreateRefused", [](XSysCalls& c) { c.open = failOpenOfTemp; }, EACCES},
        FailureCase{"DiskFull", [](XSysCalls& c) { c.write = failWrite; }, ENOSPC},
        FailureCase{"DiskFullHalfway", [](XSysCalls& c) { c.write = failWriteHalfway; }, ENOSPC},
        FailureCase{"FlushFails", [](XSysCalls& c) { c.fsync = failFileFsync; }, EIO},
        FailureCase{"CloseFails", [](XSysCalls& c) { c.close = failFileClose; }, EIO},
        FailureCase{"RenameAcrossDevices", [](XSysCalls& c) { c.rename = failRename; }, EXDEV},
        FailureCase{"RenameRefused", [](XSysCalls& c) { c.rename = failRename; }, EACCES}),
    [](const testing::TestParamInfo<FailureCase>& c) { return std::string(c.param.name); });

int failFolderFsync(int fd) {
    if (isFolder(fd)) {
        errno = EIO;
        return -1;
    }
    return XSysReal().fsync(fd);
}

int failFolderOpen(const char* path, int flags, mode_t mode) {
    if ((flags & O_DIRECTORY) != 0) {
        errno = EACCES;
        return -1;
    }
    return XSysReal().open(path, flags, mode);
}

TEST(XRewriteSeam, FolderFlushFailureAfterTheRenameStillSucceeds) {
    TestTempDir dir;
    const std::string target = dir.file("f");
    writeTextFile(target, "old");
    {
        XSysOverride seam;
        seam.calls().fsync = failFolderFsync;
        EXPECT_TRUE(rewrite(target, "new"));
        seam.calls().fsync = XSysReal().fsync;
        seam.calls().open = failFolderOpen;
        EXPECT_TRUE(rewrite(target, "newer"));
    }
    EXPECT_EQ(readTextFile(target), "newer");
    EXPECT_TRUE(leftoverTemps(dir.path()).empty());
}

int gCalls = 0;
int gFsyncCalls = 0;

ssize_t interruptedSmallWrites(int fd, const void* buf, size_t count) {
    if (++gCalls % 3 == 1) {
        errno = EINTR;
        return -1;
    }
    return XSysReal().write(fd, buf, count < 7 ? count : 7);
}

int interruptedFsync(int fd) {
    if (++gFsyncCalls % 2 == 1) {
        errno = EINTR;
        return -1;
    }
    return XSysReal().fsync(fd);
}

TEST(XRewriteSeam, InterruptedAndPartialCallsAreCarriedOn) {
    TestTempDir dir;
    const std::string target = dir.file("f");
    writeTextFile(target, "old");
    const std::string content = "a content of some length, written seven bytes at a time";
    {
        XSysOverride seam;
        gCalls = 0;
        gFsyncCalls = 0;
        seam.calls().write = interruptedSmallWrites;
        seam.calls().fsync = interruptedFsync;
        ASSERT_TRUE(rewrite(target, content));
    }
    EXPECT_EQ(readTextFile(target), content);
    EXPECT_GE(gFsyncCalls, 4);  // file and folder, each interrupted once
    EXPECT_TRUE(leftoverTemps(dir.path()).empty());
}

}  // namespace
