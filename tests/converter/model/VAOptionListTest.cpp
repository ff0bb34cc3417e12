#include "VACommandText.h"
#include "VAOptionList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

VAOptionList listOf(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    VAOptionList list;
    for (const auto& [name, value] : pairs) {
        list.append(name, value);
    }
    return list;
}

TEST(VAOptionListParse, ReadsOptionsWithAndWithoutValues) {
    EXPECT_EQ(VAOptionList::ParseOptions("-i x -vf \"a, b\" -an"),
              listOf({{"i", "x"}, {"vf", "a, b"}, {"an", ""}}));
}

TEST(VAOptionListParse, ValueMayNotBeginWithMinus) {
    EXPECT_EQ(VAOptionList::ParseOptions("-ss -5"), listOf({{"ss", ""}, {"5", ""}}));
}

TEST(VAOptionListParse, StrayWordEndsTheList) {
    EXPECT_EQ(VAOptionList::ParseOptions("-c:v libx264 clip.mp4 -an -b:a 128k"),
              listOf({{"c:v", "libx264"}}));
    EXPECT_EQ(VAOptionList::WriteOptions(
                  VAOptionList::ParseOptions("-c:v libx264 clip.mp4 -an -b:a 128k")),
              "-c:v libx264");
}

TEST(VAOptionListParse, EqualsSignSplitsNameAndValue) {
    EXPECT_EQ(VAOptionList::ParseOptions("-vf=scale=640:-2 -x= -y=-3 next"),
              listOf({{"vf", "scale=640:-2"}, {"x", ""}, {"y", "-3"}}));
}

TEST(VAOptionListParse, DoubleMinusStartsTheNameAfterBoth) {
    EXPECT_EQ(VAOptionList::ParseOptions("--long v ---odd"), listOf({{"long", "v"}, {"-odd", ""}}));
}

TEST(VAOptionListParse, NameBeginsAfterTheFirstMinusAnywhere) {
    EXPECT_EQ(VAOptionList::ParseOptions("-a x pre-post v"), listOf({{"a", "x"}, {"post", "v"}}));
}

TEST(VAOptionListParse, QuotedEmptyValueIsConsumed) {
    EXPECT_EQ(VAOptionList::ParseOptions("-metadata \"\" -an"),
              listOf({{"metadata", ""}, {"an", ""}}));
}

TEST(VAOptionListWrite, QuotesValuesWithCommaOrBlank) {
    EXPECT_EQ(VAOptionList::WriteOptions(
                  listOf({{"vf", "a,b"}, {"metadata", "title=My Clip"}, {"an", ""}, {"c:v", "x"}})),
              "-vf \"a,b\" -metadata \"title=My Clip\" -an -c:v x");
    EXPECT_EQ(VAOptionList::WriteOptions(VAOptionList()), "");
}

TEST(VAOptionListWrite, EscapesBackslashesAndDoubleQuotesInValues) {
    const VAOptionList list = listOf({{"i", "C:\\in"}, {"vf", "drawtext=text=\"a b\""}});
    const XStr written = VAOptionList::WriteOptions(list);
    EXPECT_EQ(written, "-i C:\\\\in -vf \"drawtext=text=\\\"a b\\\"\"");
    EXPECT_EQ(VAOptionList::ParseOptions(written), list);
}

TEST(VAOptionListWrite, ValueBeginningWithMinusIsWrittenApartForFFmpeg) {
    const VAOptionList list = listOf({{"y", "-3"}, {"z", "-a b"}});
    const XStr written = VAOptionList::WriteOptions(list);
    EXPECT_EQ(written, "-y -3 -z \"-a b\"");
    EXPECT_EQ(VACommandText::Split(written), (XStrList{"-y", "-3", "-z", "-a b"}));
}
TEST(VAOptionListWrite, SplitOptionTextStaysTheSame) {
    // Negative numbers written as separate arguments, as the pages write them for FFmpeg,
    // pass through a parse and a write unchanged.
    EXPECT_EQ(VAOptionList::WriteOptions(VAOptionList::ParseOptions("-itsoffset -0.5 -an")),
              "-itsoffset -0.5 -an");
}

