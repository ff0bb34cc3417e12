// Lists of real media through the file information cache, the probe records kept on disk
// and the per-folder field values.
#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VAFileInfoCache.h"
#include "VAMediaProbe.h"
#include "VMCMetaFieldCache.h"
#include "XRunLoop.h"

namespace {

class Delivered : public VMCMetaFieldCacheCallback {
public:
    void deliverMetaFieldCacheResults(const VMCMetaFields& results) override {
        const std::lock_guard<std::mutex> lock(mMutex);
        mResults.push_back(results);
        mChanged.notify_all();
    }
    std::optional<VMCMetaFields> wait() {
        std::unique_lock<std::mutex> lock(mMutex);
        if (!mChanged.wait_for(lock, std::chrono::seconds(60), [&] { return !mResults.empty(); })) {
            return std::nullopt;
        }
        return mResults.front();
    }
    std::size_t count() {
        const std::lock_guard<std::mutex> lock(mMutex);
        return mResults.size();
    }

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::vector<VMCMetaFields> mResults;
};

class VAFileInfoCacheE2E : public ::testing::Test {
protected:
    VAFileInfoCacheE2E() {
        VAMediaProbe::setFFprobeLocator(nullptr);
        XMainThread::setPoster(mLoop);
    }
    ~VAFileInfoCacheE2E() override {
        XMainThread::setPoster(nullptr);
        VAMediaProbe::setFFprobeLocator(nullptr);
    }

    std::string clip(const std::string& name, double seconds, const std::string& artist = "",
                     const std::string& album = "") {
        const std::string path = mDir.file(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        TestMedia media;
        media.seconds = seconds;
        media.size = "160x120";
        if (!artist.empty()) {
            media.metadata = {{"title", name}, {"artist", artist}, {"album", album}};
        }
        EXPECT_TRUE(makeTestMedia(path, media));
        return path;
    }
    VAFileInfoCache::Options keptIn(const std::string& file) const {
        VAFileInfoCache::Options o;
        o.probeCache = std::make_shared<VAProbeCache>(XStr(mDir.file(file)));
        return o;
    }
    bool load(const VAFileInfoCache& cache) {
        return mLoop->runUntil([&] { return cache.allLoaded(); }, 60000);
    }

    TestTempDir mDir;
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
};

}  // namespace

TEST_F(VAFileInfoCacheE2E, AListGivesTheSameRecordsAsSingleProbesAndKeepsThem) {
    XStrList urls;
    for (int i = 0; i < 6; ++i) {
        urls.emplace_back(clip("clip" + std::to_string(i) + ".mp4", 0.5 + 0.25 * i));
    }
    urls.emplace_back(mDir.file("missing.mp4"));
    {
        VAFileInfoCache cache(urls, nullptr, keptIn("ProbeCache.json"));
        ASSERT_TRUE(load(cache));
        for (std::size_t i = 0; i < urls.size(); ++i) {
            const auto single = VAMediaFileInfo::readFromFile(urls[i]);
            const auto listed = cache.mediaInfoForIndex(i);
            ASSERT_TRUE(listed);
            EXPECT_EQ(listed->url(), urls[i]);
            EXPECT_EQ(listed->MediaProps(), single->MediaProps()) << urls[i];
            EXPECT_EQ(listed->IDTags(), single->IDTags());
            EXPECT_EQ(listed->lengthMS(), single->lengthMS());
            EXPECT_EQ(listed->lastModified(), single->lastModified());
        }
        EXPECT_EQ(cache.mediaInfoForIndex(2)->lengthMS(),
                  static_cast<uint64_t>(probeDuration(urls[2].utf8()) * 1000));
    }

    // The next run finds every record on disk: even without an ffprobe nothing is lost.
    VAMediaProbe::setFFprobeLocator([] { return XStr(); });
    {
        VAFileInfoCache again(urls, nullptr, keptIn("ProbeCache.json"));
        ASSERT_TRUE(load(again));
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_NE(again.mediaInfoForIndex(i)->lengthMS(), 0u) << i;
        }
    }

    // A file made anew is probed again.
    VAMediaProbe::setFFprobeLocator(nullptr);
    const uint64_t before = probeDuration(urls[0].utf8()) * 1000;
    clip("clip0.mp4", 2.0);
    VAFileInfoCache changed(urls, nullptr, keptIn("ProbeCache.json"));
    ASSERT_TRUE(load(changed));
    EXPECT_NE(changed.mediaInfoForIndex(0)->lengthMS(), before);
    EXPECT_EQ(changed.mediaInfoForIndex(0)->lengthMS(),
              static_cast<uint64_t>(probeDuration(urls[0].utf8()) * 1000));
}

TEST_F(VAFileInfoCacheE2E, FieldValuesOfAFolderTreeAreCollectedOnceAndMerged) {
    VAProbeCache::setSharedEnabled(false);
    clip("music/a.mp4", 0.3, "Ann", "Blue");
    clip("music/sub/b.mp4", 0.3, "Bob", "Red");
    clip("other/c.mp4", 0.3, "Cy", "Green");
    writeTextFile(mDir.file("music/readme.txt"), "not media");
    VMCMetaFieldCache cache({"artist", "album"},
                            [](const XStr& path) { return !path.endsWith(".txt"); });
    const XStr music(mDir.file("music"));
    auto delivered = std::make_shared<Delivered>();
    EXPECT_FALSE(cache.fieldsForFolder(music, delivered));
    const std::optional<VMCMetaFields> fields = delivered->wait();
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->at("artist"), (std::set<XStr>{"Ann", "Bob"}));
    EXPECT_EQ(fields->at("album"), (std::set<XStr>{"Ann - Blue", "Bob - Red"}));
    // Known now: answered at once.
    EXPECT_EQ(cache.fieldsForFolder(music, delivered), fields);

    auto merged = std::make_shared<Delivered>();
    EXPECT_FALSE(cache.fieldsForFolders({music, XStr(mDir.file("other"))}, merged));
    const std::optional<VMCMetaFields> both = merged->wait();
    ASSERT_TRUE(both);
    EXPECT_EQ(both->at("artist"), (std::set<XStr>{"Ann", "Bob", "Cy"}));
    EXPECT_EQ(cache.fieldsForFolders({music, XStr(mDir.file("other"))}, merged), both);
    EXPECT_EQ(merged->count(), 1u);
    EXPECT_FALSE(cache.fieldsForFolders({}, merged));
    VAProbeCache::setSharedEnabled(true);
}
