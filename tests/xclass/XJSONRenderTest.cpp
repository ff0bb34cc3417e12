#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <string>

#include "XJSON.h"
#include "XUtf8.h"

namespace {

std::string numberText(double value) {
    return XJSON::Number(value).ToText().utf8();
}

std::string stringText(const XStr& value) {
    return XJSON::String(value).ToText().utf8();
}

XJSON::Array digits(int count) {
    XJSON::Array array;
    for (int i = 0; i < count; ++i) {
        array.Add(std::make_unique<XJSON::Number>(i % 10));
    }
    return array;
}

// Numbers

TEST(XJSONRender, NumbersAreWrittenWholeOrWithAtMostSevenDecimals) {
    const std::pair<double, const char*> rows[] = {
        {3.0, "3"},
        {0, "0"},
        {-0.0, "0"},
        {-1, "-1"},
        {1e15, "1000000000000000"},
        {-9007199254740993.0, "-9007199254740992"},
        {-9223372036854775808.0, "-9223372036854775808"},
        {0.1, "0.1"},
        {0.5, "0.5"},
        {-2.25, "-2.25"},
        {1.0 / 3, "0.3333333"},
        {2.0 / 3, "0.6666667"},
        {123.4567891, "123.4567891"},
        {100.00000001, "100"},
        {0.0000123, "0.0000123"},
        // Tiny values keep their sign.
        {1e-8, "0"},
        {-0.00000004, "-0"},
        {-0.0000001, "-0.0000001"},
        // Rounding adds forty-nine hundredths: with a half added these would round up to
        // the next seventh decimal.
        {0.00000005, "0"},
        {2.00000005, "2"},
        {0.00000006, "0.0000001"},
        {0.99999999, "1"},
        {-0.99999999, "-1"},
        // Beyond sixty-four bits.
        {9223372036854775808.0, "9223372036854775808"},
        {1e20, "100000000000000000000"},
        {-1e20, "-100000000000000000000"},
        {1e12 + 0.5, "1000000000000.5"},
        {3e12 + 0.25, "3000000000000.25"},
        // Numbers JSON cannot hold.
        {std::numeric_limits<double>::infinity(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
        {std::nan(""), "null"},
    };
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(numberText(value), text) << std::setprecision(17) << value;
    }
    EXPECT_EQ(numberText(1e300).size(), 301u);
}

// Strings

TEST(XJSONRender, StringEscapes) {
    EXPECT_EQ(stringText(XStr(std::u32string{9, 1, U'/'})), "\"\\t\\u0001/\"");
    EXPECT_EQ(stringText("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(stringText(XStr(std::u32string{8, 12, 10, 13})), "\"\\b\\f\\n\\r\"");
    EXPECT_EQ(stringText(XStr(std::u32string{0, 0x1f, 0x7f})), "\"\\u0000\\u001F\x7f\"");
    EXPECT_EQ(stringText(""), "\"\"");
    // Words and null need none.
    EXPECT_EQ(XJSON::Boolean(true).ToText(), "true");
    EXPECT_EQ(XJSON::Boolean(false).ToText(), "false");
    EXPECT_EQ(XJSON::Null().ToText(), "null");
}

TEST(XJSONRender, NonAsciiIsWrittenUnchangedButLoneSurrogatesAreEscaped) {
    const XStr text("caf\u00e9 \u20ac \U0001F600");
    const XJSON::String value(text);
    EXPECT_EQ(value.ToText(), XStr("\"") + text + "\"");
    EXPECT_EQ(value.ToUtf8(), "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"");
    // Lone surrogates survive the UTF-8 file.
    const XStr lone(std::u32string{U'a', 0xD83D, 0xDE00, U'b'});
    EXPECT_EQ(XJSON::String(lone).ToText(), XStr("\"") + lone + "\"");
    const std::string utf8 = XJSON::String(lone).ToUtf8();
    EXPECT_EQ(utf8, "\"a\\uD83D\\uDE00b\"");
    const XJSON::Owned back = XJSON::ParseUtf8(utf8);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->AsString().Value, lone);
}

// Arrays

TEST(XJSONRender, ArraysOfTwoHundredCharactersBreakIntoLines) {
    const std::string text = digits(39).ToText().utf8();
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.substr(0, 10), "[0, 1, 2, ");
    EXPECT_EQ(text.size(), 2 + 39 + 38 * 2u);
    const XJSON::Array array = digits(40);
    std::string expected = "[";
    for (int i = 0; i < 40; ++i) {
        expected += std::string(i > 0 ? "," : "") + "\n    " + std::to_string(i % 10);
    }
    expected += "\n]";
    EXPECT_EQ(array.ToText().utf8(), expected);
}

TEST(XJSONRender, TheLimitCountsElementTextsPlusFour) {
    // Two strings of 94 letters: (96 + 4) * 2 = 200.
    XJSON::Array atLimit;
    atLimit.Add(std::make_unique<XJSON::String>(XStr(std::string(94, 'x'))));
    atLimit.Add(std::make_unique<XJSON::String>(XStr(std::string(94, 'y'))));
    EXPECT_NE(atLimit.ToText().utf8().find('\n'), std::string::npos);

    XJSON::Array below;
    below.Add(std::make_unique<XJSON::String>(XStr(std::string(93, 'x'))));
    below.Add(std::make_unique<XJSON::String>(XStr(std::string(94, 'y'))));
    EXPECT_EQ(below.ToText().utf8(),
              "[\"" + std::string(93, 'x') + "\", \"" + std::string(94, 'y') + "\"]");
}

TEST(XJSONRender, AnArrayHoldingAnObjectIsAlwaysMultiLine) {
    XJSON::Array array;
    array.Add(std::make_unique<XJSON::Number>(1));
    array.AddObject();
    EXPECT_EQ(array.ToText().utf8(), "[\n    1,\n    {\n    }\n]");
}

TEST(XJSONRender, AMultiLineElementBreaksItsParentButShortNestedArraysStayOnOneLine) {
    XJSON::Array outer;
    outer.Add(std::make_unique<XJSON::Number>(7));
    XJSON::Array& inner = outer.AddArray();
    for (int i = 0; i < 40; ++i) {
        inner.Add(std::make_unique<XJSON::Number>(1));
    }
    std::string expected = "[\n    7,\n    [";
    for (int i = 0; i < 40; ++i) {
        expected += std::string(i > 0 ? "," : "") + "\n        1";
    }
    expected += "\n    ]\n]";
    EXPECT_EQ(outer.ToText().utf8(), expected);
    const XJSON::Owned value = XJSON::Parse("[[1, 2], [], [[3]], \"a\", null, true]");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->ToText(), "[[1, 2], [], [[3]], \"a\", null, true]");
}

// Objects

TEST(XJSONRender, ObjectsWriteOneMemberPerLine) {
    XJSON::Object object;
    XJSON::Array& a = object.AddArray("a");
    a.Add(std::make_unique<XJSON::Number>(1));
    a.Add(std::make_unique<XJSON::Number>(2));
    object.AddObject("b").Add("c", std::make_unique<XJSON::String>("x"));
    EXPECT_EQ(object.ToText().utf8(),
              "{\n"
              "    \"a\":[1, 2],\n"
              "    \"b\":{\n"
              "        \"c\":\"x\"\n"
              "    }\n"
              "}");
    // Empty objects.
    EXPECT_EQ(XJSON::Object().ToText(), "{\n}");
    XJSON::Object empty;
    empty.AddObject("a");
    EXPECT_EQ(empty.ToText(), "{\n    \"a\":{\n    }\n}");
}

TEST(XJSONRender, NamesAreEscapedAndMembersKeepTheirOrder) {
    XJSON::Object object;
    object.Add("z\"", std::make_unique<XJSON::Null>());
    object.Add("a\n", std::make_unique<XJSON::Boolean>(true));
    object.Add("z\"", std::make_unique<XJSON::Number>(-1.5));
    EXPECT_EQ(object.ToText().utf8(),
              "{\n    \"z\\\"\":null,\n    \"a\\n\":true,\n    \"z\\\"\":-1.5\n}");
}

TEST(XJSONRender, DeepLayoutIndentsByFourPerLevel) {
    const char* text =
        "{\n"
        "    \"HKCU\":{\n"
        "        \"list\":[\n"
        "            {\n"
        "                \"x\":[1, \"two\", [3]]\n"
        "            },\n"
        "            2\n"
        "        ],\n"
        "        \"e\":[]\n"
        "    }\n"
        "}";
    const XJSON::Owned value = XJSON::Parse(text);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->ToText(), text);
    EXPECT_EQ(value->ToUtf8(), text);
}

// Rendering and parsing agree

TEST(XJSONRender, RenderedTextParsesBackToTheSameTree) {
    XJSON::Object object;
    object.Add("n", std::make_unique<XJSON::Number>(-42));
    object.Add("f", std::make_unique<XJSON::Number>(0.5));
    object.Add("s", std::make_unique<XJSON::String>(XStr(std::u32string{U'"', 0, 0x1f, 0xe9})));
    XJSON::Array& list = object.AddArray("l");
    list.Add(std::make_unique<XJSON::Boolean>(false));
    list.Add(std::make_unique<XJSON::Null>());
    list.AddObject().Add("deep", std::make_unique<XJSON::String>("x"));
    const XJSON::Owned back = XJSON::Parse(object.ToText());
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Equals(object));
    EXPECT_EQ(back->ToUtf8(), XUtf8::encode(object.ToText().units()));
}

}  // namespace
