// Generated standard JSON (no exponents, no surrogate escapes, unique names) read by the
// library and by an independent parser must give the same trees; the library's own
// output must be standard JSON that the other parser reads back, and stays well-formed
// UTF-8 when its text holds bytes that are not UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <string_view>

#include "XJSON.h"
#include "XUtf8.h"

namespace {

using Reference = nlohmann::ordered_json;

constexpr int kDocuments = 3000;

class Generator {
public:
    // oddBytes: strings also hold raw bytes that are not UTF-8, as file names may.
    explicit Generator(uint32_t seed, bool oddBytes = false) : mRandom(seed), mOddBytes(oddBytes) {}

    std::string document() {
        std::string out;
        if (chance(2)) {
            object(out, 0);
        } else {
            array(out, 0);
        }
        return out;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }
    bool chance(int n) { return below(n) == 0; }

    void blank(std::string& out) {
        static const char kBlanks[] = {' ', '\t', '\n', '\r'};
        while (chance(3)) {
            out.push_back(kBlanks[below(4)]);
        }
    }

    void value(std::string& out, int depth) {
        static const char* const kWords[] = {"true", "false", "null"};
        blank(out);
        const int kind = below(depth >= 5 ? 6 : 8);
        if (kind < 3) {
            out += kWords[kind];
        } else if (kind < 5) {
            number(out);
        } else if (kind == 5) {
            string(out);
        } else if (kind == 6) {
            object(out, depth + 1);
        } else {
            array(out, depth + 1);
        }
        blank(out);
    }

    void digits(std::string& out, int count, bool leadingZeroAllowed) {
        for (int i = 0; i < count; ++i) {
            const int d = (i == 0 && !leadingZeroAllowed) ? 1 + below(9) : below(10);
            out.push_back(static_cast<char>('0' + d));
        }
    }

    void number(std::string& out) {
        if (chance(2)) {
            out.push_back('-');
        }
        if (chance(5)) {
            out.push_back('0');
        } else {
            digits(out, 1 + below(15), false);
        }
        if (chance(2)) {
            out.push_back('.');
            digits(out, 1 + below(10), true);
        }
    }

    char32_t character() {
        switch (below(6)) {
            case 0:
                return static_cast<char32_t>(0x20 + below(0x5f));
            case 1:
                return static_cast<char32_t>(0xa0 + below(0x700));
            case 2: {
                const char32_t c = static_cast<char32_t>(0x800 + below(0xf7fe));
                return (c >= 0xd800 && c <= 0xdfff) ? U'x' : c;
            }
            case 3:
                return static_cast<char32_t>(0x10000 + below(0x100000));
            default:
                return static_cast<char32_t>(U'a' + below(26));
        }
    }

    void string(std::string& out) {
        out.push_back('"');
        const int length = below(12);
        for (int i = 0; i < length; ++i) {
            if (chance(5)) {
                escape(out);
                continue;
            }
            if (mOddBytes && chance(4)) {
                out.push_back(static_cast<char>(0x80 + below(0x80)));
                continue;
            }
            const char32_t c = character();
            if (c == U'"' || c == U'\\') {
                out.push_back('\\');
            }
            XUtf8::appendEncoded(out, c);
        }
        out.push_back('"');
    }

    void escape(std::string& out) {
        static const char* const kEscapes[] = {"\\\"", "\\\\", "\\/", "\\b", "\\f",
                                               "\\n",  "\\r",  "\\t", "\\u"};
        const int which = below(9);
        out += kEscapes[which];
        if (which == 8) {
            unsigned code = static_cast<unsigned>(below(0x10000));
            if (code >= 0xd800 && code <= 0xdfff) {
                code = static_cast<unsigned>(below(0x20));
            }
            char hex[8];
            std::snprintf(hex, sizeof hex, chance(2) ? "%04x" : "%04X", code);
            out += hex;
        }
    }

    void object(std::string& out, int depth) {
        out.push_back('{');
        blank(out);
        const int count = depth >= 5 ? 0 : below(6);
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                out.push_back(',');
            }
            blank(out);
            // The index keeps names unique within the object.
            out += "\"k" + std::to_string(i);
            if (chance(2)) {
                out += "\\u00e9\xe2\x82\xac";
            }
            out += "\"";
            blank(out);
            out.push_back(':');
            value(out, depth);
        }
        out.push_back('}');
    }

    void array(std::string& out, int depth) {
        out.push_back('[');
        blank(out);
        const int count = depth >= 5 ? 0 : below(depth == 0 ? 30 : 8);
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                out.push_back(',');
            }
            value(out, depth);
        }
        out.push_back(']');
    }

    std::mt19937 mRandom;
    const bool mOddBytes;
};

