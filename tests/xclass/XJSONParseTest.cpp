#include <gtest/gtest.h>

#include <string>

#include "JSONTestSupport.h"
#include "XJSON.h"

namespace {

XStr bytes(const std::string& raw) {
    return XStr(std::string_view(raw));
}

// What each text parses to: "none" is no value, never a partial tree.
TEST(XJSONParse, EachTextGivesItsTree) {
    const std::pair<std::string, std::string> rows[] = {
        {"", "none"},
        {"   \t\r\n", "none"},
        {"\x01\x02\x1f ", "none"},
        // Text ending where a value must begin.
        {"[1, 2", "none"},
        {"[1,", "none"},
        {"[", "none"},
        {"{", "none"},
        {"{\"a\"", "none"},
        {"{\"a\":", "none"},
        {"{\"a\":1", "none"},
        {"{\"a\":1,", "none"},
        {"[[1], [2", "none"},
        {"{\"a\":{\"b\":[1, {\"c\":", "none"},
        // Structurally malformed text.
        {"\"abc", "none"},
        {"[1 2]", "none"},
        {"[1;2]", "none"},
        {"{1:2}", "none"},
        {"{\"a\" 1}", "none"},
        {"{\"a\":1 \"b\":2}", "none"},
        {"[1,]", "none"},
        {"{\"a\":1,}", "none"},
        {"xyz", "none"},
        {"[tru]", "none"},
        {"{true:1}", "none"},
        {"[1}", "none"},
        {"{\"a\":1]", "none"},
        {".5", "none"},
        {"[\"a\\\"]", "none"},
        // Code zero and spaces beyond ASCII are no whitespace.
        {std::string("\0[1]", 4), "none"},
        {"\u00a0[1]", "none"},
        {"[1,\u30002]", "none"},
        // Text after the first value is ignored.
        {"[1] garbage [", "[1]"},
        {"1 2", "1"},
        {"{}}", "{}"},
        // A sign without digits is null; the position stays just after the sign, so what
        // follows must still fit.
        {"-", "null"},
        {"+x", "null"},
        {"[-]", "[null]"},
        {"[+, -, 1]", "[null,null,1]"},
        {"{\"a\":-}", "{a:null}"},
        {"[-x]", "none"},
        // Numbers have no exponent.
        {"1e5", "1"},
        {"2.5E3", "2.5"},
        {"[1e5]", "none"},
        {"007", "7"},
        {"+3", "3"},
        {"-12", "-12"},
        {"1.", "1"},
        {"0.5", "0.5"},
        {"-0.25", "-0.25"},
        {"[1.5, 2]", "[1.5,2]"},
        {"[1.]", "[1]"},
        {"--1", "null"},
        // Words ignore case and compare over their own length.
        {"True", "true"},
        {"FALSE", "false"},
        {"NULL", "null"},
        {"[nUlL, tRuE]", "[null,true]"},
        {"nullx", "null"},
        {"truefalse", "true"},
        {"[nullx]", "none"},
        {"tru", "none"},
        {"nul", "none"},
        // Strings: standard escapes, and unicode escapes of up to four digits (none at all
        // give the code unit zero).
        {"\"a\\\"b\\\\c\\/d\"", "\"a\"b\\c/d\""},
        {"\"\\b\\f\\n\\r\\t\"", "\"<8><C><A><D><9>\""},
        {"\"\\u0041\"", "\"A\""},
        {"\"\\u41z\"", "\"Az\""},
        {"\"\\U00e9\"", "\"<E9>\""},
        {"\"\\u00410\"", "\"A0\""},
        {"\"\\uFfFf\"", "\"<FFFF>\""},
        {"\"\\u\"", "\"<0>\""},
        {"\"\\ug\"", "\"<0>g\""},
        // Surrogate escapes stay two units.
        {"\"\\uD83D\\uDE00\"", "\"<D83D><DE00>\""},
        // Unknown escapes are dropped whole.
        {"\"a\\qb\"", "\"ab\""},
        {"\"\\q\"", "\"\""},
        {"\"\\B\\N\"", "\"\""},
        {"\"x\\\u00e9y\"", "\"xy\""},
        // Raw characters pass unchanged, and names are unescaped.
        {"\"tab\there\"", "\"tab<9>here\""},
        {"\"caf\u00e9 \u20ac \U0001F600\"", "\"caf<E9> <20AC> <1F600>\""},
        {"{\"a\\u0062\":1, \"q\\\"\":2}", "{ab:1,q\":2}"},
        {"{ }", "{}"},
        {"[ ]", "[]"},
        {"[[], {}, [[]]]", "[[],{},[[]]]"},
    };
    for (const auto& [text, tree] : rows) {
        EXPECT_EQ(parsed(bytes(text)), tree) << testing::PrintToString(text);
    }
}

TEST(XJSONParse, AFailureDeepInsideDiscardsEverything) {
    std::string text = "{\"keep\":[1, 2, 3], \"list\":[";
    for (int i = 0; i < 1000; ++i) {
        text += "{\"n\":" + std::to_string(i) + "},";
    }
    text += "{\"n\":}]}";
    EXPECT_EQ(XJSON::Parse(XStr(text)), nullptr);
}

TEST(XJSONParse, EveryCodeFromOneToThirtyTwoIsWhitespace) {
    std::string blanks;
    for (char c = 1; c <= 32; ++c) {
        blanks.push_back(c);
    }
    const std::string text = blanks + "{" + blanks + "\"a\"" + blanks + ":" + blanks + "[" +
                             blanks + "1" + blanks + "," + blanks + "2" + blanks + "]" + blanks +
                             "}";
    EXPECT_EQ(parsed(XStr(text)), "{a:[1,2]}");
}

TEST(XJSONParse, DecimalsComeCloseToTheirValue) {
    for (const char* text : {"3.14159", "0.1", "1234.5678", "-0.0001", "99999.99999"}) {
        const XJSON::Owned value = XJSON::Parse(text);
        ASSERT_NE(value, nullptr);
        ASSERT_EQ(value->TypeOf(), XJSON::typeNumber);
        EXPECT_NEAR(value->AsNumber().Value, std::stod(text), 1e-12) << text;
    }
}

TEST(XJSONParse, LongDigitRunsDoNotFail) {
    const XJSON::Owned big = XJSON::Parse(XStr(std::string(400, '9')));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->TypeOf(), XJSON::typeNumber);
    const XJSON::Owned tiny = XJSON::Parse(XStr("0." + std::string(400, '0') + "1"));
    ASSERT_NE(tiny, nullptr);
    EXPECT_EQ(tiny->AsNumber().Value, 0);
}

