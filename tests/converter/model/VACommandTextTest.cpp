#include "VACommandText.h"

#include <gtest/gtest.h>

#include "RandomText.h"

namespace {

using VACommandText::Quote;
using VACommandText::Split;

TEST(VACommandTextQuote, PlainPathStaysAsItIs) {
    EXPECT_EQ(Quote("/Users/me/clip.mp4"), "/Users/me/clip.mp4");
    EXPECT_EQ(Quote("a+b-c_d.e/F9"), "a+b-c_d.e/F9");
}

TEST(VACommandTextQuote, OtherTextsComeBackInDoubleQuotes) {
    EXPECT_EQ(Quote("/Users/me/my clip.mp4"), "\"/Users/me/my clip.mp4\"");
    EXPECT_EQ(Quote("/Users/me/it's.mp4"), "\"/Users/me/it's.mp4\"");
    EXPECT_EQ(Quote("/Users/me/caf\u00E9.mp4"), "\"/Users/me/caf\u00E9.mp4\"");
    EXPECT_EQ(Quote(""), "\"\"");
    EXPECT_EQ(Quote("a$b"), "\"a$b\"");
}

TEST(VACommandTextQuote, EscapesDoubleQuotesAndBackslashes) {
    EXPECT_EQ(Quote("say \"hi\".mp4"), "\"say \\\"hi\\\".mp4\"");
    EXPECT_EQ(Quote("a\\b"), "\"a\\\\b\"");
    EXPECT_EQ(Quote("\\\""), "\"\\\\\\\"\"");
}

TEST(VACommandTextQuote, SafeTextsNeverChange) {
    RandomText random(7);
    for (int i = 0; i < 2000; ++i) {
        const XStr text = random.textOfLength(RandomText::kSafe, 1 + random.below(20));
        ASSERT_EQ(Quote(text), text);
    }
}

TEST(VACommandTextQuote, SplitReadsEveryQuotedTextBackAsOneArgument) {
    RandomText random(20240601);
    for (int i = 0; i < 10000; ++i) {
        const XStr text = random.text(RandomText::kTricky, 24);
        const XStrList args = Split(Quote(text));
        if (args != XStrList{text}) {
            ADD_FAILURE() << "first failing text: [" << text << "] quoted as [" << Quote(text)
                          << "]";
            break;
        }
    }
}

TEST(VACommandTextQuote, QuotedPathsStaySeparateArguments) {
    const XStr a = "/tmp/a \"b\"\\";
    const XStr b = "/tmp/c\\ d";
    EXPECT_EQ(Split("ffmpeg -i " + Quote(a) + " " + Quote(b)), (XStrList{"ffmpeg", "-i", a, b}));
}

TEST(VACommandTextSplit, BlanksSeparateAndRunsProduceNothing) {
    EXPECT_EQ(Split("  -i   in.mp4  out.mp4 "), (XStrList{"-i", "in.mp4", "out.mp4"}));
    EXPECT_EQ(Split(""), XStrList{});
    EXPECT_EQ(Split("   "), XStrList{});
}

TEST(VACommandTextSplit, QuotedEmptyArgumentIsProduced) {
    EXPECT_EQ(Split("a \"\" b"), (XStrList{"a", "", "b"}));
    EXPECT_EQ(Split("\"\""), XStrList{""});
}

TEST(VACommandTextSplit, QuotesGroupAndJoinWithNeighbours) {
    EXPECT_EQ(Split("-vf \"a, b\" x\"y z\"w"), (XStrList{"-vf", "a, b", "xy zw"}));
}

TEST(VACommandTextSplit, BackslashTakesTheNextCharacterLiterally) {
    EXPECT_EQ(Split("a\\ b c"), (XStrList{"a b", "c"}));
    EXPECT_EQ(Split("\\\"x"), XStrList{"\"x"});
    EXPECT_EQ(Split("\"in \\\" side\""), XStrList{"in \" side"});
    EXPECT_EQ(Split("a\\\\b"), XStrList{"a\\b"});
}

TEST(VACommandTextSplit, TrailingBackslashEndsTheText) {
    EXPECT_EQ(Split("ab\\"), XStrList{"ab"});
    EXPECT_EQ(Split("ab \\"), XStrList{"ab"});
}

TEST(VACommandTextSplit, OnlyTheSpaceCharacterSeparates) {
    EXPECT_EQ(Split("a\tb\nc d"), (XStrList{"a\tb\nc", "d"}));
}

TEST(VACommandTextSplit, UnclosedQuoteRunsToTheEnd) {
    EXPECT_EQ(Split("a \"b c"), (XStrList{"a", "b c"}));
}

TEST(VACommandTextOptionName, PlainNamesGetOneMinus) {
    EXPECT_EQ(VACommandText::OptionName("c:v"), "-c:v");
    EXPECT_EQ(VACommandText::OptionName(""), "-");
}

TEST(VACommandTextOptionName, SpecialNamesAreWrittenSoTheyReadBack) {
    EXPECT_EQ(VACommandText::OptionName("-x"), "---x");
    EXPECT_EQ(VACommandText::OptionName("a b"), "-\"a b\"");
    EXPECT_EQ(VACommandText::OptionName("a\"b\\"), "-a\\\"b\\\\");
}

}  // namespace
