#include "VAFileInfoCache.h"

#include "VAFileInfoTransform_Columns.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "FakeProbe.h"
#include "VAMediaProbe.h"
#include "XRunLoop.h"

namespace {

class Listener : public VAFileInfoCacheCallback {
public:
    void onInfosLoaded(std::size_t countLoaded) override { counts.push_back(countLoaded); }
    std::vector<std::size_t> counts;
};

class VAFileInfoCacheTest : public ::testing::Test {
protected:
    VAFileInfoCacheTest() : mProbe(mDir) { XMainThread::setPoster(mLoop); }
    ~VAFileInfoCacheTest() override { XMainThread::setPoster(nullptr); }

    static VAFileInfoCache::Options noDiskCache() {
        VAFileInfoCache::Options o;
        o.useSharedProbeCache = false;
        return o;
    }
    bool runUntilLoaded(const VAFileInfoCache& cache, uint32_t timeoutMs = 20000) {
        return mLoop->runUntil([&] { return cache.allLoaded(); }, timeoutMs);
    }
    // count files named <prefix>0, <prefix>1, ... whose probes take that long.
    XStrList files(int count, double seconds, const std::string& prefix = "f") const {
        XStrList urls;
        for (int i = 0; i < count; ++i) {
            urls.emplace_back(mProbe.makeFile(prefix + std::to_string(i), seconds));
        }
        return urls;
    }
    static XStrList titles(const VAFileInfoCache& cache) {
        XStrList list;
        for (std::size_t i = 0; i < cache.countLoaded(); ++i) {
            list.push_back(cache.mediaInfoForIndex(i)->getIDTagValueOf("title"));
        }
        return list;
    }

    TestTempDir mDir;
    FakeProbe mProbe;
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
};

}  // namespace

TEST_F(VAFileInfoCacheTest, RecordsArriveInListOrderWhileProbesRunSideBySide) {
    // The first probes take longest, so later ones finish first.
    XStrList urls;
    XStrList expected;
    for (int i = 0; i < 6; ++i) {
        const std::string name = "clip" + std::to_string(i) + ".mp4";
        urls.emplace_back(mProbe.makeFile(name, i < 2 ? 0.6 : 0.1));
        expected.emplace_back(name);
    }
    VAFileInfoCache cache(urls, nullptr, noDiskCache());
    EXPECT_EQ(cache.count(), 6u);
    EXPECT_EQ(cache.infoForIndex(0), nullptr);
    ASSERT_TRUE(runUntilLoaded(cache));
    EXPECT_EQ(titles(cache), expected);
    for (std::size_t i = 0; i < urls.size(); ++i) {
        EXPECT_EQ(cache.mediaInfoForIndex(i)->url(), urls[i]);
        EXPECT_EQ(cache.mediaInfoForIndex(i)->lengthMS(), 2500u);
        EXPECT_EQ(cache.urlForIndex(i), urls[i]);
    }
    EXPECT_EQ(cache.infoForIndex(6), nullptr);
    EXPECT_EQ(cache.urlForIndex(6), "");
    const int expectedParallel =
        static_cast<int>(std::min<unsigned>(std::max(1u, std::thread::hardware_concurrency()), 6));
    EXPECT_EQ(mProbe.maxConcurrent(), expectedParallel);
}

TEST_F(VAFileInfoCacheTest, AskedForOneChildAtATimeItProbesOneAfterAnother) {
    const XStrList urls = files(4, 0.1);
    VAFileInfoCache::Options o = noDiskCache();
    o.maxParallel = 1;
    VAFileInfoCache cache(urls, nullptr, o);
    ASSERT_TRUE(runUntilLoaded(cache));
    EXPECT_EQ(mProbe.maxConcurrent(), 1);
    EXPECT_EQ(mProbe.starts(), 4);
}

