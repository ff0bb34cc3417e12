// The read cache: served from memory while the file stays the same, read again as soon
// as anything about the file changed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ProcessTestSupport.h"
#include "RegistryTestSupport.h"
#include "XRegistry.h"
#include "XSys.h"

namespace {

using XRegistryCacheTest = RegistryTest;

int gOpens = 0;

int countingOpen(const char* path, int flags, mode_t mode) {
    ++gOpens;
    return XSysReal().open(path, flags, mode);
}

const char* storeWith(int value) {
    static std::string text;
    text = "{\"HKCU\":{\"v\":" + std::to_string(value) + "}}";
    return text.c_str();
}

// Rewrites the file where it is, keeping its inode.
void overwriteInPlace(const std::string& path, const std::string& content) {
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(fd);
}

TEST_F(XRegistryCacheTest, ReadsAreServedFromMemory) {
    XRegistry::SetDWORD("v", 1);
    EXPECT_EQ(XRegistry::GetDWORD("v"), 1u);
    gOpens = 0;
    {
        XSysOverride seam;
        seam.calls().open = countingOpen;
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(XRegistry::GetDWORD("v"), 1u);
        }
    }
    EXPECT_EQ(gOpens, 0);
}

TEST_F(XRegistryCacheTest, WritesOfOtherProcessesAreSeenAtOnce) {
    // Each write lands well within the same second as the read before it.
    for (int i = 1; i <= 20; ++i) {
        ASSERT_EQ(XRegistry::GetDWORD("v"), static_cast<uint32_t>(i - 1));
        ASSERT_EQ(runInChild([i] {
                      XRegistry::SetDWORD("v", static_cast<uint32_t>(i));
                      return 0;
                  }),
                  0);
        ASSERT_EQ(XRegistry::GetDWORD("v"), static_cast<uint32_t>(i));
    }
}

// Whatever tells the files apart, a change is seen: the time within the same second, the
// size, or the file itself.
TEST_F(XRegistryCacheTest, AnEditOrReplacementIsSeenWhateverItKeeps) {
    writeStore(storeWith(1));
    ASSERT_EQ(XRegistry::GetDWORD("v", "HKCU", ""), 1u);
    const struct timespec before = modifiedTime(storePath());
    overwriteInPlace(storePath(), storeWith(2));
    struct timespec sameSecond = before;
    sameSecond.tv_nsec = (before.tv_nsec + 1) % 1000000000;
    setModifiedTime(storePath(), sameSecond);
    EXPECT_EQ(XRegistry::GetDWORD("v", "HKCU", ""), 2u);

    overwriteInPlace(storePath(), storeWith(12345));
    setModifiedTime(storePath(), sameSecond);
    EXPECT_EQ(XRegistry::GetDWORD("v", "HKCU", ""), 12345u);

    const std::string next = dir().file("next");
    writeTextFile(next, storeWith(34567));
    setModifiedTime(next, sameSecond);
    ASSERT_EQ(rename(next.c_str(), storePath().c_str()), 0);
    EXPECT_EQ(XRegistry::GetDWORD("v", "HKCU", ""), 34567u);
}

TEST_F(XRegistryCacheTest, AnotherLocationIsAnotherStore) {
    XRegistry::SetDWORD("v", 1);
    TestTempDir other;
    ScopedEnv location("XCLASS_XREGISTRY_LOCATION", other.file("XRegistry").c_str());
    bool missing = false;
    XRegistry::GetDWORD("v", {}, {}, &missing);
    EXPECT_TRUE(missing);
    XRegistry::SetDWORD("v", 2);
    EXPECT_EQ(XRegistry::GetDWORD("v"), 2u);
}

TEST_F(XRegistryCacheTest, ThreadsReadWhileAnotherWrites) {
    constexpr uint32_t kLast = 60;
    XRegistry::SetDWORD("v", 0);
    std::atomic<bool> done{false};
    std::atomic<int> backwards{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&] {
            uint32_t seen = 0;
            while (!done.load()) {
                bool missing = true;
                const uint32_t now = XRegistry::GetDWORD("v", {}, {}, &missing);
                if (missing || now < seen || now > kLast) {
                    ++backwards;
                }
                seen = now;
            }
        });
    }
    for (uint32_t i = 1; i <= kLast; ++i) {
        XRegistry::SetDWORD("v", i);
    }
    done = true;
    for (std::thread& reader : readers) {
        reader.join();
    }
    EXPECT_EQ(backwards.load(), 0);
    EXPECT_EQ(XRegistry::GetDWORD("v"), kLast);
}

TEST_F(XRegistryCacheTest, WritersOnSeveralThreadsAllLand) {
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                XRegistry::SetInt("t" + std::to_string(t) + "_" + std::to_string(i), i);
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    XStrList values;
    ASSERT_TRUE(XRegistry::EnumValues({}, {}, values));
    EXPECT_EQ(values.size(), 100u);
}

}  // namespace
