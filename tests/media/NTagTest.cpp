#include "NTag.h"

#include <gtest/gtest.h>

namespace {

XStrList namesOf(const NTag& tag) {
    XStrList names;
    for (const NTag::Element& e : tag.Elements()) {
        names.push_back(e.name + "=" + e.value);
    }
    return names;
}

}  // namespace

TEST(NTag, FindTakesTheFirstMatchIgnoringCaseAndRemoveByNameTakesAll) {
    NTag tag;
    tag.AddElement("Artist", "First");
    tag.AddElement("title", "T");
    tag.AddElement("artist", "Second");
    ASSERT_NE(tag.FindElement("ARTIST"), nullptr);
    EXPECT_EQ(tag.FindElement("ARTIST")->value, "First");
    EXPECT_EQ(tag.FindElement("missing"), nullptr);
    EXPECT_TRUE(tag.RemoveByName("aRtIsT"));
    EXPECT_EQ(namesOf(tag), (XStrList{"title=T"}));
    EXPECT_FALSE(tag.RemoveByName("artist"));
}

TEST(NTag, AddAlwaysAppendsWhileSetReplacesTheFirstOrAppends) {
    NTag tag;
    tag.AddElement("genre", "Rock");
    tag.AddElement("Genre", "Pop");
    tag.SetString("GENRE", "Jazz");
    tag.SetString("year", "1999");
    EXPECT_EQ(namesOf(tag), (XStrList{"genre=Jazz", "Genre=Pop", "year=1999"}));
}

TEST(NTag, GetStringFirstLineAndTakeString) {
    NTag tag;
    tag.AddElement("artist", "A\rB\rC");
    tag.AddElement("ARTIST", "D");
    EXPECT_EQ(tag.GetString("Artist"), "A\rB\rC");
    EXPECT_EQ(tag.GetFirstLine("Artist"), "A");
    EXPECT_EQ(tag.GetString("none"), "");
    EXPECT_EQ(tag.GetFirstLine("none"), "");
    EXPECT_EQ(tag.TakeString("artist"), "A\rB\rC");
    EXPECT_TRUE(tag.Empty());
}

TEST(NTag, MergeWithoutOverwriteKeepsTheExistingElement) {
    NTag mine;
    mine.AddElement("Length", "1:00");
    mine.AddBinaryElement("Cover", "abc", 3);
    NTag incoming;
    incoming.AddElement("length", "2:00").data = {9};
    incoming.AddElement("Cover", "new");
    incoming.AddElement("Extra", "x");

    NTag kept = mine;
    kept.MergeFrom(incoming, false);
    EXPECT_EQ(namesOf(kept), (XStrList{"Length=1:00", "Cover=", "Extra=x"}));
    EXPECT_EQ(kept.FindElement("cover")->data, (std::vector<uint8_t>{'a', 'b', 'c'}));

    NTag overwritten = mine;
    overwritten.MergeFrom(incoming, true);
    // The incoming element replaces name, value and data.
    EXPECT_EQ(namesOf(overwritten), (XStrList{"length=2:00", "Cover=new", "Extra=x"}));
    EXPECT_EQ(overwritten.At(0)->data, (std::vector<uint8_t>{9}));
    EXPECT_TRUE(overwritten.At(1)->data.empty());
}

TEST(NTag, CopyFromClearsFirstAndMergingWithItselfChangesNothing) {
    NTag source;
    source.AddElement("a", "1");
    NTag target;
    target.AddElement("b", "2");
    target.CopyFrom(source);
    EXPECT_EQ(namesOf(target), (XStrList{"a=1"}));
    target.MergeFrom(target, true);
    target.CopyFrom(target);
    EXPECT_EQ(namesOf(target), (XStrList{"a=1"}));
}

TEST(NTag, RemoveSpecialKeepsOnlyWhatTheFlagsName) {
    NTag all;
    for (const char* name : {"title", "_riff_LIST", "_CDTOC", "_albumart_3_Cover", "_crc", "_other",
                             "_RIFF_x", "_cdtocx"}) {
        all.AddElement(name, "v");
    }
    NTag none = all;
    none.RemoveSpecial(0);
    EXPECT_EQ(namesOf(none), (XStrList{"title=v"}));

    NTag some = all;
    some.RemoveSpecial(NTag::kKeepRiff | NTag::kKeepCDToc);
    EXPECT_EQ(namesOf(some), (XStrList{"title=v", "_riff_LIST=v", "_CDTOC=v", "_RIFF_x=v"}));

    NTag art = all;
    art.RemoveSpecial(NTag::kKeepAlbumArt | NTag::kKeepCRC);
    EXPECT_EQ(namesOf(art), (XStrList{"title=v", "_albumart_3_Cover=v", "_crc=v"}));
}

TEST(NTag, RemoveBinaryAndRemoveAt) {
    NTag tag;
    tag.AddElement("a", "1");
    tag.AddBinaryElement("b", "xy", 2);
    tag.AddBinaryElement("c", nullptr, 0);
    tag.AddElement("d", "4");
    tag.RemoveBinary();
    EXPECT_EQ(namesOf(tag), (XStrList{"a=1", "c=", "d=4"}));
    tag.RemoveAt(1);
    tag.RemoveAt(17);
    EXPECT_EQ(namesOf(tag), (XStrList{"a=1", "d=4"}));
    EXPECT_EQ(tag.At(2), nullptr);
}