TEST_F(VAFileInfoCacheTest, ListenersHearOfBatchesNotOfEveryFile) {
    const XStrList urls = files(24, 0.1);
    VAFileInfoCache::Options o = noDiskCache();
    o.maxParallel = 2;
    o.handOverMs = 400;
    VAFileInfoCache cache(urls, nullptr, o);
    auto listener = std::make_shared<Listener>();
    cache.addCallback(listener);
    ASSERT_TRUE(runUntilLoaded(cache));
    // About 1.2 s of probing in batches of 0.4 s; a loaded machine makes more batches, but
    // never one per file.
    ASSERT_GE(listener->counts.size(), 2u);
    EXPECT_LT(listener->counts.size(), 24u);
    std::size_t largest = listener->counts.front();
    for (std::size_t i = 1; i < listener->counts.size(); ++i) {
        largest = std::max(largest, listener->counts[i] - listener->counts[i - 1]);
    }
    EXPECT_GE(largest, 2u);
    EXPECT_TRUE(std::is_sorted(listener->counts.begin(), listener->counts.end()));
    EXPECT_EQ(listener->counts.back(), 24u);
}

TEST_F(VAFileInfoCacheTest, LongListsWaitForAListenerAfterTheFirstFiveHundred) {
    // A quick stand-in that reports nothing.
    VAMediaProbe::setFFprobePath("/bin/true");
    XStrList urls;
    for (int i = 0; i < 1200; ++i) {
        urls.emplace_back(mDir.file("none" + std::to_string(i)));
    }
    VAFileInfoCache cache(urls, nullptr, noDiskCache());
    mLoop->runUntil([&] { return cache.countLoaded() >= 500; }, 30000);
    // Nobody looks: no further file is probed.
    mLoop->runUntil([] { return false; }, 1500);
    EXPECT_EQ(cache.countLoaded(), 500u);

    auto listener = std::make_shared<Listener>();
    cache.addCallback(listener);
    ASSERT_TRUE(runUntilLoaded(cache, 60000));
    EXPECT_EQ(listener->counts.back(), 1200u);
    EXPECT_EQ(cache.allInfosLoaded().size(), 1200u);
}

TEST_F(VAFileInfoCacheTest, RemovingTheLastListenerPausesTheWorkerAgain) {
    const XStrList urls = files(10, 0.05);
    VAFileInfoCache::Options o = noDiskCache();
    o.probeWithoutListener = 2;
    o.maxParallel = 1;
    o.listenerWaitMs = 50;
    VAFileInfoCache cache(urls, nullptr, o);
    mLoop->runUntil([] { return false; }, 800);
    EXPECT_EQ(cache.countLoaded(), 2u);
    auto listener = std::make_shared<Listener>();
    cache.addCallback(listener);
    cache.removeCallback(listener.get());
    // The worker may have woken and started one more file before the removal; that one
    // finishes, and then nothing more is probed.
    mLoop->runUntil([] { return false; }, 1000);
    const std::size_t paused = cache.countLoaded();
    EXPECT_LE(paused, 3u);
    mLoop->runUntil([] { return false; }, 800);
    EXPECT_EQ(cache.countLoaded(), paused);
    cache.addCallback(listener);
    EXPECT_TRUE(runUntilLoaded(cache));
}

TEST_F(VAFileInfoCacheTest, AListenerThatIsGoneIsNotKeptAliveNorCalled) {
    const XStrList urls = {XStr(mProbe.makeFile("a", 0.05))};
    VAFileInfoCache cache(urls, nullptr, noDiskCache());
    std::weak_ptr<Listener> watch;
    {
        auto listener = std::make_shared<Listener>();
        watch = listener;
        cache.addCallback(listener);
    }
    EXPECT_TRUE(watch.expired());
    ASSERT_TRUE(runUntilLoaded(cache));
}