// Empty when the trees agree, else where and how they differ.
// shown: our strings compared in their display form, where odd bytes are U+FFFD.
std::string difference(const XJSON::AnyType& ours, const Reference& theirs, double tolerance,
                       const std::string& where = "$", bool shown = false) {
    const auto text = [shown](const XStr& s) { return shown ? s.displayUtf8() : s.utf8(); };
    switch (ours.TypeOf()) {
        case XJSON::typeObject: {
            if (!theirs.is_object() || theirs.size() != ours.AsObject().Count()) {
                return where + ": object differs";
            }
            std::size_t i = 0;
            for (const auto& [name, member] : theirs.items()) {
                if (text(ours.AsObject().NameAt(i)) != name) {
                    return where + ": name " + name;
                }
                const std::string inner = difference(ours.AsObject().ValueAt(i), member, tolerance,
                                                     where + "." + name, shown);
                if (!inner.empty()) {
                    return inner;
                }
                ++i;
            }
            return "";
        }
        case XJSON::typeArray: {
            if (!theirs.is_array() || theirs.size() != ours.AsArray().Count()) {
                return where + ": array differs";
            }
            for (std::size_t i = 0; i < theirs.size(); ++i) {
                const std::string inner = difference(ours.AsArray().At(i), theirs[i], tolerance,
                                                     where + "[" + std::to_string(i) + "]", shown);
                if (!inner.empty()) {
                    return inner;
                }
            }
            return "";
        }
        case XJSON::typeString:
            return theirs.is_string() && theirs.get<std::string>() == text(ours.AsString().Value)
                       ? ""
                       : where + ": string differs";
        case XJSON::typeNumber: {
            if (!theirs.is_number()) {
                return where + ": number differs";
            }
            const double a = ours.AsNumber().Value;
            const double b = theirs.get<double>();
            return std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(b))
                       ? ""
                       : where + ": " + std::to_string(a) + " != " + std::to_string(b);
        }
        case XJSON::typeBoolean:
            return theirs.is_boolean() && theirs.get<bool>() == ours.AsBoolean().Value
                       ? ""
                       : where + ": boolean differs";
        case XJSON::typeNull:
            return theirs.is_null() ? "" : where + ": null differs";
    }
    return where + ": unknown type";
}

// Decimals are summed digit by digit here and rounded once there.
constexpr double kParseTolerance = 1e-12;

TEST(XJSONDifferential, GeneratedDocumentsGiveTheSameTrees) {
    Generator generator(20240611);
    for (int n = 0; n < kDocuments; ++n) {
        const std::string text = generator.document();
        const Reference theirs = Reference::parse(text);
        const XJSON::Owned ours = XJSON::ParseUtf8(text);
        ASSERT_NE(ours, nullptr) << text;
        EXPECT_EQ(difference(*ours, theirs, kParseTolerance), "") << text;
        const XJSON::Owned fromWide = XJSON::Parse(XStr(text));
        ASSERT_NE(fromWide, nullptr);
        EXPECT_TRUE(fromWide->Equals(*ours));
    }
}

TEST(XJSONDifferential, OurOutputIsStandardJsonWithTheSameTree) {
    Generator generator(7);
    for (int n = 0; n < kDocuments; ++n) {
        const XJSON::Owned ours = XJSON::ParseUtf8(generator.document());
        ASSERT_NE(ours, nullptr);
        const std::string written = ours->ToUtf8();
        Reference theirs;
        ASSERT_NO_THROW(theirs = Reference::parse(written)) << written;
        // Written decimals keep seven places.
        EXPECT_EQ(difference(*ours, theirs, 1e-7), "") << written;
    }
}

