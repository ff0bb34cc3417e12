// The compact JSON text of the event lines.
#include "VCliJson.h"

#include <gtest/gtest.h>

#include "VCliJsonObject.h"
#include "XJSON.h"

TEST(VCliJson, PlainTextIsOnlyQuotedAndWellFormedUtf8PassesThrough) {
    EXPECT_EQ(VCliJson::quote("Encoding 'a b'"), "\"Encoding 'a b'\"");
    EXPECT_EQ(VCliJson::quote(""), "\"\"");
    const std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xac";
    EXPECT_EQ(VCliJson::quote(text), "\"" + text + "\"");
}

TEST(VCliJson, QuotesBackslashesAndControlCharactersAreEscaped) {
    EXPECT_EQ(VCliJson::quote("-vf \"scale=1:2\" C:\\x"), "\"-vf \\\"scale=1:2\\\" C:\\\\x\"");
    EXPECT_EQ(VCliJson::quote("a\nb\rc\td\be\ff"), "\"a\\nb\\rc\\td\\be\\ff\"");
    EXPECT_EQ(VCliJson::quote(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\\u007f\"");
    EXPECT_EQ(VCliJson::quote(std::string("a\0b", 3)), "\"a\\u0000b\"");
}

TEST(VCliJson, MalformedUtf8BytesAreEscapedOneByOne) {
    // A lone continuation byte, a truncated sequence, an overlong "/", an encoded surrogate,
    // a value above U+10FFFF and a Latin-1 name.
    const std::pair<std::string, std::string> cases[] = {
        {"a\x80z", "\"a\\udc80z\""},
        {"a\xe2\x82", "\"a\\udce2\\udc82\""},
        {"\xc0\xaf", "\"\\udcc0\\udcaf\""},
        {"\xed\xa0\x80", "\"\\udced\\udca0\\udc80\""},
        {"\xf4\x90\x80\x80", "\"\\udcf4\\udc90\\udc80\\udc80\""},
        {"lat\xe9.mp4", "\"lat\\udce9.mp4\""},
    };
    for (const auto& [bytes, literal] : cases) {
        EXPECT_EQ(VCliJson::quote(bytes), literal);
        // The program's own reader gives back the very bytes.
        const XJSON::Owned back = XJSON::ParseUtf8(literal);
        ASSERT_NE(back, nullptr) << literal;
        EXPECT_EQ(back->AsString().Value.utf8(), bytes) << literal;
    }
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
    EXPECT_EQ(VCliJsonObject().str(), "{}");
}