TEST(XJSONParse, RepeatedNamesAreKeptInOrder) {
    const XJSON::Owned value = XJSON::Parse("{\"a\":1, \"A\":2, \"a\":3}");
    ASSERT_NE(value, nullptr);
    const XJSON::Object& object = value->AsObject();
    ASSERT_EQ(object.Count(), 3u);
    EXPECT_EQ(object.Get("a").AsNumber().Value, 1);
    EXPECT_EQ(object.Get("A").AsNumber().Value, 1);
    EXPECT_EQ(object.Find("A").AsNumber().Value, 2);
}

// Nesting

std::string nestedArrays(int depth) {
    return std::string(static_cast<std::size_t>(depth), '[') +
           std::string(static_cast<std::size_t>(depth), ']');
}

TEST(XJSONParse, NestingUpToTheLimitParses) {
    const XJSON::Owned value = XJSON::Parse(XStr(nestedArrays(XJSON::kMaxDepth)));
    ASSERT_NE(value, nullptr);
    int depth = 0;
    for (const XJSON::AnyType* v = value.get(); v->TypeOf() == XJSON::typeArray;
         v = &v->AsArray().At(0)) {
        ++depth;
        if (v->AsArray().Count() == 0) {
            break;
        }
    }
    EXPECT_EQ(depth, XJSON::kMaxDepth);
}

TEST(XJSONParse, NestingPastTheLimitFails) {
    EXPECT_EQ(XJSON::Parse(XStr(nestedArrays(XJSON::kMaxDepth + 1))), nullptr);
    std::string objects;
    for (int i = 0; i <= XJSON::kMaxDepth; ++i) {
        objects += "{\"a\":";
    }
    objects += "1" + std::string(XJSON::kMaxDepth + 1, '}');
    EXPECT_EQ(XJSON::Parse(XStr(objects)), nullptr);
}

TEST(XJSONParse, HugeNestingFailsWithoutExhaustingTheStack) {
    EXPECT_EQ(XJSON::Parse(XStr(std::string(1000000, '['))), nullptr);
    std::string mixed;
    for (int i = 0; i < 200000; ++i) {
        mixed += "[{\"a\":";
    }
    EXPECT_EQ(XJSON::Parse(XStr(mixed)), nullptr);
}

// UTF-8 input

TEST(XJSONParse, Utf8InputGivesTheSameTreeAsDecodedText) {
    const std::string samples[] = {
        "{\"caf\xc3\xa9\":[1, \"\xe2\x82\xac\", true]}",
        "\"bad \xff byte\"",
        "\"cut \xe2\x82\"",
        "\"escaped bad \\\xff\"",
        "\"escaped cut \\\xe2\x82\\\"\"",
        "[\"\\\xc3\xa9\", \"\\u00e9\"]",
        "\xef\xbb\xbf{}",
        "[1,\xc2\xa0 2]",
        "{\"a\":\"\xf0\x9f\x98\x80\", \"\xed\xa0\x80\":0}",
    };
    for (const std::string& sample : samples) {
        const XJSON::Owned fromBytes = XJSON::ParseUtf8(sample);
        const XJSON::Owned fromText = XJSON::Parse(XStr(sample));
        ASSERT_EQ(fromBytes == nullptr, fromText == nullptr) << sample;
        if (fromText) {
            EXPECT_TRUE(fromBytes->Equals(*fromText)) << sample;
        }
    }
}

TEST(XJSONParse, MalformedUtf8InStringsKeepsItsBytes) {
    const XJSON::Owned value = XJSON::ParseUtf8(
        "[\"a\xff"
        "b\", \"\xe2\x82\"]");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(describe(*value), "[\"a<DCFF>b\",\"<DCE2><DC82>\"]");
}

TEST(XJSONParse, EscapedByteEscapesReadAsTheEscapedBytes) {
    // What the renderer writes for a name that is not UTF-8, in either case of hex digits;
    // the same unit as the raw byte gives.
    const XJSON::Owned escaped = XJSON::ParseUtf8("[\"lat\\uDCE9\", \"lat\\udce9\"]");
    const XJSON::Owned raw = XJSON::ParseUtf8("[\"lat\xe9\", \"lat\xe9\"]");
    ASSERT_NE(escaped, nullptr);
    ASSERT_NE(raw, nullptr);
    EXPECT_TRUE(escaped->Equals(*raw));
    EXPECT_EQ(escaped->AsArray().At(1).AsString().Value.utf8(), "lat\xe9");
}

}  // namespace
