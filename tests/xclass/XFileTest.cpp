#include "XFile.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "XSys.h"

namespace {

using Access = XFile::Access;
using Share = XFile::Share;

bool descriptorIsOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

std::string readAll(XFile& file) {
    std::string out(static_cast<size_t>(file.Size()), '\0');
    out.resize(file.Read(out.data(), out.size(), XFile::kAtStart));
    return out;
}

class XFileTest : public testing::Test {
protected:
    TestTempDir dir;
};

struct DispositionCase {
    uint32_t disposition;
    bool exists;
    bool opens;
    std::string contentAfter;  // "-" when the file must not exist afterwards
};

std::ostream& operator<<(std::ostream& out, const DispositionCase& c) {
    return out << "disposition " << c.disposition << (c.exists ? " on existing" : " on missing");
}

class XFileDisposition : public testing::TestWithParam<DispositionCase> {};

TEST_P(XFileDisposition, BehavesAsTheTableSaysWithAndWithoutLocking) {
    const DispositionCase& c = GetParam();
    for (const uint32_t flags : {0u, XFile::kNoLock}) {
        SCOPED_TRACE(flags);
        TestTempDir dir;
        const std::string path = dir.file("f.bin");
        if (c.exists) {
            writeTextFile(path, "old content");
        }
        XFile file;
        errno = 0;
        const bool opened = file.Open(XStr(path), Access::kReadWrite, c.disposition | flags);
        ASSERT_EQ(opened, c.opens);
        EXPECT_EQ(file.IsOpen(), c.opens);
        if (!opened) {
            EXPECT_EQ(errno, c.exists ? EEXIST : ENOENT);
        }
        file.Close();
        if (c.contentAfter == "-") {
            EXPECT_FALSE(fileExists(path));
        } else {
            EXPECT_EQ(readTextFile(path), c.contentAfter);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, XFileDisposition,
    testing::Values(DispositionCase{XFile::kCreateNew, true, false, "old content"},
                    DispositionCase{XFile::kCreateNew, false, true, ""},
                    DispositionCase{XFile::kCreateAlways, true, true, ""},
                    DispositionCase{XFile::kCreateAlways, false, true, ""},
                    DispositionCase{XFile::kOpenExisting, true, true, "old content"},
                    DispositionCase{XFile::kOpenExisting, false, false, "-"},
                    DispositionCase{XFile::kOpenAlways, true, true, "old content"},
                    DispositionCase{XFile::kOpenAlways, false, true, ""},
                    DispositionCase{XFile::kTruncateExisting, true, true, ""},
                    DispositionCase{XFile::kTruncateExisting, false, false, "-"}));

TEST_F(XFileTest, UnknownDispositionsFailWithoutTouchingTheFile) {
    writeTextFile(dir.file("f"), "keep");
    for (uint32_t disposition : {0u, 6u, 7u | XFile::kNoLock}) {
        XFile file;
        EXPECT_FALSE(file.Open(dir.xfile("f"), Access::kReadWrite, disposition)) << disposition;
        EXPECT_FALSE(file.Open(dir.xfile("new"), Access::kReadWrite, disposition)) << disposition;
    }
    EXPECT_EQ(readTextFile(dir.file("f")), "keep");
    EXPECT_FALSE(fileExists(dir.file("new")));
}

TEST_F(XFileTest, CreatesWithReadWriteForAllBeforeTheUmask) {
    const struct {
        mode_t mask;
        const char* name;
        mode_t mode;
    } rows[] = {{0, "a", 0666}, {027, "b", 0640}};
    for (const auto& row : rows) {
        ScopedUmask mask(row.mask);
        XFile file;
        ASSERT_TRUE(file.Open(dir.xfile(row.name), Access::kReadWrite, XFile::kOpenAlways));
        EXPECT_EQ(permissionsOf(dir.file(row.name)), row.mode);
    }
}

TEST_F(XFileTest, DescriptorsOfOpensAndDuplicatesAreCloseOnExec) {
    XFile file;
    ASSERT_TRUE(file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew));
    EXPECT_TRUE(fcntl(file.Descriptor(), F_GETFD) & FD_CLOEXEC);
    XFile copy = file.Duplicate();
    ASSERT_TRUE(copy.IsOpen());
    EXPECT_NE(copy.Descriptor(), file.Descriptor());
    EXPECT_TRUE(fcntl(copy.Descriptor(), F_GETFD) & FD_CLOEXEC);
}

TEST_F(XFileTest, ReadOnlyAccessRefusesWrites) {
    writeTextFile(dir.file("f"), "abc");
    XFile file;
    ASSERT_TRUE(file.Open(dir.xfile("f"), Access::kReadOnly, XFile::kOpenExisting));
    EXPECT_FALSE(file.Write("x", 1, XFile::kAtStart));
    EXPECT_EQ(readAll(file), "abc");
}

TEST_F(XFileTest, ReopeningClosesTheFirstFileAndItsLock) {
    XFile file;
    ASSERT_TRUE(file.Open(dir.xfile("a"), Access::kReadWrite, XFile::kCreateNew));
    ASSERT_TRUE(file.Open(dir.xfile("b"), Access::kReadWrite, XFile::kCreateNew));
    EXPECT_EQ(file.Path(), dir.xfile("b"));
    XFile again;
    EXPECT_TRUE(again.Open(dir.xfile("a"), Access::kReadWrite, XFile::kOpenExisting));
}

// Locking

TEST_F(XFileTest, WhoMayOpenBesideAHolder) {
    struct Row {
        const char* what;
        Access holderAccess;
        uint32_t holderFlags;
        Share holderShare;
        Access access;
        uint32_t flags;
        Share share;
        bool opens;
    };
    const Access rw = Access::kReadWrite;
    const Access ro = Access::kReadOnly;
    const Share ex = Share::kExclusive;
    const Share sh = Share::kShared;
    const Row rows[] = {
        {"exclusive beside exclusive", rw, 0, ex, rw, XFile::kOpenExisting, ex, false},
        {"shared beside shared", ro, 0, sh, ro, XFile::kOpenExisting, sh, true},
        {"exclusive beside shared", ro, 0, sh, rw, XFile::kOpenExisting, ex, false},
        {"shared beside exclusive", rw, 0, ex, ro, XFile::kOpenExisting, sh, false},
        {"unlocked beside exclusive", rw, 0, ex, rw, XFile::kOpenExisting | XFile::kNoLock, ex,
         true},
        {"exclusive beside unlocked", rw, XFile::kNoLock, ex, rw, XFile::kOpenExisting, ex, true},
        // A truncating open must not empty what another holder's lock protects.
        {"create-always beside read-only", ro, 0, ex, rw, XFile::kCreateAlways, ex, false},
        {"truncate beside read-only", ro, 0, ex, rw, XFile::kTruncateExisting, ex, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        writeTextFile(dir.file("f"), "guarded");
        XFile holder;
        ASSERT_TRUE(holder.Open(dir.xfile("f"), row.holderAccess,
                                XFile::kOpenExisting | row.holderFlags, row.holderShare));
        XFile other;
        errno = 0;
        EXPECT_EQ(other.Open(dir.xfile("f"), row.access, row.flags, row.share), row.opens);
        EXPECT_EQ(other.IsOpen(), row.opens);
        if (!row.opens) {
            EXPECT_EQ(errno, EWOULDBLOCK);
            EXPECT_EQ(readTextFile(dir.file("f")), "guarded");
            // Once the holder lets go, the same open goes through.
            holder.Close();
            EXPECT_TRUE(other.Open(dir.xfile("f"), row.access, row.flags, row.share));
        }
    }
}

TEST_F(XFileTest, WaitFlagBlocksUntilTheHolderLetsGo) {
    XFile holder;
    ASSERT_TRUE(holder.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew));
    std::atomic<bool> done{false};
    bool opened = false;
    std::thread waiter([&] {
        XFile file;
        opened = file.Open(dir.xfile("f"), Access::kReadWrite,
                           XFile::kOpenExisting | XFile::kWaitForLock);
        done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(done.load());
    holder.Close();
    waiter.join();
    EXPECT_TRUE(opened);
}

TEST_F(XFileTest, LockAndUnlockOnAnOpenFile) {
    XFile file;
    ASSERT_TRUE(file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew | XFile::kNoLock));
    ASSERT_TRUE(file.Lock(Share::kExclusive, false));
    XFile other;
    EXPECT_FALSE(other.Open(dir.xfile("f"), Access::kReadWrite, XFile::kOpenExisting));
    ASSERT_TRUE(file.Unlock());
    EXPECT_TRUE(other.Open(dir.xfile("f"), Access::kReadWrite, XFile::kOpenExisting));
    EXPECT_FALSE(file.Lock(Share::kShared, false));
    EXPECT_EQ(errno, EWOULDBLOCK);
}

// Messages

TEST_F(XFileTest, FailedOpensArePrintedOnlyWithReporting) {
    const XStr missing = dir.xfile("missing \xC3\xA9.txt");
    XFile file;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(file.Open(missing, Access::kReadOnly, XFile::kOpenExisting, Share::kShared));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(file.Open(missing, Access::kReadOnly, XFile::kOpenExisting, Share::kShared, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unable to open '" + missing.utf8() + "'\n");

    // A refused lock is a failed open too.
    XFile holder;
    ASSERT_TRUE(holder.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kOpenExisting,
                           Share::kExclusive, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Unable to open '" + dir.file("f") + "'\n");
}

TEST_F(XFileTest, ReadAndWriteFailuresArePrintedOnlyWithReporting) {
    // A folder opens read-only, but reading it fails.
    for (const bool report : {true, false}) {
        XFile folder;
        ASSERT_TRUE(folder.Open(XStr(dir.path()), Access::kReadOnly, XFile::kOpenExisting,
                                Share::kShared, report));
        char buffer[8];
        bool failed = false;
        testing::internal::CaptureStdout();
        EXPECT_EQ(folder.Read(buffer, sizeof buffer, XFile::kAtCurrent, &failed), 0u);
        EXPECT_TRUE(failed);
        EXPECT_FALSE(folder.Write("x", 1, XFile::kAtCurrent));
        EXPECT_FALSE(folder.Write(nullptr, 3, XFile::kAtCurrent));
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  !report ? ""
                          : "Unable to read from '" + dir.path() + "'\nUnable to write to '" +
                                dir.path() + "'\nError writing a NULL buffer to file\n");
    }
    // A null buffer of length zero is a success.
    XFile file;
    ASSERT_TRUE(
        file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew, Share::kShared, true));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(file.Write(nullptr, 0, XFile::kAtEnd));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(file.Size(), 0);
}

TEST(XFileMessages, ErrnoTextHasDescriptionAndNumber) {
    EXPECT_EQ(XErrnoText(ENOENT), XStr("No such file or directory (errno:2)"));
    EXPECT_EQ(XErrnoText(ENOSPC), XStr("No space left on device (errno:28)"));
    const XStr unknown = XErrnoText(99999);
    EXPECT_TRUE(unknown.endsWith(" (errno:99999)")) << unknown;
    EXPECT_GT(unknown.size(), XStr(" (errno:99999)").size());
}

// Reading and writing

class XFileIO : public testing::Test {
protected:
    void SetUp() override {
        writeTextFile(mDir.file("f"), "0123456789");
        ASSERT_TRUE(mFile.Open(mDir.xfile("f"), Access::kReadWrite, XFile::kOpenExisting));
    }
    std::string read(size_t length, int position, bool* failed = nullptr) {
        std::string out(length, '\0');
        out.resize(mFile.Read(out.data(), length, position, failed));
        return out;
    }

    TestTempDir mDir;
    XFile mFile;
};

TEST_F(XFileIO, ReadPositionModesAndShortReads) {
    EXPECT_EQ(read(3, XFile::kAtCurrent), "012");
    EXPECT_EQ(read(3, XFile::kAtCurrent), "345");
    EXPECT_EQ(read(2, XFile::kAtStart), "01");
    bool failed = true;
    EXPECT_EQ(read(4, XFile::kAtEnd, &failed), "");
    EXPECT_FALSE(failed);
    // A short read at the end is no failure.
    ASSERT_TRUE(mFile.Seek(7, XFile::Origin::kStart));
    failed = true;
    EXPECT_EQ(read(100, XFile::kAtCurrent, &failed), "789");
    EXPECT_FALSE(failed);
    // An unknown position mode is.
    EXPECT_EQ(read(3, 3, &failed), "");
    EXPECT_TRUE(failed);
    EXPECT_FALSE(mFile.Write("x", 1, -1));
    EXPECT_EQ(readTextFile(mDir.file("f")), "0123456789");
}

TEST_F(XFileIO, WritePositionModes) {
    ASSERT_TRUE(mFile.Seek(4, XFile::Origin::kStart));
    EXPECT_TRUE(mFile.Write("ab", 2, XFile::kAtCurrent));
    EXPECT_TRUE(mFile.Write("E", 1, XFile::kAtEnd));
    EXPECT_TRUE(mFile.Write("S", 1, XFile::kAtStart));
    EXPECT_EQ(mFile.Tell(), 1);
    EXPECT_EQ(readTextFile(mDir.file("f")), "S123ab6789E");
}

TEST_F(XFileIO, SeekTellSizeTruncate) {
    EXPECT_EQ(mFile.Size(), 10);
    EXPECT_TRUE(mFile.Seek(-3, XFile::Origin::kEnd));
    EXPECT_EQ(mFile.Tell(), 7);
    EXPECT_TRUE(mFile.Seek(-2, XFile::Origin::kCurrent));
    EXPECT_EQ(mFile.Tell(), 5);
    EXPECT_FALSE(mFile.Seek(-1, XFile::Origin::kStart));
    EXPECT_EQ(mFile.Tell(), 5);
    EXPECT_TRUE(mFile.Truncate(4));
    EXPECT_EQ(mFile.Size(), 4);
    EXPECT_EQ(read(10, XFile::kAtStart), "0123");
    EXPECT_TRUE(mFile.Truncate(6));
    EXPECT_EQ(read(10, XFile::kAtStart), std::string("0123\0\0", 6));
}

TEST_F(XFileIO, ClosedFileFailsEverything) {
    ASSERT_TRUE(mFile.Close());
    EXPECT_TRUE(mFile.Close());
    bool failed = false;
    EXPECT_EQ(read(3, XFile::kAtStart, &failed), "");
    EXPECT_TRUE(failed);
    EXPECT_FALSE(mFile.Write("x", 1, XFile::kAtStart));
    EXPECT_FALSE(mFile.Seek(0, XFile::Origin::kStart));
    EXPECT_EQ(mFile.Tell(), -1);
    EXPECT_EQ(mFile.Size(), -1);
    EXPECT_FALSE(mFile.Truncate(0));
    EXPECT_FALSE(mFile.Lock(Share::kShared, false));
    EXPECT_FALSE(mFile.Sync());
    EXPECT_FALSE(mFile.Duplicate().IsOpen());
}

TEST_F(XFileIO, DuplicateSharesThePositionAndOutlivesTheOriginal) {
    XFile copy = mFile.Duplicate();
    ASSERT_TRUE(copy.IsOpen());
    EXPECT_EQ(copy.Path(), mFile.Path());
    EXPECT_EQ(read(4, XFile::kAtStart), "0123");
    EXPECT_EQ(copy.Tell(), 4);
    mFile.Close();
    char buffer[3];
    EXPECT_EQ(copy.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "456");
}

// System calls that are interrupted or do only part of the work are carried on.

int gInterrupts = 0;

bool interruptNow() {
    if (++gInterrupts % 2 == 1) {
        errno = EINTR;
        return true;
    }
    return false;
}

bool interruptFirst() {
    if (++gInterrupts == 1) {
        errno = EINTR;
        return true;
    }
    return false;
}

TEST_F(XFileIO, InterruptedPartialAndFailedReadsAndWrites) {
    XSysOverride seam;
    gInterrupts = 0;
    seam.calls().read = [](int fd, void* buf, size_t count) -> ssize_t {
        return interruptNow() ? -1 : XSysReal().read(fd, buf, count > 0 ? 1 : 0);
    };
    seam.calls().write = [](int fd, const void* buf, size_t count) -> ssize_t {
        return interruptNow() ? -1 : XSysReal().write(fd, buf, count > 0 ? 1 : 0);
    };
    bool failed = true;
    EXPECT_EQ(read(8, XFile::kAtStart, &failed), "01234567");
    EXPECT_FALSE(failed);
    EXPECT_GE(gInterrupts, 16);
    EXPECT_TRUE(mFile.Write("abcdef", 6, XFile::kAtEnd));
    EXPECT_EQ(readTextFile(mDir.file("f")), "0123456789abcdef");

    seam.calls().write = [](int, const void*, size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    seam.calls().read = [](int, void*, size_t) -> ssize_t {
        errno = EIO;
        return -1;
    };
    EXPECT_FALSE(mFile.Write("abc", 3, XFile::kAtEnd));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(read(3, XFile::kAtStart, &failed), "");
    EXPECT_TRUE(failed);
}

TEST_F(XFileTest, InterruptedOpenAndLockAreRetried) {
    XSysOverride seam;
    seam.calls().open = [](const char* path, int flags, mode_t mode) {
        return interruptFirst() ? -1 : XSysReal().open(path, flags, mode);
    };
    gInterrupts = 0;
    XFile file;
    EXPECT_TRUE(file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew));
    seam.calls().open = XSysReal().open;
    seam.calls().flock = [](int fd, int operation) {
        return interruptFirst() ? -1 : XSysReal().flock(fd, operation);
    };
    gInterrupts = 0;
    XFile other;
    EXPECT_TRUE(other.Open(dir.xfile("g"), Access::kReadWrite, XFile::kCreateNew));
    EXPECT_EQ(gInterrupts, 2);
}

// Ownership

TEST_F(XFileTest, DescriptorsAreClosedByTheirLastOwner) {
    int fd = -1;
    {
        XFile file;
        ASSERT_TRUE(file.Open(dir.xfile("f"), Access::kReadWrite, XFile::kCreateNew));
        fd = file.Descriptor();
        EXPECT_TRUE(descriptorIsOpen(fd));
    }
    EXPECT_FALSE(descriptorIsOpen(fd));

    // A move hands the descriptor over.
    XFile target;
    {
        XFile source;
        ASSERT_TRUE(source.Open(dir.xfile("g"), Access::kReadWrite, XFile::kCreateNew));
        fd = source.Descriptor();
        target = std::move(source);
        EXPECT_FALSE(source.IsOpen());  // NOLINT(bugprone-use-after-move): the point here
    }
    EXPECT_TRUE(descriptorIsOpen(fd));
    EXPECT_EQ(target.Descriptor(), fd);
    XFile constructed(std::move(target));
    EXPECT_EQ(constructed.Descriptor(), fd);
    constructed = XFile();
    EXPECT_FALSE(descriptorIsOpen(fd));

    // An attached descriptor is closed only when owned.
    fd = ::open(dir.file("h").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    {
        XFile borrowed;
        borrowed.Attach(fd, false);
        EXPECT_TRUE(borrowed.Write("hi", 2, XFile::kAtStart));
    }
    EXPECT_TRUE(descriptorIsOpen(fd));
    {
        XFile owner;
        owner.Attach(fd, true);
    }
    EXPECT_FALSE(descriptorIsOpen(fd));
    EXPECT_EQ(readTextFile(dir.file("h")), "hi");
}

// Paths

TEST_F(XFileTest, DeleteAndRename) {
    writeTextFile(dir.file("a"), "A");
    writeTextFile(dir.file("b"), "B");
    EXPECT_TRUE(XFile::Rename(dir.xfile("a"), dir.xfile("b")));
    EXPECT_FALSE(fileExists(dir.file("a")));
    EXPECT_EQ(readTextFile(dir.file("b")), "A");
    EXPECT_FALSE(XFile::Rename(dir.xfile("a"), dir.xfile("c")));
    EXPECT_TRUE(XFile::Delete(dir.xfile("b")));
    EXPECT_FALSE(fileExists(dir.file("b")));
    EXPECT_FALSE(XFile::Delete(dir.xfile("b")));
}

TEST_F(XFileTest, CreateFolderPathMakesEveryMissingParentAskingForEveryPermission) {
    {
        ScopedUmask mask(022);
        const std::string deep = dir.file("a/b\xC3\xA9/c");
        ASSERT_TRUE(XFile::CreateFolderPath(XStr(deep)));
        struct stat st {};
        ASSERT_EQ(stat(deep.c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(permissionsOf(deep), 0755u);
        EXPECT_EQ(permissionsOf(dir.file("a")), 0755u);
        EXPECT_TRUE(XFile::CreateFolderPath(XStr(deep)));
        EXPECT_TRUE(XFile::CreateFolderPath(XStr(dir.path() + "//x///y/")));
        EXPECT_TRUE(fileExists(dir.file("x/y")));
    }
    ScopedUmask mask(0);
    ASSERT_TRUE(XFile::CreateFolderPath(dir.xfile("open/sub")));
    EXPECT_EQ(permissionsOf(dir.file("open")), 0777u);
    EXPECT_EQ(permissionsOf(dir.file("open/sub")), 0777u);
    // Not through a file.
    writeTextFile(dir.file("plain"), "x");
    EXPECT_FALSE(XFile::CreateFolderPath(dir.xfile("plain")));
    EXPECT_FALSE(XFile::CreateFolderPath(dir.xfile("plain/sub")));
    EXPECT_FALSE(XFile::CreateFolderPath(XStr()));
    EXPECT_EQ(readTextFile(dir.file("plain")), "x");
}

}  // namespace
