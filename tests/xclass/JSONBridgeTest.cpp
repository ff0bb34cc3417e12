#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "JSON.h"
#include "TestSupport.h"
#include "XPropertyValue.h"

namespace {

using List = XPropertyValue::List;

XPropertyValue fromText(const char* text) {
    const XJSON::Owned tree = XJSON::Parse(text);
    EXPECT_NE(tree, nullptr) << text;
    return JSON::fromXJSON(tree.get()).value_or(XPropertyValue("no value"));
}

std::string toText(const XPropertyValue* object) {
    return JSON::toXJSON(object)->ToText().utf8();
}

std::vector<std::string> keysOf(const XPropertyDictionary& dictionary) {
    std::vector<std::string> keys;
    for (const auto& entry : dictionary) {
        keys.push_back(entry.first.utf8());
    }
    return keys;
}

// From XJSON

TEST(JSONBridge, TreesBecomeDictionariesAndLists) {
    EXPECT_FALSE(JSON::fromXJSON(nullptr).has_value());
    const XPropertyValue value =
        fromText("{\"s\":\"text\", \"n\":2.5, \"b\":true, \"z\":null, \"l\":[1, \"two\", []]}");
    ASSERT_TRUE(value.isDictionary());
    const XPropertyDictionary& d = value.dictionary();
    EXPECT_EQ(keysOf(d), (std::vector<std::string>{"s", "n", "b", "z", "l"}));
    EXPECT_EQ(*d.find("s"), XPropertyValue("text"));
    EXPECT_EQ(*d.find("n"), XPropertyValue(2.5));
    EXPECT_TRUE(d.find("b")->isBoolean());
    EXPECT_TRUE(d.find("b")->boolValue());
    EXPECT_TRUE(d.find("z")->isNull());
    EXPECT_EQ(*d.find("l"), XPropertyValue(List{1, "two", List{}}));
}

TEST(JSONBridge, ARepeatedNameTakesTheLaterValueInTheFirstPlace) {
    const XPropertyValue value = fromText("{\"a\":1, \"b\":2, \"a\":3, \"A\":4}");
    const XPropertyDictionary& d = value.dictionary();
    EXPECT_EQ(keysOf(d), (std::vector<std::string>{"a", "b", "A"}));
    EXPECT_EQ(d.find("a")->numberValue(), 3);
    EXPECT_EQ(d.find("A")->numberValue(), 4);
}

// To XJSON

TEST(JSONBridge, NilAndTheNullObjectGiveNullAndBooleansBecomeNumbers) {
    const XPropertyValue null;
    EXPECT_EQ(toText(nullptr), "null");
    EXPECT_EQ(toText(&null), "null");
    const XPropertyValue yes(true);
    const XPropertyValue no(false);
    EXPECT_EQ(JSON::toXJSON(&yes)->TypeOf(), XJSON::typeNumber);
    EXPECT_EQ(toText(&yes), "1");
    EXPECT_EQ(toText(&no), "0");
    const XJSON::Owned tree = JSON::toXJSON(&yes);
    EXPECT_EQ(*JSON::fromXJSON(tree.get()), XPropertyValue(1));
}

TEST(JSONBridge, DictionariesKeepTheirEnumerationOrder) {
    XPropertyDictionary d;
    d.set("zeta", 1);
    d.set("alpha", "a");
    d.set("mid", List{true, XPropertyValue(), 0.5});
    d.set("zeta", 2);
    const XPropertyValue value(d);
    EXPECT_EQ(toText(&value),
              "{\n"
              "    \"zeta\":2,\n"
              "    \"alpha\":\"a\",\n"
              "    \"mid\":[1, null, 0.5]\n"
              "}");
}

// Files

TEST(JSONBridge, WrittenFilesReadBackAsTheSameValuesButNotIntoAMissingFolder) {
    TestTempDir dir;
    XPropertyDictionary inner;
    inner.set("name", "caf\u00e9");
    inner.set("list", List{1, -2.25, "x"});
    XPropertyDictionary outer;
    outer.set("inner", inner);
    outer.set("count", 7);
    const XPropertyValue value(outer);
    ASSERT_TRUE(JSON::write(&value, dir.xfile("plain.json")));
    ASSERT_TRUE(JSON::writeAtomically(&value, dir.xfile("atomic.json")));
    EXPECT_EQ(readTextFile(dir.file("plain.json")), readTextFile(dir.file("atomic.json")));
    EXPECT_EQ(JSON::read(dir.xfile("plain.json")), value);
    EXPECT_EQ(JSON::read(dir.xfile("atomic.json")), value);
    EXPECT_FALSE(JSON::write(&value, dir.xfile("none/a.json")));
    EXPECT_FALSE(JSON::writeAtomically(&value, dir.xfile("none/a.json")));
}

TEST(JSONBridge, UnreadableOrTooLargeFilesGiveNothing) {
    TestTempDir dir;
    EXPECT_FALSE(JSON::read(dir.xfile("missing.json")).has_value());
    writeTextFile(dir.file("broken.json"), "{\"a\":");
    EXPECT_FALSE(JSON::read(dir.xfile("broken.json")).has_value());
    writeTextFile(dir.file("empty.json"), "");
    EXPECT_FALSE(JSON::read(dir.xfile("empty.json")).has_value());
    // Files over sixteen mebibytes are refused.
    const std::string body(static_cast<std::size_t>(JSON::kMaxFileBytes) - 3, ' ');
    writeTextFile(dir.file("limit.json"), "[" + body + "1]");
    writeTextFile(dir.file("over.json"), "[" + body + " 1]");
    const auto atLimit = JSON::read(dir.xfile("limit.json"));
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(*atLimit, XPropertyValue(List{1}));
    EXPECT_FALSE(JSON::read(dir.xfile("over.json")).has_value());
}

}  // namespace
