#include "VATag.h"

#include <gtest/gtest.h>

#include "VAMutableTag.h"
#include "VAPictureType.h"

namespace {

VAMutableTag tagOf(std::initializer_list<std::pair<const char*, const char*>> elements) {
    VAMutableTag tag;
    for (const auto& [name, value] : elements) {
        tag.addTag(name, value);
    }
    return tag;
}

}  // namespace

TEST(VATag, CombineKeepsOnlySharedValuesAndMarksTheRest) {
    VAMutableTag a = tagOf({{"album", "Blue"}, {"artist", "Ann"}, {"year", "2001"}});
    a.addTag("_albumart_3", "pic", 3);
    VAMutableTag b = tagOf({{"Album", "Blue"}, {"artist", "Bob"}, {"genre", "Jazz"}});
    b.addTag("_albumart_3", "pic", 3);
    const std::optional<VATag> combined = VATag::combineTags({a, b});
    ASSERT_TRUE(combined);
    const VATag expected = [] {
        VAMutableTag t = tagOf({{"album", "Blue"},
                                {"artist", "<different>"},
                                {"year", "<different>"},
                                {"_albumart_3", ""},
                                {"genre", "<different>"}});
        t.setTagBytes("pic", 3, 3);
        return t;
    }();
    EXPECT_EQ(*combined, expected) << combined->debug();
}

TEST(VATag, CombineComparesDataAndDropsItWhenItDiffers) {
    VAMutableTag a;
    a.addTag("_albumart_3", "one", 3);
    VAMutableTag b;
    b.addTag("_albumart_3", "two", 3);
    const std::optional<VATag> combined = VATag::combineTags({a, b, a}, "*");
    ASSERT_TRUE(combined);
    EXPECT_EQ(combined->tagValueAt(0), "*");
    EXPECT_TRUE(combined->tagDataAt(0).empty());
}

TEST(VATag, CombineOfNoneOrOneTag) {
    EXPECT_FALSE(VATag::combineTags({}));
    const VAMutableTag one = tagOf({{"a", "1"}});
    EXPECT_EQ(VATag::combineTags({one}), std::optional<VATag>(one));
}

TEST(VATag, ReadingByNameAndIndex) {
    VAMutableTag tag = tagOf({{"Artist", "A\rB"}, {"_crc", "x"}});
    EXPECT_EQ(tag.getTagString("artist"), std::optional<XStr>("A\rB"));
    EXPECT_EQ(tag.getTagString("none"), std::nullopt);
    EXPECT_EQ(tag.getTagString("none", "fallback"), "fallback");
    EXPECT_EQ(tag.getTagStrings("ARTIST"), (XStrList{"A", "B"}));
    EXPECT_TRUE(tag.getTagStrings("none").empty());
    EXPECT_FALSE(tag.isTagBinary(0));
    EXPECT_TRUE(tag.isTagBinary(1));
    EXPECT_FALSE(tag.isTagBinary(2));
    EXPECT_EQ(tag.tagNameAt(5), "");
    EXPECT_EQ(tag.elemNameSet(), (std::set<XStr>{"artist", "_crc"}));
}

TEST(VATag, SubsetsAndCombinedWith) {
    VAMutableTag tag = tagOf({{"title", "T"}, {"_riff_x", "r"}});
    tag.addTag("_AlbumArt_4_Back", "b", 1);
    EXPECT_EQ(tag.subsetTextOnly(), tagOf({{"title", "T"}}));
    const VATag art = tag.subsetAlbumArtOnly();
    ASSERT_EQ(art.tagCount(), 1u);
    EXPECT_EQ(art.tagNameAt(0), "_AlbumArt_4_Back");
    EXPECT_EQ(art.tagDataAt(0), (std::vector<uint8_t>{'b'}));
    const VATag merged =
        tagOf({{"title", "Mine"}}).tagCombinedWith(tagOf({{"TITLE", "Other"}, {"year", "1"}}));
    EXPECT_EQ(merged, tagOf({{"title", "Mine"}, {"year", "1"}}));
    EXPECT_TRUE(VATag::elemIsAlbumArt("_ALBUMART_3"));
    EXPECT_FALSE(VATag::elemIsAlbumArt("albumart_3"));
}

