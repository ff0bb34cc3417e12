#include "clLineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<XStr> splitWhole(const std::string& bytes) {
    std::vector<XStr> lines;
    clLineSplitter splitter([&](XStr& line) { lines.push_back(line); });
    splitter.feed(bytes.data(), bytes.size());
    splitter.finish();
    return lines;
}

// The same bytes fed in pieces cut at the given positions.
std::vector<XStr> splitAt(const std::string& bytes, const std::vector<size_t>& cuts) {
    std::vector<XStr> lines;
    clLineSplitter splitter([&](XStr& line) { lines.push_back(line); });
    size_t from = 0;
    for (size_t cut : cuts) {
        splitter.feed(bytes.data() + from, cut - from);
        from = cut;
    }
    splitter.feed(bytes.data() + from, bytes.size() - from);
    splitter.finish();
    return lines;
}

std::vector<XStr> lines(std::initializer_list<const char*> texts) {
    std::vector<XStr> out;
    for (const char* t : texts) {
        out.emplace_back(t);
    }
    return out;
}

}  // namespace

TEST(clLineSplitter, EachInputGivesItsLines) {
    const struct {
        std::string bytes;
        std::vector<XStr> lines;
    } rows[] = {
        // Line ends of all three kinds; empty lines are lines.
        {"a\nb\r\nc\rd\n", lines({"a", "b", "c", "d"})},
        {"\n\nx\n\r\n\r\r", lines({"", "", "x", "", "", ""})},
        // CR LF is one end, LF CR two.
        {"a\r\n\nb", lines({"a", "", "b"})},
        {"a\n\rb", lines({"a", "", "b"})},
        // No trailing empty line after a final line end.
        {"a\n", lines({"a"})},
        {"a\r", lines({"a"})},
        {"", lines({})},
        // NUL bytes are dropped.
        {std::string("a\0b\n\0\n", 6), lines({"ab", ""})},
        // A byte order mark at a line start is dropped: only the first of a line, and a line
        // holding nothing but the mark is an empty line. Inside a line it is text.
        {"\xEF\xBB\xBF"
         "abc\n\xEF\xBB\xBF"
         "def",
         lines({"abc", "def"})},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx\n", lines({"\xEF\xBB\xBFx"})},
        {"x\xEF\xBB\xBF\n", lines({"x\xEF\xBB\xBF"})},
        {"\xEF\xBB\xBF\nz\n", lines({"", "z"})},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(splitWhole(row.bytes), row.lines) << testing::PrintToString(row.bytes);
    }
}

TEST(clLineSplitter, LastLineWithoutEndIsDeliveredAtFinishOnly) {
    std::vector<XStr> got;
    clLineSplitter splitter([&](XStr& line) { got.push_back(line); });
    const std::string bytes = "one\ntwo";
    splitter.feed(bytes.data(), bytes.size());
    EXPECT_EQ(got, lines({"one"}));
    splitter.finish();
    EXPECT_EQ(got, lines({"one", "two"}));
}

TEST(clLineSplitter, CarriageReturnLineFeedSplitAcrossChunks) {
    const std::string bytes = "frame=1\r\nframe=2\r\n";
    EXPECT_EQ(splitAt(bytes, {8}), lines({"frame=1", "frame=2"}));
    EXPECT_EQ(splitAt(bytes, {7, 8}), lines({"frame=1", "frame=2"}));
}

TEST(clLineSplitter, LeadByteWithoutRestOfMarkStaysInLine) {
    // EF BB 41: the two bytes stay, each kept as its escaped byte, then "A".
    const std::vector<XStr> got = splitWhole(
        "\xEF\xBB"
        "A\n");
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].units(), std::u32string(U"\xDCEF\xDCBB"
                                             U"A"));
    EXPECT_EQ(got[0].utf8(),
              "\xEF\xBB"
              "A");
    // EF followed by a valid continuation that is not BB: a real character survives.
    EXPECT_EQ(splitWhole("\xEF\xBC\xA1\n"), lines({"\xEF\xBC\xA1"}));  // U+FF21
    // EF just before the line end stays as well.
    const std::vector<XStr> cut = splitWhole("\xEF\nnext\n");
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].units(), std::u32string(U"\xDCEF"));
    EXPECT_EQ(cut[1], XStr("next"));
    // A partial mark left at end of input is delivered.
    EXPECT_EQ(splitWhole("\xEF\xBB").size(), 1u);
}

TEST(clLineSplitter, InvalidUtf8KeepsItsBytes) {
    const std::vector<XStr> got = splitWhole(
        "a\xFF"
        "b\xC3\n\xC3\xA9\n");
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].units(), std::u32string(U"a\xDCFF"
                                             U"b\xDCC3"));
    EXPECT_EQ(got[0].utf8(),
              "a\xFF"
              "b\xC3");
    EXPECT_EQ(got[1].units(), std::u32string(U"\u00E9"));
}

TEST(clLineSplitter, MultiByteCharacterSplitAcrossChunks) {
    const std::string bytes = "\xE2\x82\xAC\n";  // the euro sign
    EXPECT_EQ(splitAt(bytes, {1, 2}), lines({"\xE2\x82\xAC"}));
}

TEST(clLineSplitter, EveryCutOfTrickyInputGivesTheSameLines) {
    const std::string bytes = std::string(
                                  "\xEF\xBB\xBF"
                                  "a\r\n\r\xEF\xBB"
                                  "b\0\n\xEF\xBB\xBF\r",
                                  16) +
                              "\xEF\xBC\xA1\r\r\nlast";
    const std::vector<XStr> whole = splitWhole(bytes);
    ASSERT_EQ(whole.size(), 7u);
    EXPECT_EQ(whole[0], XStr("a"));
    EXPECT_EQ(whole[2].units(), std::u32string(U"\xDCEF\xDCBB"
                                               U"b"));
    EXPECT_EQ(whole[4], XStr("\xEF\xBC\xA1"));
    EXPECT_EQ(whole[6], XStr("last"));
    for (size_t a = 0; a <= bytes.size(); ++a) {
        for (size_t b = a; b <= bytes.size(); ++b) {
            ASSERT_EQ(splitAt(bytes, {a, b}), whole) << "cut at " << a << " and " << b;
        }
    }
}
