// The compact JSON text of the event lines.
#include "VCliJson.h"

#include <gtest/gtest.h>

#include "VCliJsonObject.h"

TEST(VCliJson, PlainTextIsOnlyQuoted) {
    EXPECT_EQ(VCliJson::quote("Encoding 'a b'"), "\"Encoding 'a b'\"");
    EXPECT_EQ(VCliJson::quote(""), "\"\"");
}

TEST(VCliJson, QuotesAndBackslashesAreEscaped) {
    EXPECT_EQ(VCliJson::quote("-vf \"scale=1:2\" C:\\x"), "\"-vf \\\"scale=1:2\\\" C:\\\\x\"");
}

TEST(VCliJson, ControlCharactersNeverAppearRaw) {
    EXPECT_EQ(VCliJson::quote("a\nb\rc\td\be\ff"), "\"a\\nb\\rc\\td\\be\\ff\"");
    EXPECT_EQ(VCliJson::quote(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\\u007f\"");
    EXPECT_EQ(VCliJson::quote(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(VCliJson, WellFormedUtf8PassesThrough) {
    const std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xac";
    EXPECT_EQ(VCliJson::quote(text), "\"" + text + "\"");
}

TEST(VCliJson, MalformedUtf8BecomesReplacementCharacters) {
    // A lone continuation byte, a truncated sequence, an overlong "/", an encoded surrogate
    // and a value above U+10FFFF.
    EXPECT_EQ(VCliJson::quote("a\x80z"), "\"a\\ufffdz\"");
    EXPECT_EQ(VCliJson::quote("a\xe2\x82"), "\"a\\ufffd\\ufffd\"");
    EXPECT_EQ(VCliJson::quote("\xc0\xaf"), "\"\\ufffd\\ufffd\"");
    EXPECT_EQ(VCliJson::quote("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");
    EXPECT_EQ(VCliJson::quote("\xf4\x90\x80\x80"), "\"\\ufffd\\ufffd\\ufffd\\ufffd\"");
}

TEST(VCliJsonObject, MembersInOrderOnOneLine) {
    const std::string json = VCliJsonObject()
                                 .add("event", "log")
                                 .add("job", 3)
                                 .add("error", true)
                                 .add("ok", false)
                                 .add("size", static_cast<int64_t>(5000000000))
                                 .add("line", XStr("x\ny"))
                                 .addRaw("list", "[1,2]")
                                 .str();
    EXPECT_EQ(json,
              "{\"event\":\"log\",\"job\":3,\"error\":true,\"ok\":false,\"size\":5000000000,"
              "\"line\":\"x\\ny\",\"list\":[1,2]}");
}

TEST(VCliJsonObject, EmptyObject) {
    EXPECT_EQ(VCliJsonObject().str(), "{}");
}
