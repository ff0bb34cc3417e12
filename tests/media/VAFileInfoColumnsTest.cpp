#include "VAFileInfoColumns.h"

#include <gtest/gtest.h>

#include "VAMutableTag.h"
#include "VMCMetaFieldCache.h"

namespace {

std::shared_ptr<VAMediaFileInfo> record(
    std::initializer_list<std::pair<const char*, const char*>> ids, uint64_t lengthMS = 0,
    std::initializer_list<std::pair<const char*, const char*>> props = {}) {
    VAMutableTag idTag;
    for (const auto& [name, value] : ids) {
        idTag.addTag(name, value);
    }
    VAMutableTag propTag;
    for (const auto& [name, value] : props) {
        propTag.addTag(name, value);
    }
    auto info = VAMediaFileInfo::infoWithIDTag(idTag, "/m/a.mp4");
    info->setMediaProps(propTag);
    info->setLengthMS(lengthMS);
    return info;
}

XStr shown(const VAFileInfoColumns& c, const char* name) {
    return c.getValue(name, false).stringValue();
}

}  // namespace

TEST(VAFileInfoColumns, TrackAndDiscArePaddedAndTheirTotalsToo) {
    EXPECT_EQ(VAFileInfoColumns::trackText("3/12"), std::optional<XStr>("03/12"));
    EXPECT_EQ(VAFileInfoColumns::trackText("3"), std::optional<XStr>("03"));
    EXPECT_EQ(VAFileInfoColumns::trackText("12/9"), std::optional<XStr>("12/09"));
    EXPECT_EQ(VAFileInfoColumns::trackText(" 7/ "), std::optional<XStr>("07"));
    EXPECT_EQ(VAFileInfoColumns::trackText("123/456"), std::optional<XStr>("123/456"));
    EXPECT_EQ(VAFileInfoColumns::trackText("A side"), std::nullopt);
    EXPECT_EQ(VAFileInfoColumns::trackText(""), std::nullopt);

    const VAFileInfoColumns c(*record({{"track", "3/12"}, {"Disc", "two"}}));
    EXPECT_EQ(shown(c, "Track"), "03/12");
    // A value without a number disappears.
    EXPECT_EQ(c.columns().FindElement("disc"), nullptr);
}

TEST(VAFileInfoColumns, CompilationReadsYesOrNo) {
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"compilation", "1"}})), "Compilation"), "Yes");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"compilation", "0"}})), "Compilation"), "No");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"compilation", ""}})), "Compilation"), "No");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({})), "Compilation"), "No");
}

TEST(VAFileInfoColumns, AlbumArtistFallsBackToTheArtist) {
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"album_artist", "Band"}, {"artist", "Solo"}})),
                    "Album Artist"),
              "Band");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"Album Artist", "Group"}})), "album artist"),
              "Group");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"artist", "Solo"}})), "Album Artist"), "Solo");
    EXPECT_EQ(shown(VAFileInfoColumns(*record({{"title", "T"}})), "Album Artist"), "");
}

TEST(VAFileInfoColumns, LengthShowsAsClockAndSortsByMilliseconds) {
    const VAFileInfoColumns c(*record({}, 3725500, {{"Length", "stale"}, {"Bit Rate", "9 kbps"}}));
    EXPECT_EQ(shown(c, "Length"), "1:02:05");
    EXPECT_EQ(c.getValue("Length", true).numberValue(), 3725500);
    EXPECT_EQ(c.lengthMS(), 3725500u);
    // Without a sort value the sort reads the text.
    EXPECT_EQ(c.getValue("Bit Rate", true).stringValue(), "9 kbps");
}

TEST(VAFileInfoColumns, IDTagsWinOverMediaPropertiesOfTheSameName) {
    const VAFileInfoColumns c(
        *record({{"Profile", "from tags"}}, 0, {{"profile", "High"}, {"Resolution", "2 x 2"}}));
    EXPECT_EQ(shown(c, "Profile"), "from tags");
    EXPECT_EQ(shown(c, "Resolution"), "2 x 2");
}

TEST(VAFileInfoColumns, CombinedSortKeysJoinTheNonEmptyParts) {
    const VAFileInfoColumns full(
        *record({{"artist", "Ann"}, {"album", "Blue"}, {"disc", "1/2"}, {"track", "4"}}));
    EXPECT_EQ(full.getValue(VAFileInfoColumns::kSortArtistAlbum, true).stringValue(),
              "Ann - Blue - 01/02 - 04");
    EXPECT_EQ(full.getValue(VAFileInfoColumns::kSortAlbum, true).stringValue(),
              "Blue - 01/02 - 04");
    const VAFileInfoColumns some(*record({{"album", "Blue"}, {"track", "x"}}));
    EXPECT_EQ(some.getValue(VAFileInfoColumns::kSortArtistAlbum, true).stringValue(), "Blue");
}

TEST(VAFileInfoColumns, SeveralValuesAreShownJoined) {
    const VAFileInfoColumns c(
        *record({{"genre", "Rock\rPop"}, {"comment", "a\rb"}, {"AccurateRipResult", "ok\r2"}}));
    EXPECT_EQ(shown(c, "genre"), "Rock; Pop");
    EXPECT_EQ(shown(c, "Comment"), "a\rb");
    EXPECT_EQ(c.columns().GetString("AccurateRipResult"), "ok\r2");
}

TEST(VMCMetaFieldCache, CollectSplitsValuesAndNamesTheEmptyOnes) {
    VMCMetaFields fields;
    const XStrList names = {"genre", "artist", "album artist", "album", "year"};
    VMCMetaFieldCache::collect(
        *record({{"genre", "Rock\rPop\r"}, {"artist", "Ann"}, {"album", "Blue"}}), names, fields);
    VMCMetaFieldCache::collect(
        *record({{"album_artist", "Band"}, {"artist", "Bob"}, {"album", "Red"}, {"year", "1999"}}),
        names, fields);
    VMCMetaFieldCache::collect(*record({{"compilation", "1"}, {"artist", "Cy"}, {"album", "Mix"}}),
                               names, fields);
    VMCMetaFieldCache::collect(*record({}), names, fields);
    EXPECT_EQ(fields["genre"], (std::set<XStr>{"Rock", "Pop", "[no genre]"}));
    EXPECT_EQ(fields["artist"], (std::set<XStr>{"Ann", "Bob", "Cy", "[no artist]"}));
    EXPECT_EQ(fields["album artist"], (std::set<XStr>{"Ann", "Band", "Cy", "[no album artist]"}));
    // A compilation without an album artist is not labelled with its artist.
    EXPECT_EQ(fields["album"],
              (std::set<XStr>{"Ann - Blue", "Band - Red", " - Mix", "[no album]"}));
    EXPECT_EQ(fields["year"], (std::set<XStr>{"1999", "[no year]"}));
}
