#include <gtest/gtest.h>

#include <string>

#include "JSONTestSupport.h"
#include "XJSON.h"

namespace {

XJSON::Owned number(double value) {
    return std::make_unique<XJSON::Number>(value);
}

XJSON::Owned string(const char* value) {
    return std::make_unique<XJSON::String>(value);
}

// Members "Name":1, "other":2, "NAME":3.
XJSON::Object sample() {
    XJSON::Object object;
    object.Add("Name", number(1));
    object.Add("other", number(2));
    object.Add("NAME", number(3));
    return object;
}

// Lookups

TEST(XJSONObject, GetIgnoresAsciiCaseAndTakesTheFirstMatch) {
    const XJSON::Object object = sample();
    EXPECT_EQ(object.Get("name").AsNumber().Value, 1);
    EXPECT_EQ(object.Get("NAME").AsNumber().Value, 1);
    EXPECT_TRUE(object.Has("OTHER"));
    EXPECT_FALSE(object.Has("nam"));
    // Find compares exactly.
    EXPECT_EQ(object.Find("NAME").AsNumber().Value, 3);
    EXPECT_EQ(object.Find("name").TypeOf(), XJSON::typeNull);
}

TEST(XJSONObject, CaseFoldingTouchesOnlyAsciiLetters) {
    XJSON::Object object;
    object.Add("\u00e9t\u00e9", number(1));
    object.Add("[x]", number(2));
    EXPECT_FALSE(object.Has("\u00c9T\u00c9"));
    EXPECT_TRUE(object.Has("\u00e9T\u00e9"));
    // "[" is "{" minus 32, which must not count as the same letter.
    EXPECT_FALSE(object.Has("{X}"));
}

TEST(XJSONObject, OutOfRangeGivesEmptyNameAndSharedNull) {
    const XJSON::Object object = sample();
    EXPECT_EQ(object.NameAt(3), "");
    EXPECT_EQ(&object.ValueAt(99), &XJSON::SharedNull());
    EXPECT_EQ(&object.Get("missing"), &XJSON::SharedNull());
    EXPECT_EQ(&XJSON::Array().At(0), &XJSON::SharedNull());
}

TEST(XJSONObject, TypedAccessorsOfTheWrongTypeGiveSharedEmpties) {
    const XJSON::String text("x");
    EXPECT_EQ(&text.AsObject(), &XJSON::EmptyObject());
    EXPECT_EQ(&text.AsArray(), &XJSON::EmptyArray());
    EXPECT_EQ(&text.AsNumber(), &XJSON::EmptyNumber());
    EXPECT_EQ(&text.AsBoolean(), &XJSON::EmptyBoolean());
    EXPECT_EQ(&XJSON::Null().AsString(), &XJSON::EmptyString());
    EXPECT_EQ(&text.AsString(), &text);
    EXPECT_EQ(XJSON::EmptyNumber().Value, 0);
    EXPECT_FALSE(XJSON::EmptyBoolean().Value);
}

TEST(XJSONObject, LookupsChainThroughMissingValues) {
    const XJSON::Owned value = XJSON::Parse("{\"a\":{\"b\":[10, {\"c\":\"deep\"}]}}");
    ASSERT_NE(value, nullptr);
    const XJSON::AnyType& root = *value;
    EXPECT_EQ(root.AsObject()
                  .Get("A")
                  .AsObject()
                  .Get("B")
                  .AsArray()
                  .At(1)
                  .AsObject()
                  .Get("c")
                  .AsString()
                  .Value,
              "deep");
    EXPECT_EQ(root.AsObject().Get("x").AsObject().Get("y").AsArray().At(5).AsString().Value, "");
    EXPECT_EQ(root.AsArray().At(0).AsNumber().Value, 0);
}

// Changes

TEST(XJSONObject, SetReplacesTheFirstExactMatchInPlaceAndSetNoCaseAnyMatch) {
    XJSON::Object object = sample();
    object.Set("NAME", string("x"));
    EXPECT_EQ(describe(object), "{Name:1,other:2,NAME:\"x\"}");
    object.Set("name", string("y"));
    EXPECT_EQ(describe(object), "{Name:1,other:2,NAME:\"x\",name:\"y\"}");
    // SetNoCase keeps the stored name.
    object = sample();
    object.SetNoCase("name", string("x"));
    EXPECT_EQ(describe(object), "{Name:\"x\",other:2,NAME:3}");
    object.SetNoCase("new", number(4));
    EXPECT_EQ(describe(object), "{Name:\"x\",other:2,NAME:3,new:4}");
}

TEST(XJSONObject, RemoveTakesEveryMatch) {
    XJSON::Object object = sample();
    object.Add("Name", number(4));
    object.Remove("Name");
    EXPECT_EQ(describe(object), "{other:2,NAME:3}");
    object = sample();
    object.RemoveNoCase("name");
    EXPECT_EQ(describe(object), "{other:2}");
    object = sample();
    object.RemoveAt(1);
    object.RemoveAt(7);
    EXPECT_EQ(describe(object), "{Name:1,NAME:3}");
}

TEST(XJSONObject, AddKeepsDuplicatesAndSetAtReplacesByPosition) {
    XJSON::Object object;
    object.Add("a", number(1));
    object.Add("a", number(2));
    object.SetAt(1, string("two"));
    object.SetAt(5, string("ignored"));
    EXPECT_EQ(describe(object), "{a:1,a:\"two\"}");
    // Missing values are stored as null.
    object.Add("b", nullptr);
    XJSON::Array array;
    array.Add(nullptr);
    EXPECT_EQ(describe(object), "{a:1,a:\"two\",b:null}");
    EXPECT_EQ(describe(array), "[null]");
}

TEST(XJSONObject, AddedContainersBelongToTheirParent) {
    XJSON::Object object;
    XJSON::Object& child = object.AddObject("child");
    XJSON::Array& list = child.AddArray("list");
    list.Add(number(1));
    list.AddObject().Add("x", string("y"));
    list.AddArray();
    EXPECT_EQ(describe(object), "{child:{list:[1,{x:\"y\"},[]]}}");
}

TEST(XJSONObject, CloneIsDeepAndIndependent) {
    XJSON::Object object = sample();
    object.AddObject("sub").AddArray("list").Add(string("a"));
    const XJSON::Owned copy = object.Clone();
    object.AsObject().Get("sub").AsObject().Get("list").AsArray().Add(string("b"));
    object.Set("Name", number(9));
    EXPECT_EQ(describe(*copy), "{Name:1,other:2,NAME:3,sub:{list:[\"a\"]}}");
    EXPECT_FALSE(copy->Equals(object));
}

TEST(XJSONObject, EqualsComparesTypesNamesAndOrder) {
    EXPECT_TRUE(XJSON::Number(1).Equals(XJSON::Number(1)));
    EXPECT_FALSE(XJSON::Number(1).Equals(XJSON::Boolean(true)));
    XJSON::Object a;
    a.Add("x", number(1));
    a.Add("y", number(2));
    XJSON::Object b;
    b.Add("y", number(2));
    b.Add("x", number(1));
    EXPECT_FALSE(a.Equals(b));
    EXPECT_TRUE(a.Equals(*a.Clone()));
}

// The shared values guard themselves against changes

using XJSONObjectDeathTest = ::testing::Test;

TEST_F(XJSONObjectDeathTest, ChangedSharedValuesAreCaughtByTheirAccessor) {
    const XJSON::Null null;
    EXPECT_DEATH(
        {
            XJSON::EmptyObject().Add("x", number(1));
            null.AsObject();
        },
        "EmptyObject\\.Count\\(\\) == 0");
    EXPECT_DEATH(
        {
            XJSON::EmptyArray().Add(number(1));
            null.AsArray();
        },
        "EmptyArray\\.Count\\(\\) == 0");
    EXPECT_DEATH(
        {
            XJSON::EmptyString().Value = "x";
            null.AsString();
        },
        "EmptyString\\.Value\\.Length\\(\\) == 0");
    EXPECT_DEATH(
        {
            XJSON::EmptyNumber().Value = 1;
            null.AsNumber();
        },
        "EmptyNumber\\.Value == 0");
    EXPECT_DEATH(
        {
            XJSON::EmptyBoolean().Value = true;
            null.AsBoolean();
        },
        "EmptyBoolean\\.Value == false");
}

}  // namespace
