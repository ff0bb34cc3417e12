// Several processes on one store: writers never lose each other's values, and a writer
// killed at any moment leaves either the old or the new store, whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "RegistryTestSupport.h"
#include "XRegistry.h"
#include "XSys.h"

namespace {

class XRegistryProcessTest : public RegistryTest {
protected:
    XRegistryProcessTest() : RegistryTest(memoryFolder()) {}
};

constexpr int kWriters = 4;
constexpr int kValuesEach = 250;
constexpr int kKills = 200;
constexpr int kValuesPerVersion = 200;

std::string valueName(int writer, int i) {
    return "w" + std::to_string(writer) + "_" + std::to_string(i);
}

std::string valueText(int writer, int i) {
    return "value " + std::to_string(writer * 1000 + i);
}

int waitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Half of the values go in by immediate writes, half by one-value transactions.
int writeValues(int writer, int readFd) {
    char go = 0;
    if (read(readFd, &go, 1) != 0) {
        return 2;
    }
    for (int i = 0; i < kValuesEach; ++i) {
        if (i % 2 == 0) {
            XRegistry::SetString(valueName(writer, i), valueText(writer, i));
        } else {
            XRegistryTransaction transaction;
            transaction.SetString(valueName(writer, i), valueText(writer, i));
            transaction.Commit();
        }
    }
    return 0;
}

TEST_F(XRegistryProcessTest, FourProcessesCommittingAtOnceLoseNothing) {
    XRegistry::SetString("before", "x");
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(gate[1]);
            _exit(writeValues(w, gate[0]));
        }
        ASSERT_GT(pid, 0);
        children.push_back(pid);
    }
    close(gate[0]);
    // Closing the gate's write end starts every writer at the same moment.
    close(gate[1]);
    for (const pid_t pid : children) {
        const int status = waitFor(pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    const XJSON::Owned tree = storeTree();
    ASSERT_NE(tree, nullptr);
    XStrList values;
    ASSERT_TRUE(XRegistry::EnumValues({}, {}, values));
    EXPECT_EQ(values.size(), 1u + kWriters * kValuesEach);
    int found = 0;
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kValuesEach; ++i) {
            bool missing = true;
            const XStr text = XRegistry::GetString(valueName(w, i), {}, {}, &missing);
            found += !missing && text == XStr(valueText(w, i)) ? 1 : 0;
        }
    }
    EXPECT_EQ(found, kWriters * kValuesEach);
    EXPECT_EQ(XRegistry::GetString("before"), "x");
}

// Every value of a version carries the version's number, so a mixture shows.
void writeVersion(int version) {
    XRegistryTransaction transaction;
    for (int i = 0; i < kValuesPerVersion; ++i) {
        transaction.SetString("v" + std::to_string(i), "version " + std::to_string(version) +
                                                           " of value " + std::to_string(i));
    }
    transaction.SetInt("version", version);
    transaction.Commit();
}

// A slow disk: short writes with pauses, so that the kills often land while the new
// content is on its way.
ssize_t slowWrite(int fd, const void* buffer, size_t count) {
    std::this_thread::sleep_for(std::chrono::microseconds(20));
    return XSysReal().write(fd, buffer, std::min<size_t>(count, 512));
}

// The version the store holds, or -1 when it is not exactly one whole version.
int versionOnDisk(const XJSON::AnyType& tree) {
    const XJSON::Object& key = defaultKeyOf(tree);
    if (key.Count() != kValuesPerVersion + 1) {
        return -1;
    }
    const auto version = static_cast<int>(key.Get("version").AsNumber().Value);
    for (int i = 0; i < kValuesPerVersion; ++i) {
        const XStr expected("version " + std::to_string(version) + " of value " +
                            std::to_string(i));
        if (key.Get("v" + std::to_string(i)).AsString().Value != expected) {
            return -1;
        }
    }
    return version;
}

// A writer that says "started" on the pipe, then commits one version after the other;
// with `marks` it also says "committed" after each one.
[[noreturn]] void runWriter(int writeFd, int firstVersion, bool marks) {
    XSys().write = slowWrite;
    const char started = 's';
    const char committed = 'c';
    (void)::write(writeFd, &started, 1);
    for (int next = firstVersion;; ++next) {
        writeVersion(next);
        if (marks) {
            (void)::write(writeFd, &committed, 1);
        }
    }
}

bool readMark(int readFd) {
    char mark = 0;
    return ::read(readFd, &mark, 1) == 1;
}

TEST_F(XRegistryProcessTest, AWriterKilledAtAnyMomentLeavesAWholeStore) {
    writeVersion(0);
    int version = 0;

    // The first commit of a freshly forked writer, the slowest of three: that is the commit
    // the kills below interrupt. A child under a sanitizer copies its shadow memory page by
    // page, so its first commit takes far longer than its parent's or its own later ones.
    std::chrono::microseconds commit{};
    for (int trial = 0; trial < 3; ++trial) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            ::close(fds[0]);
            runWriter(fds[1], version + 1, true);
        }
        ASSERT_GT(pid, 0);
        ::close(fds[1]);
        ASSERT_TRUE(readMark(fds[0]));
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(readMark(fds[0]));
        commit = std::max(commit, std::chrono::duration_cast<std::chrono::microseconds>(
                                      std::chrono::steady_clock::now() - start));
        ::kill(pid, SIGKILL);
        waitFor(pid);
        ::close(fds[0]);
        const XJSON::Owned tree = XJSON::ReadFile(XStr(storePath()), 1 << 30);
        ASSERT_NE(tree, nullptr);
        const int onDisk = versionOnDisk(*tree);
        ASSERT_GT(onDisk, version);
        version = onDisk;
    }

    // Each writer commits one version after the other until it is killed, so every moment
    // of its life lies inside some commit: reading, changing, writing or replacing. The
    // delay counts from the writer's start, not from the fork.
    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delay(0, commit.count() * 2);
    int unchanged = 0;
    int advanced = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            ::close(fds[0]);
            runWriter(fds[1], version + 1, false);
        }
        ASSERT_GT(pid, 0);
        ::close(fds[1]);
        const bool started = readMark(fds[0]);
        ::close(fds[0]);
        if (started) {
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        }
        ::kill(pid, SIGKILL);
        waitFor(pid);
        ASSERT_TRUE(started) << "writer " << kill << " ended before it started";

        const XJSON::Owned tree = XJSON::ReadFile(XStr(storePath()), 1 << 30);
        ASSERT_NE(tree, nullptr) << "unparsable store after kill " << kill;
        const int onDisk = versionOnDisk(*tree);
        ASSERT_GE(onDisk, version) << "kill " << kill << " left a store that is no whole version";
        (onDisk == version ? unchanged : advanced) += 1;
        version = onDisk;
    }
    // Kills before the first commit of a writer and kills later both happen.
    EXPECT_GT(unchanged, 0);
    EXPECT_GT(advanced, 0);
    std::printf("[ kills    ] %d left the version as it was, %d a later one; one commit %ld us\n",
                unchanged, advanced, static_cast<long>(commit.count()));
    // The store stays usable for the next writer.
    XRegistry::SetDWORD("after", 1);
    EXPECT_EQ(XRegistry::GetDWORD("after"), 1u);
}

}  // namespace