TEST(VATag, RawDataThroughTheWrapper) {
    VAMutableTag tag = tagOf({{"title", "T"}});
    tag.addTag("data", std::vector<uint8_t>{1, 2, 3});
    EXPECT_EQ(VATag::initWithRawData(tag.toRawData()), tag);
    VAMutableTag other = tagOf({{"old", "gone"}});
    other.fromRawData(tag.toRawData());
    EXPECT_EQ(other, tag);
}

TEST(VATag, MultipleValuesForDisplay) {
    EXPECT_TRUE(VATag::isFieldMultiVal("Artist"));
    EXPECT_TRUE(VATag::isFieldMultiVal("Genre"));
    for (const char* single :
         {"Title", "ALBUM", "Lyrics", "unsynced lyrics", "Comment", "iTunes_comment"}) {
        EXPECT_FALSE(VATag::isFieldMultiVal(single)) << single;
    }
    EXPECT_EQ(VATag::multiValToDisplay("a\r\nb\rc\nd"), "a; b; c; d");
    EXPECT_EQ(VATag::multiValFromDisplay("a; b;c"), "a\rb\rc");
    EXPECT_EQ(VATag::unknownValFor("ARTIST"), std::optional<XStr>("unknown artist"));
    EXPECT_EQ(VATag::unknownValFor("Title"), std::optional<XStr>("unknown title"));
    EXPECT_EQ(VATag::unknownValFor("album"), std::optional<XStr>("unknown album"));
    EXPECT_EQ(VATag::unknownValFor("genre"), std::nullopt);
}

TEST(VAMutableTag, EditingByNameAndByIndex) {
    VAMutableTag tag = tagOf({{"title", "T"}});
    tag.addTag("pic", "xyz", 3);
    tag.setTagValue("New", XStr("TITLE"));
    tag.setTagValue("Added", XStr("year"));
    // Replacing a value by index drops the binary data.
    tag.setTagValue("text now", std::size_t{1});
    EXPECT_TRUE(tag.tagDataAt(1).empty());
    tag.setTagData({7, 8}, 0);
    tag.setTagValue("ignored", std::size_t{9});
    EXPECT_EQ(tag.tagValueAt(0), "New");
    EXPECT_EQ(tag.tagDataAt(0), (std::vector<uint8_t>{7, 8}));
    EXPECT_EQ(tag.tagValueAt(1), "text now");
    EXPECT_EQ(tag.tagValueAt(2), "Added");

    tag.mergeFromTag(tagOf({{"title", "kept?"}, {"genre", "G"}}));
    EXPECT_EQ(tag.getTagString("title"), std::optional<XStr>("New"));
    tag.overwriteFromTag(tagOf({{"title", "over"}}));
    EXPECT_EQ(tag.getTagString("title"), std::optional<XStr>("over"));
    EXPECT_TRUE(tag.removeTagByName("GENRE"));
    EXPECT_EQ(tag.tagCount(), 3u);
    tag.removeAllTags();
    EXPECT_EQ(tag.tagCount(), 0u);
}

TEST(VAPictureType, NamesAndNumbers) {
    EXPECT_EQ(VAPictureType::nameOf(3), "Front Album Cover");
    EXPECT_EQ(VAPictureType::nameOf(20), "Publisher Logo");
    EXPECT_EQ(VAPictureType::nameOf(17), "");
    EXPECT_EQ(VAPictureType::nameOf(0), "");
    EXPECT_EQ(VAPictureType::nameOf(21), "");
    for (int type = 1; type <= 20; ++type) {
        if (type != 17) {
            EXPECT_EQ(VAPictureType::typeOf(VAPictureType::nameOf(type)), type);
        }
    }
    EXPECT_EQ(VAPictureType::typeOf("Poster"), 3);
    EXPECT_EQ(VAPictureType::typeOf(""), 3);
}
