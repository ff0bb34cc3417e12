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

TEST(VAOptionListParse, EachTextGivesItsPairs) {
    const struct {
        XStr text;
        VAOptionList pairs;
    } rows[] = {
        {"-i x -vf \"a, b\" -an", listOf({{"i", "x"}, {"vf", "a, b"}, {"an", ""}})},
        // A value may not begin with "-".
        {"-ss -5", listOf({{"ss", ""}, {"5", ""}})},
        // A stray word ends the list.
        {"-c:v libx264 clip.mp4 -an -b:a 128k", listOf({{"c:v", "libx264"}})},
        // An equals sign splits name and value.
        {"-vf=scale=640:-2 -x= -y=-3 next",
         listOf({{"vf", "scale=640:-2"}, {"x", ""}, {"y", "-3"}})},
        // A double minus starts the name after both.
        {"--long v ---odd", listOf({{"long", "v"}, {"-odd", ""}})},
        // The name begins after the first minus anywhere.
        {"-a x pre-post v", listOf({{"a", "x"}, {"post", "v"}})},
        // A quoted empty value is consumed.
        {"-metadata \"\" -an", listOf({{"metadata", ""}, {"an", ""}})},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VAOptionList::ParseOptions(row.text), row.pairs) << row.text;
    }
}

TEST(VAOptionListWrite, WritesWhatTheParserReadsBack) {
    const struct {
        VAOptionList pairs;
        XStr text;
    } rows[] = {
        // Values with a comma or a blank are quoted.
        {listOf({{"vf", "a,b"}, {"metadata", "title=My Clip"}, {"an", ""}, {"c:v", "x"}}),
         "-vf \"a,b\" -metadata \"title=My Clip\" -an -c:v x"},
        {VAOptionList(), ""},
        // Backslashes and double quotes in values are escaped.
        {listOf({{"i", "C:\\in"}, {"vf", "drawtext=text=\"a b\""}}),
         "-i C:\\\\in -vf \"drawtext=text=\\\"a b\\\"\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VAOptionList::WriteOptions(row.pairs), row.text);
        EXPECT_EQ(VAOptionList::ParseOptions(row.text), row.pairs) << row.text;
    }
    EXPECT_EQ(VAOptionList::WriteOptions(
                  VAOptionList::ParseOptions("-c:v libx264 clip.mp4 -an -b:a 128k")),
              "-c:v libx264");
}

TEST(VAOptionListWrite, ValueBeginningWithMinusIsWrittenApartForFFmpeg) {
    const VAOptionList list = listOf({{"y", "-3"}, {"z", "-a b"}});
    const XStr written = VAOptionList::WriteOptions(list);
    EXPECT_EQ(written, "-y -3 -z \"-a b\"");
    EXPECT_EQ(VACommandText::Split(written), (XStrList{"-y", "-3", "-z", "-a b"}));
    // Negative numbers written as separate arguments, as the pages write them for FFmpeg,
    // pass through a parse and a write unchanged.
    EXPECT_EQ(VAOptionList::WriteOptions(VAOptionList::ParseOptions("-itsoffset -0.5 -an")),
              "-itsoffset -0.5 -an");
}

TEST(VAOptionListMerge, JoinsAllNonEmptyValuesAtTheFirstPlace) {
    const struct {
        XStr name;
        XStr text;
        XStr merged;
    } rows[] = {
        {"vf", "-vf a -c:v x -vf b", "-vf \"a, b\" -c:v x"},
        // Case is ignored and the given name is written.
        {"vf", "-an -VF a -Vf b", "-an -vf \"a, b\""},
        // A single option is only written back.
        {"af", "-af  volume=2   -vn", "-af volume=2 -vn"},
        // Empty values leave the pairs alone and are not joined.
        {"an", "-an -c:a aac -an", "-an -c:a aac -an"},
        {"vf", "-c:v x", "-c:v x"},
        {"vf", "-vf a -vf= -x y -vf b", "-vf \"a, b\" -x y"},
        {"vf", "-vf= -x y -vf b", "-vf b -x y"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VAOptionList::MergeOption(row.name, row.text), row.merged) << row.text;
    }
}

TEST(VAOptionListExtract, TakesOutEveryMatchAndAnswersTheirValues) {
    const struct {
        XStr name;
        XStr text;
        XStr values;
        XStr rest;
    } rows[] = {
        {"fextension", "-fextension mp4 -c:v x -FEXTENSION mkv", "mp4, mkv", "-c:v x"},
        // An absent option leaves the text normalised.
        {"fextension", "  -c:v   libx264  -vf \"scale=640:-2\"  stray -an", "",
         "-c:v libx264 -vf scale=640:-2"},
        // Empty values are not joined.
        {"vf", "-vf a -an -vf= -vf b", "a, b", "-an"},
        {"loopvideo", "-loopvideo 3 -c:v copy", "3", "-c:v copy"},
    };
    for (const auto& row : rows) {
        XStr text = row.text;
        EXPECT_EQ(VAOptionList::ExtractOption(row.name, text), row.values) << row.text;
        EXPECT_EQ(text, row.rest) << row.text;
    }
}

TEST(VAOptionListLookup, FirstPairOfTheNameWinsWithAsciiCaseIgnored) {
    const VAOptionList list = VAOptionList::ParseOptions("-acodec aac -ACODEC mp3 -an");
    EXPECT_EQ(VAOptionList::LookupOption(list, "AcOdEc"), XStr("aac"));
    EXPECT_EQ(VAOptionList::LookupOption(list, "an"), XStr(""));
    EXPECT_EQ(VAOptionList::LookupOption(list, "vcodec"), std::nullopt);
    const VAOptionList accented = VAOptionList::ParseOptions("-\u00E9t\u00E9 1");
    EXPECT_EQ(VAOptionList::LookupOption(accented, "\u00C9T\u00C9"), std::nullopt);
    EXPECT_EQ(VAOptionList::LookupOption(accented, "\u00E9T\u00E9"), XStr("1"));
}

}  // namespace
