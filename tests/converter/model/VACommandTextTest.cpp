#include "VACommandText.h"

#include <gtest/gtest.h>

#include "RandomText.h"

namespace {

using VACommandText::Quote;
using VACommandText::Split;

struct TextRow {
    XStr text;
    XStr written;
};

TEST(VACommandTextQuote, PlainTextsStayAndOthersComeBackInEscapedDoubleQuotes) {
    const TextRow rows[] = {
        {"/Users/me/clip.mp4", "/Users/me/clip.mp4"},
        {"a+b-c_d.e/F9", "a+b-c_d.e/F9"},
        {"/Users/me/my clip.mp4", "\"/Users/me/my clip.mp4\""},
        {"/Users/me/it's.mp4", "\"/Users/me/it's.mp4\""},
        {"/Users/me/caf\u00E9.mp4", "\"/Users/me/caf\u00E9.mp4\""},
        {"", "\"\""},
        {"a$b", "\"a$b\""},
        // Double quotes and backslashes are escaped.
        {"say \"hi\".mp4", "\"say \\\"hi\\\".mp4\""},
        {"a\\b", "\"a\\\\b\""},
        {"\\\"", "\"\\\\\\\"\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Quote(row.text), row.written) << row.text;
    }
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

TEST(VACommandTextSplit, EachTextGivesItsArguments) {
    const struct {
        XStr text;
        XStrList args;
    } rows[] = {
        // Blanks separate and runs of them give nothing.
        {"  -i   in.mp4  out.mp4 ", {"-i", "in.mp4", "out.mp4"}},
        {"", {}},
        {"   ", {}},
        // A quoted empty text is an argument.
        {"a \"\" b", {"a", "", "b"}},
        {"\"\"", {""}},
        // Quotes group and join with their neighbours.
        {"-vf \"a, b\" x\"y z\"w", {"-vf", "a, b", "xy zw"}},
        // A backslash takes the next character literally; a trailing one ends the text.
        {"a\\ b c", {"a b", "c"}},
        {"\\\"x", {"\"x"}},
        {"\"in \\\" side\"", {"in \" side"}},
        {"a\\\\b", {"a\\b"}},
        {"ab\\", {"ab"}},
        {"ab \\", {"ab"}},
        // Only the space character separates.
        {"a\tb\nc d", {"a\tb\nc", "d"}},
        // An unclosed quote runs to the end.
        {"a \"b c", {"a", "b c"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Split(row.text), row.args) << row.text;
    }
}

TEST(VACommandTextOptionName, NamesAreWrittenSoTheyReadBack) {
    const TextRow rows[] = {
        {"c:v", "-c:v"}, {"", "-"}, {"-x", "---x"}, {"a b", "-\"a b\""}, {"a\"b\\", "-a\\\"b\\\\"}};
    for (const auto& row : rows) {
        EXPECT_EQ(VACommandText::OptionName(row.text), row.written) << row.text;
    }
}

}  // namespace
