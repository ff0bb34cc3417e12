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

// Each byte of an ill-formed sequence becomes its escaped byte U+DC00 + byte.
TEST(XStrUtf8, MalformedInputKeepsEveryByteEscaped) {
    struct Case {
        std::string bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"\xFF", U"\xDCFF"},                                // never a lead byte
        {"\x80z", U"\xDC80z"},                              // lone continuation
        {"\xC0\xAF", U"\xDCC0\xDCAF"},                      // overlong slash
        {"\xE0\x80\xAF", U"\xDCE0\xDC80\xDCAF"},            // overlong three-byte form
        {"\xED\xA0\x80", U"\xDCED\xDCA0\xDC80"},            // encoded surrogate
        {"\xED\xB3\xA9", U"\xDCED\xDCB3\xDCA9"},            // the encoded U+DCE9 itself
        {"\xF4\x90\x80\x80", U"\xDCF4\xDC90\xDC80\xDC80"},  // above U+10FFFF
        {"\xE2\x82", U"\xDCE2\xDC82"},                      // truncated at the end
        {"\xE2\x82z", U"\xDCE2\xDC82z"},                    // truncated before a letter
        {"\xE2\xE2\x82\xAC", U"\xDCE2\u20AC"},              // a cut lead, then a whole one
        {"\xF0\x9F\x8E", U"\xDCF0\xDC9F\xDC8E"},
        {"lat\xE9.mp4", U"lat\xDCE9.mp4"},  // a Latin-1 file name
        {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
    };
    for (const Case& c : cases) {
        const XStr s(c.bytes);
        EXPECT_EQ(s.units(), c.expected) << "bytes of length " << c.bytes.size();
        EXPECT_EQ(s.utf8(), c.bytes);
        // For people: one U+FFFD per odd byte, and well-formed UTF-8 throughout.
        const std::string shown = s.displayUtf8();
        EXPECT_EQ(XStr(shown).displayUtf8(), shown);
        for (const char32_t unit : XStr(shown)) {
            EXPECT_FALSE(XUtf8::isEscapedByte(unit));
        }
    }
    EXPECT_EQ(XStr("lat\xE9.mp4").displayUtf8(), "lat\xEF\xBF\xBD.mp4");
}

TEST(XStrUtf8, NonScalarUnitsOtherThanEscapedBytesEncodeAsReplacement) {
    struct Case {
        char32_t unit;
        const char* bytes;
        const char* shown;
    };
    const Case cases[] = {
        {0xDCE9, "\xE9", "\xEF\xBF\xBD"},
        {0xDC80, "\x80", "\xEF\xBF\xBD"},
        {0xDCFF, "\xFF", "\xEF\xBF\xBD"},
        // Escapes of ASCII bytes are never made by decoding; they would smuggle a "/" in.
        {0xDC2F, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0xDC7F, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0xD800, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0xDBFF, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0xDD00, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0x110000, "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        {0xE9, "\xC3\xA9", "\xC3\xA9"},
    };
    for (const Case& c : cases) {
        const XStr s(std::u32string{U'a', c.unit, U'b'});
        EXPECT_EQ(s.utf8(), std::string("a") + c.bytes + "b")
            << std::hex << static_cast<unsigned>(c.unit);
        EXPECT_EQ(s.displayUtf8(), std::string("a") + c.shown + "b")
            << std::hex << static_cast<unsigned>(c.unit);
    }
}

TEST(XStrUtf8, EveryByteStringComesBackWhole) {
    uint32_t seed = 12345;
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        const int n = static_cast<int>(seed % 17);
        for (int i = 0; i < n; ++i) {
            seed = seed * 1103515245u + 12345u;
            // Half the rounds draw from the bytes that make up UTF-8's lead and
            // continuation bytes, where the edge cases are.
            const auto b = static_cast<unsigned char>((seed >> 16) & 0xFF);
            bytes.push_back(static_cast<char>(round % 2 == 0 ? b : 0x80 | (b & 0x7F)));
        }
        seed = seed * 1103515245u + 12345u;
        const std::u32string decoded = XUtf8::decode(bytes);
        ASSERT_LE(decoded.size(), bytes.size());
        ASSERT_EQ(XUtf8::encode(decoded), bytes);
        // Text made by concatenation keeps the bytes of its parts.
        const std::size_t cut = bytes.size() / 2;
        ASSERT_EQ((XStr(bytes.substr(0, cut)) + XStr(bytes.substr(cut))).utf8(), bytes);
        // The display form is well-formed: decoding it escapes nothing.
        for (const char32_t unit : XUtf8::decode(XUtf8::encodeForDisplay(decoded))) {
            ASSERT_FALSE(XUtf8::isEscapedByte(unit));
        }
    }
}

TEST(XStrUtf8, WellFormedTextNeverHoldsEscapedBytes) {
    // Every scalar value round-trips, and none decodes into the escaped-byte range.
    std::u32string all;
    for (char32_t c = 1; c <= 0x10FFFF; c += (c < 0x10000 ? 1 : 97)) {
        if (c < 0xD800 || c > 0xDFFF) {
            all.push_back(c);
        }
    }
    const std::string bytes = XUtf8::encode(all);
    EXPECT_EQ(XUtf8::decode(bytes), all);
    EXPECT_EQ(XUtf8::encodeForDisplay(all), bytes);
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
