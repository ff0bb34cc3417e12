// The property filter: which files pass, and when files need probing.
#include "VMCFileFilter.h"

#include <gtest/gtest.h>

#include "VAProbeReport.h"

namespace {

using Set = VMCFileFilter::ValueSet;

constexpr uint64_t kDay = 86400 * VAMediaFileInfo::fileTime1Second;
// A fixed "now", so that ages are exact.
const uint64_t kNow = VAMediaFileInfo::fileTimeFromUnix(1700000000);

std::shared_ptr<VAMediaFileInfo> infoWith(
    const std::vector<std::pair<const char*, const char*>>& props,
    const std::vector<std::pair<const char*, const char*>>& tags, uint64_t modified) {
    auto info = std::make_shared<VAMediaFileInfo>();
    NTag p;
    for (const auto& [k, v] : props) {
        p.SetString(k, v);
    }
    NTag t;
    for (const auto& [k, v] : tags) {
        t.SetString(k, v);
    }
    info->setMediaProps(VATag(p));
    info->setIDTags(VATag(t));
    info->setLastModified(modified);
    return info;
}

TEST(VMCFileFilter, WhichFilesPass) {
    const auto hd = infoWith({{"Resolution", "1920 x 1080"}, {"Frame Rate", "25"}}, {}, kNow);
    const auto twoStreams =
        infoWith({{"Resolution", "1920 x 1080\r640 x 360"}}, {}, kNow - 3 * kDay);
    const auto old = infoWith({{"Resolution", "640 x 360"}}, {}, kNow - 10 * kDay);
    const auto albumless = infoWith({}, {{"artist", "Ann"}}, kNow);
    const auto withAlbumArtist = infoWith({}, {{"artist", "Ann"}, {"album_artist", "Bo"}}, kNow);

    struct Case {
        const char* what;
        std::vector<std::pair<const char*, Set>> filters;
        const char* path;
        const VAMediaFileInfo* info;
        bool passes;
    };
    const std::vector<Case> cases = {
        {"no fields: everything", {}, "/m/movie", nullptr, true},
        {"an excluded type", {{"File Types", {".MKV"}}}, "/m/movie.mkv", hd.get(), false},
        {"in any case", {{"File Types", {".MKV"}}}, "/m/movie.MkV", hd.get(), false},
        {"no extension with a type set", {{"File Types", {".MKV"}}}, "/m/movie", hd.get(), false},
        {"another type", {{"File Types", {".MKV"}}}, "/m/movie.mp4", hd.get(), true},
        {"no extension without a type set",
         {{"Resolution", {"1 x 1"}}},
         "/m/movie",
         hd.get(),
         true},
        {"an excluded resolution", {{"Resolution", {"1920 x 1080"}}}, "/a.mp4", hd.get(), false},
        {"another resolution", {{"Resolution", {"640 x 360"}}}, "/a.mp4", hd.get(), true},
        {"one of two streams excluded",
         {{"Resolution", {"640 x 360"}}},
         "/a.mp4",
         twoStreams.get(),
         false},
        {"values compare exactly", {{"Resolution", {"1920 X 1080"}}}, "/a.mp4", hd.get(), true},
        {"a field the file lacks", {{"Channels", {"2"}}}, "/a.mp4", hd.get(), true},
        {"no information passes a field",
         {{"Resolution", {"1920 x 1080"}}},
         "/a.mp4",
         nullptr,
         true},
        {"a week: a new file", {{"Date", {"7 Days (1 week)"}}}, "/a.mp4", twoStreams.get(), true},
        {"a week: an old file", {{"Date", {"7 Days (1 week)"}}}, "/a.mp4", old.get(), false},
        {"a date without information fails",
         {{"Date", {"7 Days (1 week)"}}},
         "/a.mp4",
         nullptr,
         false},
        {"date not checked",
         {{"Date", {"[date not checked, all files included]"}}},
         "/a.mp4",
         old.get(),
         true},
        {"more days than the calendar has",
         {{"Date", {"99999999999 days"}}},
         "/a.mp4",
         old.get(),
         true},
        {"album artist falls back to the artist",
         {{"Album Artist", {"Ann"}}},
         "/a.mp3",
         albumless.get(),
         false},
        {"album artist when there is one",
         {{"Album Artist", {"Ann"}}},
         "/a.mp3",
         withAlbumArtist.get(),
         true},
        {"the first failing field decides",
         {{"File Types", {".MKV"}}, {"Resolution", {"640 x 360"}}, {"Date", {"5 Days"}}},
         "/a.mp4",
         old.get(),
         false},
    };
    for (const Case& c : cases) {
        VMCFileFilter filter;
        for (const auto& [field, values] : c.filters) {
            filter.setFilterMeta(field, values);
        }
        EXPECT_EQ(filter.testURL(c.path, c.info, 0, kNow), c.passes) << c.what;
    }
}

TEST(VMCFileFilter, OnlyKeepsFilesWhoseValueIsListed) {
    const auto hd = infoWith({{"Resolution", "1920 x 1080"}}, {}, kNow);
    const auto sd = infoWith({{"Resolution", "640 x 360"}}, {}, kNow);
    VMCFileFilter filter;
    filter.setOnly("Resolution", {"1920 x 1080"});
    filter.setOnly("File Types", {".MP4", ".MKV"});
    EXPECT_TRUE(filter.testURL("/a.mp4", hd.get(), 0, kNow));
    EXPECT_FALSE(filter.testURL("/a.mp4", sd.get(), 0, kNow));
    EXPECT_FALSE(filter.testURL("/a.mov", hd.get(), 0, kNow));
    EXPECT_FALSE(filter.testURL("/a.mp4", nullptr, 0, kNow)) << "no value is no listed value";
    EXPECT_TRUE(filter.needsProbe());
    EXPECT_FALSE(filter.metaActive()) << "only is no stored field";
}

TEST(VMCFileFilter, FieldsActivityAndProbing) {
    struct Case {
        std::vector<std::pair<const char*, Set>> filters;
        bool active;
        bool metaActive;
        bool needsProbe;
    };
    const std::vector<Case> cases = {
        {{}, false, false, false},
        {{{"File Types", {".MKV"}}}, true, false, false},
        {{{"Date", {"[date not checked, all files included]"}}}, true, true, false},
        {{{"Date", {"7 Days (1 week)"}}}, true, true, false},
        {{{"Frame Rate", {"25"}}}, true, true, true},
        {{{"Frame Rate", {}}}, false, false, false},
    };
    for (const Case& c : cases) {
        VMCFileFilter filter;
        for (const auto& [field, values] : c.filters) {
            filter.setFilterMeta(field, values);
        }
        EXPECT_EQ(filter.active(), c.active);
        EXPECT_EQ(filter.metaActive(), c.metaActive);
        EXPECT_EQ(filter.needsProbe(), c.needsProbe);
    }
}

TEST(VMCFileFilter, SettingAndComparing) {
    VMCFileFilter a;
    a.setFilterMeta("Resolution", std::optional<XStrList>(XStrList{"640 x 360", "1 x 1"}));
    VMCFileFilter b;
    b.setFilterMeta("Resolution", std::optional<XStrList>(XStrList{"1 x 1", "640 x 360"}));
    EXPECT_TRUE(a.isEqualToFilter(b)) << "the order of values does not matter";
    ASSERT_NE(a.filterForMeta("Resolution"), nullptr);
    EXPECT_EQ(a.filterForMeta("Resolution")->size(), 2u);
    b.setFilterMeta("Resolution", std::optional<XStrList>());
    EXPECT_EQ(b.filterForMeta("Resolution"), nullptr);
    EXPECT_FALSE(a.isEqualToFilter(b));
    VMCFileFilter copy = a;
    copy.setFilterMeta("Resolution", Set{"9 x 9"});
    EXPECT_EQ(*a.filterForMeta("Resolution"), (Set{"1 x 1", "640 x 360"})) << "copies are apart";
}

TEST(VMCFileFilter, DaysOfDateTexts) {
    EXPECT_EQ(VMCFileFilter::daysOf("7 Days (1 week)"), 7);
    EXPECT_EQ(VMCFileFilter::daysOf("365 Days (1 year)"), 365);
    EXPECT_EQ(VMCFileFilter::daysOf("[date not checked, all files included]"), 0);
    EXPECT_EQ(VMCFileFilter::daysOf(" 12 days"), 12);
    EXPECT_EQ(VMCFileFilter::daysOf("-3"), 0);
}

}  // namespace
