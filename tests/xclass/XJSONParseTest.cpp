#include <gtest/gtest.h>

#include <string>

#include "JSONTestSupport.h"
#include "XJSON.h"

namespace {

XStr bytes(const std::string& raw) {
    return XStr(std::string_view(raw));
}

// Failures: no value, never a partial tree

TEST(XJSONParse, EmptyOrBlankTextGivesNoValue) {
    EXPECT_EQ(parsed(""), "none");
    EXPECT_EQ(parsed("   \t\r\n"), "none");
    EXPECT_EQ(parsed("\x01\x02\x1f "), "none");
}

TEST(XJSONParse, TextEndingWhereAValueMustBeginGivesNoValue) {
    for (const char* text : {"[1, 2", "[1,", "[", "{", "{\"a\"", "{\"a\":", "{\"a\":1", "{\"a\":1,",
                             "[[1], [2", "{\"a\":{\"b\":[1, {\"c\":"}) {
        EXPECT_EQ(parsed(text), "none") << text;
    }
}

TEST(XJSONParse, StructurallyMalformedTextGivesNoValue) {
    for (const char* text :
         {"\"abc", "[1 2]", "[1;2]", "{1:2}", "{\"a\" 1}", "{\"a\":1 \"b\":2}", "[1,]",
          "{\"a\":1,}", "xyz", "[tru]", "{true:1}", "[1}", "{\"a\":1]", ".5", "[\"a\\\"]"}) {
        EXPECT_EQ(parsed(text), "none") << text;
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

// Whitespace

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

TEST(XJSONParse, CodeZeroAndNonAsciiSpacesAreNotWhitespace) {
    EXPECT_EQ(parsed(bytes(std::string("\0[1]", 4))), "none");
    EXPECT_EQ(parsed("\u00a0[1]"), "none");
    EXPECT_EQ(parsed("[1,\u30002]"), "none");
}

TEST(XJSONParse, TextAfterTheFirstValueIsIgnored) {
    EXPECT_EQ(parsed("[1] garbage ["), "[1]");
    EXPECT_EQ(parsed("1 2"), "1");
    EXPECT_EQ(parsed("{}}"), "{}");
}

// Numbers

TEST(XJSONParse, SignWithoutDigitsIsNull) {
    EXPECT_EQ(parsed("-"), "null");
    EXPECT_EQ(parsed("+x"), "null");
    EXPECT_EQ(parsed("[-]"), "[null]");
    EXPECT_EQ(parsed("[+, -, 1]"), "[null,null,1]");
    EXPECT_EQ(parsed("{\"a\":-}"), "{a:null}");
    // The position stays just after the sign, so what follows must still fit.
    EXPECT_EQ(parsed("[-x]"), "none");
}

TEST(XJSONParse, NumbersHaveNoExponent) {
    EXPECT_EQ(parsed("1e5"), "1");
    EXPECT_EQ(parsed("2.5E3"), "2.5");
    EXPECT_EQ(parsed("[1e5]"), "none");
}

TEST(XJSONParse, NumberForms) {
    EXPECT_EQ(parsed("007"), "7");
    EXPECT_EQ(parsed("+3"), "3");
    EXPECT_EQ(parsed("-12"), "-12");
    EXPECT_EQ(parsed("1."), "1");
    EXPECT_EQ(parsed("0.5"), "0.5");
    EXPECT_EQ(parsed("-0.25"), "-0.25");
    EXPECT_EQ(parsed("[1.5, 2]"), "[1.5,2]");
    EXPECT_EQ(parsed("[1.]"), "[1]");
    EXPECT_EQ(parsed("--1"), "null");
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

// Words

TEST(XJSONParse, WordsIgnoreCase) {
    EXPECT_EQ(parsed("True"), "true");
    EXPECT_EQ(parsed("FALSE"), "false");
    EXPECT_EQ(parsed("NULL"), "null");
    EXPECT_EQ(parsed("[nUlL, tRuE]"), "[null,true]");
}

TEST(XJSONParse, WordsCompareOverTheirOwnLength) {
    EXPECT_EQ(parsed("nullx"), "null");
    EXPECT_EQ(parsed("truefalse"), "true");
    EXPECT_EQ(parsed("[nullx]"), "none");
    EXPECT_EQ(parsed("tru"), "none");
    EXPECT_EQ(parsed("nul"), "none");
}

// Strings

TEST(XJSONParse, StandardEscapes) {
    EXPECT_EQ(parsed("\"a\\\"b\\\\c\\/d\""), "\"a\"b\\c/d\"");
    EXPECT_EQ(parsed("\"\\b\\f\\n\\r\\t\""), "\"<8><C><A><D><9>\"");
}

TEST(XJSONParse, UnicodeEscapesTakeUpToFourDigits) {
    EXPECT_EQ(parsed("\"\\u0041\""), "\"A\"");
    EXPECT_EQ(parsed("\"\\u41z\""), "\"Az\"");
    EXPECT_EQ(parsed("\"\\U00e9\""), "\"<E9>\"");
    EXPECT_EQ(parsed("\"\\u00410\""), "\"A0\"");
    EXPECT_EQ(parsed("\"\\uFfFf\""), "\"<FFFF>\"");
    // No digits at all give the code unit zero.
    EXPECT_EQ(parsed("\"\\u\""), "\"<0>\"");
    EXPECT_EQ(parsed("\"\\ug\""), "\"<0>g\"");
}

TEST(XJSONParse, SurrogateEscapesStayTwoUnits) {
    EXPECT_EQ(parsed("\"\\uD83D\\uDE00\""), "\"<D83D><DE00>\"");
}

TEST(XJSONParse, UnknownEscapesAreDroppedWhole) {
    EXPECT_EQ(parsed("\"a\\qb\""), "\"ab\"");
    EXPECT_EQ(parsed("\"\\q\""), "\"\"");
    EXPECT_EQ(parsed("\"\\B\\N\""), "\"\"");
    EXPECT_EQ(parsed("\"x\\\u00e9y\""), "\"xy\"");
}

TEST(XJSONParse, RawCharactersPassUnchanged) {
    EXPECT_EQ(parsed("\"tab\there\""), "\"tab<9>here\"");
    EXPECT_EQ(parsed("\"caf\u00e9 \u20ac \U0001F600\""), "\"caf<E9> <20AC> <1F600>\"");
}

TEST(XJSONParse, NamesAreUnescaped) {
    EXPECT_EQ(parsed("{\"a\\u0062\":1, \"q\\\"\":2}"), "{ab:1,q\":2}");
}

// Objects

TEST(XJSONParse, RepeatedNamesAreKeptInOrder) {
    const XJSON::Owned value = XJSON::Parse("{\"a\":1, \"A\":2, \"a\":3}");
    ASSERT_NE(value, nullptr);
    const XJSON::Object& object = value->AsObject();
    ASSERT_EQ(object.Count(), 3u);
    EXPECT_EQ(object.Get("a").AsNumber().Value, 1);
    EXPECT_EQ(object.Get("A").AsNumber().Value, 1);
    EXPECT_EQ(object.Find("A").AsNumber().Value, 2);
}

TEST(XJSONParse, EmptyContainers) {
    EXPECT_EQ(parsed("{ }"), "{}");
    EXPECT_EQ(parsed("[ ]"), "[]");
    EXPECT_EQ(parsed("[[], {}, [[]]]"), "[[],{},[[]]]");
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