// The same tree, texts to the byte, numbers within the seven written decimals.
bool sameAfterWriting(const XJSON::AnyType& original, const XJSON::AnyType& back) {
    if (original.TypeOf() != back.TypeOf()) {
        return false;
    }
    switch (original.TypeOf()) {
        case XJSON::typeObject: {
            const XJSON::Object& a = original.AsObject();
            const XJSON::Object& b = back.AsObject();
            for (std::size_t i = 0; i < std::max(a.Count(), b.Count()); ++i) {
                if (a.NameAt(i).utf8() != b.NameAt(i).utf8() ||
                    !sameAfterWriting(a.ValueAt(i), b.ValueAt(i))) {
                    return false;
                }
            }
            return a.Count() == b.Count();
        }
        case XJSON::typeArray: {
            const XJSON::Array& a = original.AsArray();
            const XJSON::Array& b = back.AsArray();
            for (std::size_t i = 0; i < std::max(a.Count(), b.Count()); ++i) {
                if (!sameAfterWriting(a.At(i), b.At(i))) {
                    return false;
                }
            }
            return a.Count() == b.Count();
        }
        case XJSON::typeString:
            return original.AsString().Value.utf8() == back.AsString().Value.utf8();
        case XJSON::typeNumber:
            return std::fabs(original.AsNumber().Value - back.AsNumber().Value) <=
                   1e-7 * std::max(1.0, std::fabs(original.AsNumber().Value));
        default:
            return original.Equals(back);
    }
}

// The escapes of odd bytes ("\uDCE9") are the one thing of ours a strict reader refuses
// (a lone surrogate); with U+FFFD in their place it must read our text as we do.
std::string withOddBytesShown(const std::string& written) {
    std::string out;
    std::size_t i = 0;
    while (i < written.size()) {
        if (written[i] != '\\') {
            out.push_back(written[i++]);
            continue;
        }
        const std::string escape = written.substr(i, 6);
        if (escape.size() == 6 && escape.compare(0, 4, "\\uDC") == 0 &&
            std::string_view("89ABCDEF").find(escape[4]) != std::string_view::npos) {
            out += "\\uFFFD";
            i += 6;
        } else {
            out += written.substr(i, 2);
            i += 2;
        }
    }
    return out;
}

TEST(XJSONDifferential, OurOutputOfOddBytesIsWellFormedAndStandardButForTheirEscapes) {
    Generator generator(4242, true);
    int odd = 0;
    for (int n = 0; n < kDocuments; ++n) {
        const std::string text = generator.document();
        const XJSON::Owned ours = XJSON::ParseUtf8(text);
        ASSERT_NE(ours, nullptr) << text;
        const std::string written = ours->ToUtf8();
        for (const char32_t unit : XUtf8::decode(written)) {
            ASSERT_FALSE(XUtf8::isEscapedByte(unit)) << written;
        }
        odd += written.find("\\uDC") != std::string::npos ? 1 : 0;
        // Read back, every string has its bytes.
        const XJSON::Owned back = XJSON::ParseUtf8(written);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(sameAfterWriting(*ours, *back)) << written;
        Reference theirs;
        ASSERT_NO_THROW(theirs = Reference::parse(withOddBytesShown(written))) << written;
        EXPECT_EQ(difference(*ours, theirs, 1e-7, "$", true), "") << written;
    }
    EXPECT_GT(odd, kDocuments / 10);
}

TEST(XJSONDifferential, BothRejectEveryTruncatedDocument) {
    Generator generator(99);
    int rejected = 0;
    for (int n = 0; n < 300; ++n) {
        const std::string text = generator.document();
        const std::size_t end = text.find_last_of("]}");
        for (std::size_t cut = 0; cut < end; cut += 1 + cut / 8) {
            const std::string prefix = text.substr(0, cut);
            EXPECT_EQ(XJSON::ParseUtf8(prefix), nullptr) << prefix;
            EXPECT_FALSE(Reference::accept(prefix)) << prefix;
            ++rejected;
        }
    }
    EXPECT_GT(rejected, 1000);
}

TEST(XJSONDifferential, IntegersAreExact) {
    for (const char* text :
         {"[9007199254740992]", "[-9007199254740991]", "[123456789012345]", "[0]", "[-0]"}) {
        const Reference theirs = Reference::parse(text);
        const XJSON::Owned ours = XJSON::ParseUtf8(text);
        ASSERT_NE(ours, nullptr);
        ASSERT_TRUE(theirs[0].is_number_integer());
        EXPECT_EQ(ours->AsArray().At(0).AsNumber().Value, theirs[0].get<double>()) << text;
    }
}

}  // namespace
