#include "XStr.h"

#include <gtest/gtest.h>

#include "XBase64.h"
#include "XUtf8.h"

TEST(XStrUtf8, RoundTripsEveryPlane) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xAC z";  // a é € 🎬 z
    XStr s(text);
    ASSERT_EQ(s.size(), 6u);
    EXPECT_EQ(s[1], U'\u00E9');
    EXPECT_EQ(s[2], U'\u20AC');
    EXPECT_EQ(s[3], U'\U0001F3AC');
    EXPECT_EQ(s.utf8(), text);
}

TEST(XStrUtf8, MalformedInputBecomesReplacementCharacters) {
    struct Case {
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"\xFF", U"\uFFFD"},                                // never a lead byte
        {"\x80z", U"\uFFFDz"},                              // lone continuation
        {"\xC0\xAF", U"\uFFFD\uFFFD"},                      // overlong slash
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},            // overlong three-byte form
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},            // surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xE2\x82", U"\uFFFD"},                            // truncated at the end: one unit
        {"\xE2\x82z", U"\uFFFDz"},                          // truncated before an ASCII letter
        {"\xF0\x9F\x8E", U"\uFFFD"},
        {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XStr(c.bytes).units(), c.expected) << "bytes of length " << c.bytes.size();
    }
}

TEST(XStrUtf8, EncodingReplacesNonScalarUnits) {
    XStr s(std::u32string{U'a', 0xD800, 0x110000, U'b'});
    EXPECT_EQ(s.utf8(),
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b");
}

TEST(XStrUtf8, DecodingArbitraryBytesNeverExceedsInputLength) {
    uint32_t seed = 12345;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        const int n = static_cast<int>(seed % 17);
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes.push_back(static_cast<char>((seed >> 16) & 0xFF));
        }
        seed = seed * 1103515245u + 12345u;
        const std::u32string decoded = XUtf8::decode(bytes);
        ASSERT_LE(decoded.size(), bytes.size());
        // Whatever came in, what goes out is valid UTF-8 that decodes to the same units.
        const std::string reencoded = XUtf8::encode(decoded);
        ASSERT_EQ(XUtf8::decode(reencoded), decoded);
    }
}

TEST(XStrCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(XStr("MP4 (H264)").equalsNoCase("mp4 (h264)"));
    EXPECT_FALSE(XStr("\u00C9T\u00C9").equalsNoCase("\u00E9t\u00E9"));  // É is not folded
    EXPECT_EQ(XStr("\u00C9ab").lowerASCII(), XStr("\u00C9ab"));
    EXPECT_EQ(XStr("aBc").upperASCII(), XStr("ABC"));
    EXPECT_LT(XStr("apple").compareNoCase("Banana"), 0);
    EXPECT_EQ(XStr("ABC").compareNoCase("abc"), 0);
    EXPECT_GT(XStr("abcd").compareNoCase("ABC"), 0);
    EXPECT_EQ(XStr("xx-VF yy").findNoCase("vf"), 3u);
}

TEST(XStrText, ReplaceSplitSubstr) {
    EXPECT_EQ(XStr("a\"b\"").replaced("\"", "{qt}"), XStr("a{qt}b{qt}"));
    EXPECT_EQ(XStr("aaa").replaced("aa", "b"), XStr("ba"));
    EXPECT_EQ(XStr("abc").replaced("", "x"), XStr("abc"));
    EXPECT_EQ(XStr("a,b,,c").split(U',').size(), 4u);
    EXPECT_EQ(XStr("abc").substr(5), XStr());
    EXPECT_EQ(XStr("abc").right(2), XStr("bc"));
    EXPECT_EQ(XStr("  x y \n").trimmed(), XStr("x y"));
    EXPECT_TRUE(XStr("-ss 5").startsWith("-ss"));
    EXPECT_TRUE(XStr("clip.mp4").endsWith(".mp4"));
}

TEST(XStrNumbers, IntegerReadingStopsAtFirstNonDigit) {
    EXPECT_EQ(XStr("  42abc").toInt64(), 42);
    EXPECT_EQ(XStr("-7").toInt64(), -7);
    EXPECT_EQ(XStr("+3").toInt64(), 3);
    EXPECT_EQ(XStr("").toInt64(), 0);
    EXPECT_EQ(XStr("x12").toInt64(), 0);
    EXPECT_EQ(XStr("99999999999999999999999").toInt64(), INT64_MAX);
    EXPECT_EQ(XStr("-9223372036854775808").toInt64(), INT64_MIN);
    EXPECT_EQ(XStr("-99999999999999999999999").toInt64(), INT64_MIN);
    EXPECT_EQ(XStr("3000000000").toInt(), INT32_MAX);
}

TEST(XStrNumbers, DecimalReadingIgnoresLocaleAndTrailingText) {
    EXPECT_DOUBLE_EQ(XStr("23.976fps").toDouble(), 23.976);
    EXPECT_DOUBLE_EQ(XStr(" -0.5").toDouble(), -0.5);
    EXPECT_DOUBLE_EQ(XStr("1e3").toDouble(), 1000.0);
    EXPECT_DOUBLE_EQ(XStr("2e").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(XStr(".25").toDouble(), 0.25);
    EXPECT_DOUBLE_EQ(XStr("abc").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(XStr("+4").toDouble(), 4.0);
}

TEST(XStrFormat, PrintfStyle) {
    EXPECT_EQ(XStr::format("%s-%u", "dspeffect", 3u), XStr("dspeffect-3"));
    EXPECT_EQ(XStr::format("%s", "\u00E9"), XStr("\u00E9"));
    EXPECT_EQ(XStr::join({"a", "b", "c"}, ", "), XStr("a, b, c"));
}

TEST(XBase64, KnownVectorsAndRoundTrip) {
    EXPECT_EQ(XBase64::encode("", 0), "");
    EXPECT_EQ(XBase64::encode("abc", 3), "YWJj");
    EXPECT_EQ(XBase64::encode("abcd", 4), "YWJjZA==");
    EXPECT_EQ(XBase64::encode("ab", 2), "YWI=");
    for (int n = 0; n < 64; ++n) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < n; ++i) {
            bytes.push_back(static_cast<uint8_t>(i * 37 + n));
        }
        const auto back = XBase64::decode(XBase64::encode(bytes));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, bytes);
    }
    EXPECT_EQ(XBase64::decode("YWJjZA"), (std::vector<uint8_t>{'a', 'b', 'c', 'd'}));
    EXPECT_FALSE(XBase64::decode("YW!j").has_value());
    EXPECT_FALSE(XBase64::decode("Y").has_value());
    EXPECT_FALSE(XBase64::decode("YWJjZ===").has_value());
}