TEST_F(VAFileInfoCacheTest, ShutdownKillsARunningProbeAndDropsLateBatches) {
    const std::string pidFile = mDir.file("pid");
    writeExecutable(mDir.file("hang"), "#!/bin/sh\necho $$ > '" + pidFile + "'\nexec sleep 30\n");
    VAMediaProbe::setFFprobePath(XStr(mDir.file("hang")));
    // Files that exist: a missing one is never given to ffprobe.
    writeTextFile(mDir.file("a"), "");
    writeTextFile(mDir.file("b"), "");
    const auto started = std::chrono::steady_clock::now();
    {
        VAFileInfoCache cache({XStr(mDir.file("a")), XStr(mDir.file("b"))}, nullptr, noDiskCache());
        for (int i = 0; i < 200 && readTextFile(pidFile).empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        cache.shutdown();
        mLoop->runUntil([] { return false; }, 200);
        EXPECT_EQ(cache.countLoaded(), 0u);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    const pid_t pid = std::atoi(readTextFile(pidFile).c_str());
    ASSERT_GT(pid, 0);
    EXPECT_NE(kill(pid, 0), 0);
}

TEST_F(VAFileInfoCacheTest, WithoutFFprobeEveryFileGetsTheEmptyRecord) {
    VAMediaProbe::setFFprobeLocator([] { return XStr(); });
    VAFileInfoCache cache({XStr(mProbe.makeFile("a", 0)), XStr(mDir.file("missing"))}, nullptr,
                          noDiskCache());
    ASSERT_TRUE(runUntilLoaded(cache));
    for (std::size_t i = 0; i < 2; ++i) {
        const auto info = cache.mediaInfoForIndex(i);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->url(), "");
        EXPECT_EQ(info->IDTags().tagCount(), 0u);
        EXPECT_EQ(info->MediaProps().tagCount(), 0u);
    }
}

TEST_F(VAFileInfoCacheTest, ColumnRecordsAreMadeOnTheWay) {
    const XStrList urls = {XStr(mProbe.makeFile("a.mp4", 0))};
    VAFileInfoCache cache(urls, std::make_shared<VAFileInfoTransform_Columns>(), noDiskCache());
    ASSERT_TRUE(runUntilLoaded(cache));
    const auto columns = cache.columnsForIndex(0);
    ASSERT_TRUE(columns);
    EXPECT_EQ(cache.mediaInfoForIndex(0), nullptr);
    EXPECT_EQ(columns->getValue("Length", false).stringValue(), "0:02");
    EXPECT_EQ(columns->getValue("Title", false).stringValue(), "a.mp4");
}

TEST_F(VAFileInfoCacheTest, KeptRecordsSpareTheProbeUntilAFileChanges) {
    auto disk = std::make_shared<VAProbeCache>(XStr(mDir.file("ProbeCache.json")));
    VAFileInfoCache::Options o = noDiskCache();
    o.probeCache = disk;
    const XStrList urls = files(5, 0);
    {
        VAFileInfoCache first(urls, nullptr, o);
        ASSERT_TRUE(runUntilLoaded(first));
    }
    EXPECT_EQ(mProbe.starts(), 5);
    // Another run of the program: the records come from the file.
    o.probeCache = std::make_shared<VAProbeCache>(XStr(mDir.file("ProbeCache.json")));
    mProbe.clearLog();
    {
        VAFileInfoCache second(urls, nullptr, o);
        ASSERT_TRUE(runUntilLoaded(second));
        EXPECT_EQ(titles(second), (XStrList{"f0", "f1", "f2", "f3", "f4"}));
    }
    EXPECT_EQ(mProbe.starts(), 0);
    // A changed file is probed again.
    writeTextFile(urls[2].utf8(), "0.00");
    {
        VAFileInfoCache third(urls, nullptr, o);
        ASSERT_TRUE(runUntilLoaded(third));
    }
    EXPECT_EQ(mProbe.starts(), 1);
}

TEST_F(VAFileInfoCacheTest, KeptRecordsNeverMakeTheWorkerWaitForAListener) {
    VAFileInfoCache::Options o = noDiskCache();
    o.probeCache = std::make_shared<VAProbeCache>(XStr(mDir.file("ProbeCache.json")));
    // Were a finished window taken for "nobody is looking", this list would need minutes.
    o.listenerWaitMs = 60000;
    const XStrList urls = files(40, 0, "k");
    {
        VAFileInfoCache first(urls, nullptr, o);
        ASSERT_TRUE(runUntilLoaded(first));
    }
    o.probeCache = std::make_shared<VAProbeCache>(XStr(mDir.file("ProbeCache.json")));
    VAFileInfoCache second(urls, nullptr, o);
    EXPECT_TRUE(runUntilLoaded(second, 10000));
}

TEST_F(VAFileInfoCacheTest, APipeInTheListDoesNotHoldUpTheList) {
    const std::string fifo = mDir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    VAFileInfoCache cache({XStr(fifo), XStr(mProbe.makeFile("a", 0))}, nullptr, noDiskCache());
    ASSERT_TRUE(runUntilLoaded(cache, 5000));
    EXPECT_EQ(cache.mediaInfoForIndex(0)->MediaProps().tagCount(), 0u);
    EXPECT_EQ(cache.mediaInfoForIndex(1)->getIDTagValueOf("title"), "a");
}