TEST(VAOptionListMerge, JoinsAllValuesAtTheFirstPlace) {
    EXPECT_EQ(VAOptionList::MergeOption("vf", "-vf a -c:v x -vf b"), "-vf \"a, b\" -c:v x");
}

TEST(VAOptionListMerge, IgnoresCaseAndUsesTheGivenName) {
    EXPECT_EQ(VAOptionList::MergeOption("vf", "-an -VF a -Vf b"), "-an -vf \"a, b\"");
}

TEST(VAOptionListMerge, SingleOptionIsOnlyWrittenBack) {
    EXPECT_EQ(VAOptionList::MergeOption("af", "-af  volume=2   -vn"), "-af volume=2 -vn");
}

TEST(VAOptionListMerge, EmptyValuesLeaveThePairsAlone) {
    EXPECT_EQ(VAOptionList::MergeOption("an", "-an -c:a aac -an"), "-an -c:a aac -an");
    EXPECT_EQ(VAOptionList::MergeOption("vf", "-c:v x"), "-c:v x");
}

TEST(VAOptionListMerge, EmptyValuesAreNotJoined) {
    EXPECT_EQ(VAOptionList::MergeOption("vf", "-vf a -vf= -x y -vf b"), "-vf \"a, b\" -x y");
    EXPECT_EQ(VAOptionList::MergeOption("vf", "-vf= -x y -vf b"), "-vf b -x y");
}

TEST(VAOptionListExtract, TakesOutEveryMatchAndAnswersTheirValues) {
    XStr text = "-fextension mp4 -c:v x -FEXTENSION mkv";
    EXPECT_EQ(VAOptionList::ExtractOption("fextension", text), "mp4, mkv");
    EXPECT_EQ(text, "-c:v x");
}

TEST(VAOptionListExtract, AbsentOptionLeavesTheTextNormalised) {
    XStr text = "  -c:v   libx264  -vf \"scale=640:-2\"  stray -an";
    EXPECT_EQ(VAOptionList::ExtractOption("fextension", text), "");
    EXPECT_EQ(text, "-c:v libx264 -vf scale=640:-2");
}

TEST(VAOptionListExtract, EmptyValuesAreNotJoined) {
    XStr text = "-vf a -an -vf= -vf b";
    EXPECT_EQ(VAOptionList::ExtractOption("vf", text), "a, b");
    EXPECT_EQ(text, "-an");
}

TEST(VAOptionListExtract, LoopCountComesOutAsText) {
    XStr text = "-loopvideo 3 -c:v copy";
    EXPECT_EQ(VAOptionList::ExtractOption("loopvideo", text), "3");
    EXPECT_EQ(text, "-c:v copy");
}

TEST(VAOptionListLookup, FirstPairOfTheNameWinsWithCaseIgnored) {
    const VAOptionList list = VAOptionList::ParseOptions("-acodec aac -ACODEC mp3 -an");
    EXPECT_EQ(VAOptionList::LookupOption(list, "AcOdEc"), XStr("aac"));
    EXPECT_EQ(VAOptionList::LookupOption(list, "an"), XStr(""));
    EXPECT_EQ(VAOptionList::LookupOption(list, "vcodec"), std::nullopt);
}

TEST(VAOptionListLookup, CaseFoldingIsAsciiOnly) {
    const VAOptionList list = VAOptionList::ParseOptions("-\u00E9t\u00E9 1");
    EXPECT_EQ(VAOptionList::LookupOption(list, "\u00C9T\u00C9"), std::nullopt);
    EXPECT_EQ(VAOptionList::LookupOption(list, "\u00E9T\u00E9"), XStr("1"));
}

}  // namespace
