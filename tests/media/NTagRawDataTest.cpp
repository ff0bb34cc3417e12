#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "NTag.h"

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

void putText(std::vector<uint8_t>& out, const char16_t* text) {
    for (; *text != 0; ++text) {
        out.push_back(static_cast<uint8_t>(*text));
        out.push_back(static_cast<uint8_t>(*text >> 8));
    }
    out.push_back(0);
    out.push_back(0);
}

// A record written by hand, independently of the writer.
std::vector<uint8_t> record(const char16_t* name, const char16_t* value,
                            const std::vector<uint8_t>& data) {
    std::vector<uint8_t> body;
    putText(body, name);
    putText(body, value);
    body.insert(body.end(), data.begin(), data.end());
    std::vector<uint8_t> out;
    putU32(out, static_cast<uint32_t>(4 + body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> buffer(uint32_t count, const std::vector<std::vector<uint8_t>>& records) {
    std::vector<uint8_t> out;
    putU32(out, count);
    for (const auto& r : records) {
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

NTag read(const std::vector<uint8_t>& bytes) {
    NTag tag;
    tag.FromRawData(bytes.data(), bytes.size());
    return tag;
}

}  // namespace

TEST(NTagRawData, WritesTheDocumentedLayoutByteForByte) {
    NTag tag;
    tag.AddElement("title", "Hi");
    tag.AddBinaryElement("abc", "0123456789", 10);
    const std::vector<uint8_t> expected =
        buffer(2, {record(u"title", u"Hi", {}),
                   record(u"abc", u"", {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'})});
    EXPECT_EQ(tag.ToRawData(), expected);
    // 3-character name, empty value, 10 bytes of data: 4 + 8 + 2 + 10.
    const std::vector<uint8_t> raw = tag.ToRawData();
    const std::size_t second = 4 + (4 + 12 + 6);
    EXPECT_EQ(raw[second], 24);
    EXPECT_EQ(raw.size(), second + 24);
}

// Order, duplicate and empty names, binary data and every character survive.
TEST(NTagRawData, RandomContainersSurviveTheRoundTrip) {
    std::mt19937 random(6);
    for (int round = 0; round < 200; ++round) {
        NTag tag;
        const int count = static_cast<int>(random() % 6);
        for (int i = 0; i < count; ++i) {
            std::u32string name;
            std::u32string value;
            for (int c = static_cast<int>(random() % 8); c > 0; --c) {
                name.push_back(U'A' + random() % 50);
            }
            for (int c = static_cast<int>(random() % 20); c > 0; --c) {
                // Any non-zero scalar value, surrogates excepted.
                char32_t ch = 1 + random() % 0x10FFFF;
                if (ch >= 0xD800 && ch <= 0xDFFF) {
                    ch = U'?';
                }
                value.push_back(ch);
            }
            NTag::Element& e = tag.AddElement(XStr(name), XStr(value));
            e.data.resize(random() % 5 == 0 ? random() % 40 : 0);
            for (uint8_t& b : e.data) {
                b = static_cast<uint8_t>(random());
            }
        }
        ASSERT_EQ(read(tag.ToRawData()), tag) << "round " << round;
    }
    EXPECT_EQ(read(NTag().ToRawData()), NTag());
}

TEST(NTagRawData, ARecordRunningPastTheEndKeepsOnlyTheOnesBefore) {
    std::vector<uint8_t> second = record(u"b", u"2", {1, 2, 3});
    second[0] = static_cast<uint8_t>(second[0] + 1);
    const NTag tag = read(buffer(2, {record(u"a", u"1", {}), second}));
    ASSERT_EQ(tag.Count(), 1u);
    EXPECT_EQ(tag.At(0)->name, "a");
    EXPECT_EQ(tag.At(0)->value, "1");
}

TEST(NTagRawData, DamagedBuffersReadWhatCameBeforeTheDamage) {
    EXPECT_TRUE(read({}).Empty());
    EXPECT_TRUE(read({1, 0, 0, 0}).Empty());
    // A count of 0 reads nothing although a record follows.
    EXPECT_TRUE(read(buffer(0, {record(u"a", u"1", {})})).Empty());
    // A negative length.
    std::vector<uint8_t> negative = buffer(2, {record(u"a", u"1", {})});
    putU32(negative, 0xFFFFFFF0u);
    negative.resize(negative.size() + 20);
    EXPECT_EQ(read(negative).Count(), 1u);
    // Lengths too short to hold their own length field never loop.
    for (uint32_t tiny : {0u, 1u, 3u}) {
        std::vector<uint8_t> bytes = buffer(3, {});
        putU32(bytes, tiny);
        bytes.resize(bytes.size() + 8);
        EXPECT_TRUE(read(bytes).Empty()) << tiny;
    }
    // The count says more than there is: the buffer ends the reading.
    EXPECT_EQ(read(buffer(5, {record(u"a", u"1", {}), record(u"b", u"", {})})).Count(), 2u);
    // A count below the records present stops at the count.
    EXPECT_EQ(read(buffer(1, {record(u"a", u"1", {}), record(u"b", u"", {})})).Count(), 1u);
}

TEST(NTagRawData, NamesAndValuesWithoutTheirZeroEndAtTheRecord) {
    // A record that holds a name without its zero unit and nothing after it: the element
    // is appended with its name, and reading stops there.
    std::vector<uint8_t> bytes = buffer(2, {});
    putU32(bytes, 4 + 4);
    bytes.insert(bytes.end(), {'h', 0, 'i', 0});
    const std::vector<uint8_t> rest = record(u"b", u"2", {});
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    const NTag tag = read(bytes);
    ASSERT_EQ(tag.Count(), 1u);
    EXPECT_EQ(tag.At(0)->name, "hi");
    EXPECT_EQ(tag.At(0)->value, "");

    // A value without its zero: it ends with the record, and no data follows.
    std::vector<uint8_t> open = buffer(1, {});
    putU32(open, 4 + 4 + 4);
    open.insert(open.end(), {'n', 0, 0, 0, 'v', 0, 'w', 0});
    const NTag valued = read(open);
    ASSERT_EQ(valued.Count(), 1u);
    EXPECT_EQ(valued.At(0)->value, "vw");
    EXPECT_TRUE(valued.At(0)->data.empty());
}
