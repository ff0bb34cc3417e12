// Untrusted text as a terminal gets it: control characters and bytes that are not UTF-8
// escaped, everything else as it is, and always valid UTF-8.
#include "VADisplayText.h"

#include <gtest/gtest.h>

namespace {

// A file name holding the byte 0xE9 that is not UTF-8 keeps it as U+DCE9.
XStr withRawByte(std::u32string_view before, std::u32string_view after) {
    return XStr(std::u32string(before) + char32_t(0xDCE9) + std::u32string(after));
}

TEST(VADisplayText, EscapesControlsAndRawBytesOnly) {
    struct Row {
        XStr text;
        const char* shown;
    };
    const Row rows[] = {
        {"plain name.mp4", "plain name.mp4"},
        {"caf\u00E9 \u6F22\U0001F600", "caf\u00E9 \u6F22\U0001F600"},
        {"two\nlines\r\tx", "two\\nlines\\r\\tx"},
        {"\x1b[31mred\x1b[0m", "\\033[31mred\\033[0m"},
        {"bell\a nul", "bell\\007 nul"},
        {"del\x7f", "del\\177"},
        {"csi\u009b2J", "csi\\302\\2332J"},
        {withRawByte(U"lat", U".mp4"), "lat\\351.mp4"},
        {"back\\slash \\n", "back\\slash \\n"},
        {XStr(std::u32string(U"lone") + char32_t(0xD800)), "lone\uFFFD"},
        {"", ""},
    };
    for (const Row& row : rows) {
        const XStr shown = VADisplayText::escaped(row.text);
        EXPECT_EQ(shown, XStr(row.shown)) << row.shown;
        EXPECT_EQ(VADisplayText::escaped(shown), shown) << "escaping twice changes nothing";
        const std::string bytes = VADisplayText::utf8(row.text);
        EXPECT_EQ(XStr(bytes).utf8(), bytes) << "valid UTF-8";
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            EXPECT_TRUE(b >= 0x20 && b != 0x7F) << row.shown;
        }
    }
}

TEST(VADisplayText, QuotedNamesAndLinesOfAMessage) {
    EXPECT_EQ(VADisplayText::quoted("a\nb.mp4"), XStr("'a\\nb.mp4'"));
    EXPECT_EQ(VADisplayText::linesUtf8("First \x1b[2J\n  second\n"), "First \\033[2J\n  second\n");
    EXPECT_EQ(VADisplayText::linesUtf8("one"), "one");
}

}  // namespace
