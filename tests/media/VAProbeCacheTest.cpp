#include "VAProbeCache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>

#include "FifoRescue.h"
#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAMutableTag.h"
#include "VAProbeCacheFile.h"
#include "XSys.h"

namespace {

class VAProbeCacheTest : public ::testing::Test {
protected:
    std::string cachePath() const { return mDir.file("cache/ProbeCache.json"); }

    // A media file of its own: content, a fixed modification time, and a probe record.
    std::string makeFile(const std::string& name, const std::string& content = "media") {
        const std::string path = mDir.file(name);
        writeTextFile(path, content);
        setModifiedTime(path, {1700000000, 123456789});
        return path;
    }

    static VAMediaFileInfo recordFor(const std::string& path, const char* title) {
        VAMediaFileInfo info;
        info.setURL(XStr(path));
        VAMutableTag ids;
        ids.addTag("title", title);
        ids.addTag("comment", "line 1\rline 2");
        VAMutableTag props;
        props.addTag("Length", "0:01");
        props.addTag("Streams", "0 Video : x");
        info.setIDTags(ids);
        info.setMediaProps(props);
        info.setLengthMS(1500);
        info.setProbedCleanly(true);
        return info;
    }

    static VAFileStat statOf(const std::string& path) {
        std::optional<VAFileStat> s = VAFileStat::of(XStr(path));
        EXPECT_TRUE(s);
        return s.value_or(VAFileStat());
    }

    // What another run of the program finds.
    std::shared_ptr<VAMediaFileInfo> findInNewRun(const std::string& path) {
        VAProbeCache fresh{XStr(cachePath())};
        return fresh.find(XStr(path), statOf(path));
    }

    TestTempDir mDir;
};

}  // namespace

TEST_F(VAProbeCacheTest, ARecordSurvivesIntoTheNextRunWithEverythingItHeld) {
    const std::string path = makeFile("a.mp4");
    {
        VAProbeCache cache{XStr(cachePath())};
        cache.store(recordFor(path, "Hello"), statOf(path));
        ASSERT_TRUE(cache.save());
    }
    const std::shared_ptr<VAMediaFileInfo> found = findInNewRun(path);
    ASSERT_TRUE(found);
    const VAMediaFileInfo expected = recordFor(path, "Hello");
    EXPECT_EQ(found->url(), expected.url());
    EXPECT_EQ(found->IDTags(), expected.IDTags());
    EXPECT_EQ(found->MediaProps(), expected.MediaProps());
    EXPECT_EQ(found->lengthMS(), 1500u);
    EXPECT_EQ(found->lastModified(), VAMediaFileInfo::fileTimeFromUnix(1700000000));
    EXPECT_TRUE(found->probedCleanly());
}

TEST_F(VAProbeCacheTest, AChangedFileIsNotFoundAndItsNewProbeReplacesTheRecord) {
    const std::string path = makeFile("a.mp4");
    VAProbeCache cache{XStr(cachePath())};
    cache.store(recordFor(path, "Hello"), statOf(path));
    EXPECT_TRUE(cache.find(XStr(path), statOf(path)));
    // One nanosecond later is another version of the file.
    setModifiedTime(path, {1700000000, 123456790});
    EXPECT_FALSE(cache.find(XStr(path), statOf(path)));
    setModifiedTime(path, {1700000000, 123456789});
    EXPECT_TRUE(cache.find(XStr(path), statOf(path)));
    writeTextFile(path, "longer media");
    setModifiedTime(path, {1700000000, 123456789});
    EXPECT_FALSE(cache.find(XStr(path), statOf(path)));
    EXPECT_FALSE(cache.find(XStr(mDir.file("other.mp4")), statOf(path)));
    // A new probe of the path replaces the old record.
    cache.store(recordFor(path, "New"), statOf(path));
    ASSERT_TRUE(cache.save());
    EXPECT_EQ(cache.size(), 1u);
    ASSERT_TRUE(findInNewRun(path));
    EXPECT_EQ(findInNewRun(path)->getIDTagValueOf("title"), "New");
    // Records of unclean probes are not kept.
    const std::string other = makeFile("b.mp4");
    VAMediaFileInfo info = recordFor(other, "T");
    info.setProbedCleanly(false);
    cache.store(info, statOf(other));
    EXPECT_FALSE(cache.find(XStr(other), statOf(other)));
    EXPECT_EQ(cache.size(), 1u);
}

