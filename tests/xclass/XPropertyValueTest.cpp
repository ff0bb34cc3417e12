#include "XPropertyValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = XPropertyValue::Kind;
using List = XPropertyValue::List;

TEST(XPropertyValue, EachConstructorGivesItsKind) {
    EXPECT_EQ(XPropertyValue().kind(), Kind::kNull);
    EXPECT_EQ(XPropertyValue(true).kind(), Kind::kBoolean);
    EXPECT_EQ(XPropertyValue(3).kind(), Kind::kNumber);
    EXPECT_EQ(XPropertyValue(int64_t{1} << 40).kind(), Kind::kNumber);
    EXPECT_EQ(XPropertyValue(2.5).kind(), Kind::kNumber);
    EXPECT_EQ(XPropertyValue(XStr("x")).kind(), Kind::kString);
    EXPECT_EQ(XPropertyValue(List{}).kind(), Kind::kList);
    EXPECT_EQ(XPropertyValue(XPropertyDictionary()).kind(), Kind::kDictionary);
    // Text literals are strings, not booleans.
    const XPropertyValue value("text");
    EXPECT_TRUE(value.isString());
    EXPECT_EQ(value.stringValue(), "text");
}

TEST(XPropertyValue, AccessorsOfAnotherKindGiveEmptyValues) {
    const XPropertyValue number(4);
    EXPECT_EQ(number.stringValue(), "");
    EXPECT_TRUE(number.list().empty());
    EXPECT_TRUE(number.dictionary().empty());
    EXPECT_EQ(XPropertyValue("4").numberValue(), 0);
    EXPECT_FALSE(XPropertyValue("true").boolValue());
    XPropertyValue copy = number;
    EXPECT_EQ(copy.listIf(), nullptr);
    EXPECT_EQ(copy.dictionaryIf(), nullptr);
}

TEST(XPropertyValue, BooleansCountAsNumbers) {
    EXPECT_EQ(XPropertyValue(true).numberValue(), 1);
    EXPECT_EQ(XPropertyValue(false).numberValue(), 0);
    EXPECT_TRUE(XPropertyValue(0.5).boolValue());
    EXPECT_FALSE(XPropertyValue(0).boolValue());
    // Still two kinds: equality tells them apart.
    EXPECT_NE(XPropertyValue(true), XPropertyValue(1));
}

TEST(XPropertyValue, ListsAndDictionariesChangeInPlace) {
    XPropertyValue value(List{1});
    value.listIf()->push_back("two");
    EXPECT_EQ(value, XPropertyValue(List{1, "two"}));
    XPropertyValue dictionary{XPropertyDictionary()};
    dictionary.dictionaryIf()->set("k", 1);
    EXPECT_EQ(dictionary.dictionary().find("k")->numberValue(), 1);
}

TEST(XPropertyDictionary, KeysCompareExactlyAndKeepTheOrderTheyWereFirstSet) {
    XPropertyDictionary d;
    d.set("b", 1);
    d.set("a", 2);
    d.set("c", 3);
    d.set("b", 4);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].first, "b");
    EXPECT_EQ(d[0].second.numberValue(), 4);
    EXPECT_EQ(d[1].first, "a");
    EXPECT_EQ(d[2].first, "c");
    // Keys compare exactly.
    d.set("B", 5);
    EXPECT_EQ(d.size(), 4u);
    EXPECT_EQ(d.find("C"), nullptr);
    EXPECT_EQ(d.find("B")->numberValue(), 5);
    EXPECT_EQ(d.find("b")->numberValue(), 4);
}

TEST(XPropertyDictionary, RemoveKeepsTheOthersFindable) {
    XPropertyDictionary d;
    for (int i = 0; i < 50; ++i) {
        d.set(XStr::number(i), i);
    }
    EXPECT_TRUE(d.remove("10"));
    EXPECT_FALSE(d.remove("10"));
    EXPECT_FALSE(d.contains("10"));
    ASSERT_EQ(d.size(), 49u);
    for (int i = 0; i < 50; ++i) {
        if (i != 10) {
            ASSERT_NE(d.find(XStr::number(i)), nullptr) << i;
            EXPECT_EQ(d.find(XStr::number(i))->numberValue(), i);
        }
    }
    EXPECT_EQ(d[10].first, "11");
    d.set("10", 0);
    EXPECT_EQ(d[49].first, "10");
}

TEST(XPropertyDictionary, EqualityCountsOrder) {
    XPropertyDictionary a;
    a.set("x", 1);
    a.set("y", 2);
    XPropertyDictionary b;
    b.set("y", 2);
    b.set("x", 1);
    EXPECT_FALSE(a == b);
    XPropertyDictionary c = a;
    EXPECT_TRUE(a == c);
    c.set("x", 5);
    EXPECT_FALSE(a == c);
}

}  // namespace
