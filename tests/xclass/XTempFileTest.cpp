#include "XTempFile.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "TestSupport.h"
#include "XFile.h"
#include "XRandom.h"
#include "XSys.h"

namespace {

struct NameParts {
    std::string folder;
    std::string prefix;
    unsigned pid = 0;
    unsigned counter = 0;
    std::string extension;
};

// Takes a path of the form folder/<prefix>XTempFile-<pid>-<counter><extension> apart.
NameParts partsOf(const std::string& path) {
    NameParts parts;
    const size_t slash = path.rfind('/');
    parts.folder = path.substr(0, slash + 1);
    const std::string name = path.substr(slash + 1);
    const size_t marker = name.find("XTempFile-");
    EXPECT_NE(marker, std::string::npos) << path;
    if (marker == std::string::npos) {
        return parts;
    }
    parts.prefix = name.substr(0, marker);
    const char* p = name.c_str() + marker + std::strlen("XTempFile-");
    char* end = nullptr;
    parts.pid = static_cast<unsigned>(std::strtoul(p, &end, 10));
    EXPECT_EQ(*end, '-') << path;
    parts.counter = static_cast<unsigned>(std::strtoul(end + 1, &end, 10));
    parts.extension = end;
    return parts;
}

class XTempFileTest : public testing::Test {
protected:
    TestTempDir mDir;
    ScopedEnv mLocation{"XTempFolderScope_Location", mDir.path().c_str()};
};

TEST_F(XTempFileTest, AnEmptyRegularFileInTheFolderNamedWithPidCounterPrefixAndExtension) {
    EXPECT_EQ(XTempFile::Folder(), XStr(mDir.path() + "/"));
    XTempFile plain;
    ASSERT_TRUE(plain.Create());
    struct stat st {};
    ASSERT_EQ(stat(plain.Path().utf8().c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_size, 0);
    const NameParts a = partsOf(plain.Path().utf8());
    EXPECT_EQ(a.folder, mDir.path() + "/");
    EXPECT_EQ(a.prefix, "");
    EXPECT_EQ(a.pid, static_cast<unsigned>(getpid()));
    EXPECT_EQ(a.extension, ".tmp");
    EXPECT_EQ(plain.Path().utf8(), mDir.path() + "/XTempFile-" + std::to_string(a.pid) + "-" +
                                       std::to_string(a.counter) + ".tmp");

    XTempFile named;
    ASSERT_TRUE(named.Create("job\xC3\xA9-", ".mp4"));
    const NameParts b = partsOf(named.Path().utf8());
    EXPECT_EQ(b.prefix, "job\xC3\xA9-");
    EXPECT_EQ(b.extension, ".mp4");
    EXPECT_TRUE(fileExists(named.Path().utf8()));
    // Two in a row have counters one apart.
    EXPECT_EQ(b.counter, a.counter + 1);
    // A location with a trailing slash gets no second one.
    ScopedEnv slash("XTempFolderScope_Location", (mDir.path() + "/").c_str());
    EXPECT_EQ(XTempFile::Folder(), XStr(mDir.path() + "/"));
}

TEST_F(XTempFileTest, ExistingNameIsNeverReused) {
    XTempFile probe;
    ASSERT_TRUE(probe.Create());
    const NameParts parts = partsOf(probe.Path().utf8());
    // Someone else already has the next name.
    const std::string next = parts.folder + "XTempFile-" + std::to_string(parts.pid) + "-" +
                             std::to_string(parts.counter + 1) + ".tmp";
    writeTextFile(next, "not yours");
    XTempFile temp;
    ASSERT_TRUE(temp.Create());
    EXPECT_EQ(partsOf(temp.Path().utf8()).counter, parts.counter + 2);
    EXPECT_EQ(readTextFile(next), "not yours");
}

TEST_F(XTempFileTest, TheFileGoesWithItsOwnerUnlessReleasedOrMoved) {
    std::string path;
    {
        XTempFile temp;
        ASSERT_TRUE(temp.Create());
        const std::string first = temp.Path().utf8();
        // Creating again deletes the previous file.
        ASSERT_TRUE(temp.Create("", ".wav"));
        EXPECT_FALSE(fileExists(first));
        path = temp.Path().utf8();
        ASSERT_TRUE(fileExists(path));
    }
    EXPECT_FALSE(fileExists(path));
    std::string kept;
    {
        XTempFile temp;
        ASSERT_TRUE(temp.Create());
        kept = temp.Release().utf8();
        EXPECT_TRUE(temp.Path().empty());
    }
    EXPECT_TRUE(fileExists(kept));

    XTempFile target;
    std::string moved;
    {
        XTempFile source;
        ASSERT_TRUE(source.Create());
        moved = source.Path().utf8();
        target = std::move(source);
    }
    EXPECT_TRUE(fileExists(moved));
    EXPECT_EQ(target.Path().utf8(), moved);
    target.Delete();
    EXPECT_FALSE(fileExists(moved));
}

TEST_F(XTempFileTest, MissingFolderFailsInsteadOfLooping) {
    ScopedEnv missing("XTempFolderScope_Location", (mDir.path() + "/gone").c_str());
    XTempFile temp;
    EXPECT_FALSE(temp.Create());
    EXPECT_TRUE(temp.Path().empty());
}

TEST_F(XTempFileTest, ThreadsNeverShareAName) {
    constexpr int kThreads = 8;
    constexpr int kEach = 40;
    std::vector<std::vector<std::string>> names(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&names, t] {
            for (int i = 0; i < kEach; ++i) {
                XTempFile temp;
                if (temp.Create()) {
                    names[t].push_back(temp.Release().utf8());
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::set<std::string> unique;
    for (const auto& list : names) {
        unique.insert(list.begin(), list.end());
    }
    EXPECT_EQ(unique.size(), static_cast<size_t>(kThreads * kEach));
}

TEST(XTempFileFolder, LocationWinsOverTmpdirThenSlashTmp) {
    ScopedEnv location("XTempFolderScope_Location", nullptr);
    {
        ScopedEnv tmpdir("TMPDIR", "/var/somewhere");
        EXPECT_EQ(XTempFile::Folder(), XStr("/var/somewhere/"));
    }
    {
        ScopedEnv tmpdir("TMPDIR", nullptr);
        EXPECT_EQ(XTempFile::Folder(), XStr("/tmp/"));
    }
    {
        ScopedEnv tmpdir("TMPDIR", "");
        ScopedEnv empty("XTempFolderScope_Location", "");
        EXPECT_EQ(XTempFile::Folder(), XStr("/tmp/"));
    }
    // The location is read as UTF-8.
    ScopedEnv tmpdir("TMPDIR", "/var/other");
    ScopedEnv utf8Location("XTempFolderScope_Location", "/data/t\xC3\xA9mp");
    const XStr folder = XTempFile::Folder();
    EXPECT_EQ(folder.size(), std::string("/data/t?mp/").size());
    EXPECT_EQ(folder[7], U'\u00E9');
    EXPECT_EQ(folder.utf8(), "/data/t\xC3\xA9mp/");
}

// Random identifiers

bool isLowerHex(const std::string& text) {
    return text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

TEST(XRandomIdentifier, DifferentThirtyTwoLowercaseHexDigitsUsingEveryDigit) {
    // 16 bytes per call: after a few hundred calls every hex digit has shown up in both
    // halves of a byte, which a fault in the high or low nibble would prevent.
    std::set<std::string> seen;
    std::set<char> high;
    std::set<char> low;
    for (int i = 0; i < 200; ++i) {
        const std::string id = XRandomIdentifier().utf8();
        EXPECT_EQ(id.size(), 32u);
        EXPECT_TRUE(isLowerHex(id)) << id;
        seen.insert(id);
        for (size_t j = 0; j + 1 < id.size(); j += 2) {
            high.insert(id[j]);
            low.insert(id[j + 1]);
        }
    }
    EXPECT_EQ(seen.size(), 200u);
    EXPECT_EQ(high.size(), 16u);
    EXPECT_EQ(low.size(), 16u);
}

TEST(XRandomIdentifier, WorksWithoutDevUrandom) {
    XSysOverride seam;
    seam.calls().open = [](const char* path, int flags, mode_t mode) {
        if (std::strcmp(path, "/dev/urandom") == 0) {
            errno = ENOENT;
            return -1;
        }
        return XSysReal().open(path, flags, mode);
    };
    const std::string a = XRandomIdentifier().utf8();
    const std::string b = XRandomIdentifier().utf8();
    EXPECT_EQ(a.size(), 32u);
    EXPECT_TRUE(isLowerHex(a)) << a;
    EXPECT_NE(a, b);
}

}  // namespace