TEST_F(VAProbeCacheTest, TheOldestRecordsGoWhenTheCacheIsFull) {
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i) {
        paths.push_back(makeFile("f" + std::to_string(i)));
    }
    {
        VAProbeCache cache(XStr(cachePath()), 3);
        cache.store(recordFor(paths[0], "0"), statOf(paths[0]));
        cache.store(recordFor(paths[1], "1"), statOf(paths[1]));
        cache.store(recordFor(paths[2], "2"), statOf(paths[2]));
        // Using a record makes it young again.
        EXPECT_TRUE(cache.find(XStr(paths[0]), statOf(paths[0])));
        cache.store(recordFor(paths[3], "3"), statOf(paths[3]));
        cache.store(recordFor(paths[4], "4"), statOf(paths[4]));
        EXPECT_EQ(cache.size(), 3u);
        ASSERT_TRUE(cache.save());
    }
    const std::optional<std::vector<VAProbeCacheRecord>> onDisk =
        VAProbeCacheFile::read(XStr(cachePath()));
    ASSERT_TRUE(onDisk);
    XStrList kept;
    for (const VAProbeCacheRecord& r : *onDisk) {
        kept.push_back(r.idTags.GetString("title"));
    }
    EXPECT_EQ(kept, (XStrList{"0", "3", "4"}));
}

TEST_F(VAProbeCacheTest, ADamagedFileIsIgnoredAndReplacedByTheNextSave) {
    const std::string path = makeFile("a.mp4");
    std::filesystem::create_directories(mDir.file("cache"));
    for (const char* damage : {"{\"version\": 1, \"records\": [", "\x01\x02garbage",
                               "{\"version\": 99, \"records\": []}", "[]"}) {
        writeTextFile(cachePath(), damage);
        VAProbeCache cache{XStr(cachePath())};
        EXPECT_FALSE(cache.find(XStr(path), statOf(path)));
        EXPECT_EQ(cache.size(), 0u);
        cache.store(recordFor(path, "T"), statOf(path));
        ASSERT_TRUE(cache.save());
        EXPECT_TRUE(findInNewRun(path)) << damage;
    }
}

TEST_F(VAProbeCacheTest, AFileThatCannotBeReadIsNeverWaitedOnNorReplaced) {
    const std::string path = makeFile("a.mp4");
    std::filesystem::create_directories(mDir.file("cache"));
    struct Case {
        const char* what;
        std::function<void()> make;
        bool fifo;
    };
    const Case cases[] = {
        {"a FIFO", [] {}, true},
        // Sparse, so "too large" costs no disk.
        {"too large",
         [&] {
             writeTextFile(cachePath(), "{\"version\": 1, \"records\": []}");
             ASSERT_EQ(truncate(cachePath().c_str(), VAProbeCacheFile::kMaxFileBytes + 1), 0);
         },
         false},
        {"far too large",
         [&] {
             writeTextFile(cachePath(), "{\"version\": 1, \"records\": []}");
             ASSERT_EQ(truncate(cachePath().c_str(), int64_t{1} << 36), 0);
         },
         false},
    };
    for (const Case& c : cases) {
        std::remove(cachePath().c_str());
        std::optional<FifoRescue> fifo;
        if (c.fifo) {
            fifo.emplace(cachePath());
            ASSERT_TRUE(fifo->made());
        }
        c.make();
        struct stat before {};
        ASSERT_EQ(lstat(cachePath().c_str(), &before), 0);
        VAProbeCache cache{XStr(cachePath())};
        EXPECT_FALSE(cache.find(XStr(path), statOf(path))) << c.what;
        cache.store(recordFor(path, "T"), statOf(path));
        EXPECT_TRUE(cache.find(XStr(path), statOf(path))) << c.what;
        EXPECT_FALSE(cache.save()) << c.what;
        cache.refresh();
        struct stat after {};
        ASSERT_EQ(lstat(cachePath().c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << c.what << " was replaced";
        EXPECT_EQ(after.st_size, before.st_size) << c.what;
        if (fifo) {
            EXPECT_FALSE(fifo->fired()) << c.what << " was waited on";
        }
    }
}

TEST_F(VAProbeCacheTest, AWriteLeavesOutTheOldestRecordsThatWouldNotFit) {
    const std::string path = makeFile("a.mp4");
    std::vector<VAProbeCacheRecord> records;
    for (int i = 0; i < 100; ++i) {
        VAProbeCacheRecord r;
        r.path = XStr(path + std::to_string(i));
        r.stat = statOf(path);
        r.idTags.AddElement("title", XStr(std::string(1000, 'x')));
        records.push_back(std::move(r));
    }
    std::filesystem::create_directories(mDir.file("cache"));
    const int64_t limit = 40000;
    ASSERT_GT(static_cast<int64_t>(VAProbeCacheFile::render(records).size()), limit);
    ASSERT_TRUE(VAProbeCacheFile::write(XStr(cachePath()), records, limit));
    struct stat st {};
    ASSERT_EQ(stat(cachePath().c_str(), &st), 0);
    EXPECT_LE(st.st_size, limit);
    const std::optional<std::vector<VAProbeCacheRecord>> back =
        VAProbeCacheFile::read(XStr(cachePath()));
    ASSERT_TRUE(back);
    // The newest records, in order: never more than fit, and at most an eighth fewer.
    std::size_t fit = 0;
    while (fit < records.size() &&
           static_cast<int64_t>(VAProbeCacheFile::render(
                                    std::vector<VAProbeCacheRecord>(
                                        records.end() - static_cast<long>(fit + 1), records.end()))
                                    .size()) <= limit) {
        ++fit;
    }
    ASSERT_LE(back->size(), fit);
    ASSERT_GE(back->size() * 8, fit * 7);
    for (std::size_t i = 0; i < back->size(); ++i) {
        EXPECT_EQ((*back)[i].path, records[records.size() - back->size() + i].path);
    }
}

TEST_F(VAProbeCacheTest, APathThatIsNotUtf8KeepsItsRecord) {
    const std::string path = makeFile("lat\xe9 \xff.mp4");
    {
        VAProbeCache cache{XStr(cachePath())};
        cache.store(recordFor(path, "Bytes"), statOf(path));
        ASSERT_TRUE(cache.save());
    }
    const std::shared_ptr<VAMediaFileInfo> found = findInNewRun(path);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->url().utf8(), path);
    EXPECT_EQ(found->getIDTagValueOf("title"), "Bytes");
    // The file itself is well-formed UTF-8.
    EXPECT_EQ(XStr(readTextFile(cachePath())).utf8(),
              XStr(readTextFile(cachePath())).displayUtf8());
}

TEST_F(VAProbeCacheTest, DamagedRecordsAreSkippedAndTheRestRead) {
    const std::string path = makeFile("a.mp4");
    const VAFileStat stat = statOf(path);
    const std::string good = "{\"path\": \"" + path + "\", \"size\": 5, \"mtimeNs\": \"" +
                             std::to_string(stat.modifiedNs()) +
                             "\", \"lengthMS\": 5, \"IDTags\": [[\"title\", \"T\"]], "
                             "\"MediaProps\": []}";
    writeTextFile(mDir.file("c.json"),
                  "{\"version\": 1, \"records\": [{\"path\": 5}, " + good +
                      ", {\"path\": \"/x\", \"size\": -1, \"mtimeNs\": \"1\", \"lengthMS\": 0, "
                      "\"IDTags\": [], \"MediaProps\": []}, "
                      "{\"path\": \"/y\", \"size\": 1, \"mtimeNs\": \"1e9\", \"lengthMS\": 0, "
                      "\"IDTags\": [], \"MediaProps\": []}, "
                      "{\"path\": \"/z\", \"size\": 1, \"mtimeNs\": \"1\", \"lengthMS\": 0, "
                      "\"IDTags\": [[\"a\"]], \"MediaProps\": []}]}");
    const auto records = VAProbeCacheFile::read(XStr(mDir.file("c.json")));
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ(records->front().path, XStr(path));
    EXPECT_EQ(records->front().stat.modifiedNs(), stat.modifiedNs());
}

TEST_F(VAProbeCacheTest, TheFileIsReplacedWholeAndAFailedWriteKeepsTheOldOne) {
    const std::string a = makeFile("a.mp4");
    const std::string b = makeFile("b.mp4");
    VAProbeCache cache{XStr(cachePath())};
    cache.store(recordFor(a, "A"), statOf(a));
    ASSERT_TRUE(cache.save());
    const std::string before = readTextFile(cachePath());
    {
        XSysOverride failing;
        failing.calls().write = [](int, const void*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
        cache.store(recordFor(b, "B"), statOf(b));
        EXPECT_FALSE(cache.save());
    }
    EXPECT_EQ(readTextFile(cachePath()), before);
    // Nothing but the cache and its lock file is left in the folder.
    EXPECT_EQ(folderEntries(mDir.file("cache")),
              (std::vector<std::string>{"ProbeCache.json", "ProbeCache.json.lock"}));
    // The record that could not be written goes with the next save.
    ASSERT_TRUE(cache.save());
    EXPECT_TRUE(findInNewRun(b));
}

TEST_F(VAProbeCacheTest, TwoRunsSavingInTurnKeepEachOthersRecords) {
    const std::string a = makeFile("a.mp4");
    const std::string b = makeFile("b.mp4");
    VAProbeCache first{XStr(cachePath())};
    VAProbeCache second{XStr(cachePath())};
    EXPECT_EQ(first.size(), 0u);
    EXPECT_EQ(second.size(), 0u);
    first.store(recordFor(a, "A"), statOf(a));
    second.store(recordFor(b, "B"), statOf(b));
    ASSERT_TRUE(first.save());
    ASSERT_TRUE(second.save());
    EXPECT_TRUE(findInNewRun(a));
    EXPECT_TRUE(findInNewRun(b));
    // The first run learns what the second saved.
    EXPECT_FALSE(first.find(XStr(b), statOf(b)));
    first.refresh();
    EXPECT_TRUE(first.find(XStr(b), statOf(b)));
}

TEST_F(VAProbeCacheTest, ConcurrentProcessesLoseNoRecords) {
    constexpr int kProcesses = 4;
    constexpr int kRounds = 10;
    const std::string media = makeFile("a.mp4");
    const VAFileStat stat = statOf(media);
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            VAProbeCache cache{XStr(cachePath())};
            bool ok = true;
            for (int r = 0; r < kRounds; ++r) {
                // Each record under its own path; the stat of one real file serves for all.
                VAMediaFileInfo info = recordFor(media, "x");
                info.setURL(XStr(media + "." + std::to_string(p) + "." + std::to_string(r)));
                cache.store(info, stat);
                ok = cache.save() && ok;
            }
            _exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto records = VAProbeCacheFile::read(XStr(cachePath()));
    ASSERT_TRUE(records);
    EXPECT_EQ(records->size(), static_cast<std::size_t>(kProcesses * kRounds));
}

TEST_F(VAProbeCacheTest, SharedCacheLivesInTheApplicationDataFolder) {
    const ScopedEnv appData("_APPDATA_OVERRIDE", mDir.path().c_str());
    VAAppDataFolder::registerAppName("VantaroVideo");
    const std::shared_ptr<VAProbeCache> shared = VAProbeCache::shared();
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->path(), XStr(mDir.file("VantaroVideo/ProbeCache.json")));
    EXPECT_EQ(VAProbeCache::shared(), shared);
    VAProbeCache::setSharedEnabled(false);
    EXPECT_FALSE(VAProbeCache::shared());
    VAProbeCache::setSharedEnabled(true);
    VAAppDataFolder::registerAppName("");
    EXPECT_FALSE(VAProbeCache::shared());
}
