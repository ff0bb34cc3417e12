#include "XRegistryTransaction.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "JSONTestSupport.h"
#include "RegistryTestSupport.h"
#include "XRegistry.h"
#include "XRegistryDocument.h"
#include "XSys.h"

namespace {

using XRegistryTransactionTest = RegistryTest;

int gRenames = 0;

int countingRename(const char* from, const char* to) {
    ++gRenames;
    return XSysReal().rename(from, to);
}

TEST_F(XRegistryTransactionTest, NothingReachesTheDiskWithoutCommit) {
    XRegistry::SetDWORD("kept", 1);
    const std::string before = storeText();
    {
        XRegistryTransaction transaction;
        transaction.SetDWORD("v", 1);
        transaction.SetString("s", "x");
        transaction.DeleteValue("kept");
    }
    EXPECT_EQ(storeText(), before);
}

TEST_F(XRegistryTransactionTest, AnEmptyCommitOrOneThatChangesNothingWritesNothing) {
    XRegistryTransaction empty;
    empty.Commit();
    EXPECT_FALSE(fileExists(storePath()));
    XRegistry::SetDWORD("v", 1);
    XRegistryTransaction transaction;
    transaction.DeleteValue("absent");
    transaction.DeleteKey("absent");
    transaction.CopyKey("No\\Such", "Some\\Where");
    gRenames = 0;
    {
        XSysOverride seam;
        seam.calls().rename = countingRename;
        transaction.Commit();
    }
    EXPECT_EQ(gRenames, 0);
}

TEST_F(XRegistryTransactionTest, CommitAppliesTheQueueInOrder) {
    XRegistryTransaction transaction;
    transaction.SetDWORD("setThenDeleted", 1);
    transaction.DeleteValue("setThenDeleted");
    transaction.DeleteValue("deletedThenSet");
    transaction.SetDWORD("deletedThenSet", 2);
    transaction.SetDWORD("twice", 1);
    transaction.SetDWORD("TWICE", 2);
    transaction.Commit();
    EXPECT_TRUE(transaction.Empty());
    EXPECT_EQ(describe(defaultKeyOf(*storeTree())), "{deletedThenSet:2,twice:2}");
}

TEST_F(XRegistryTransactionTest, ACommitRewritesTheFileOnce) {
    XRegistryTransaction transaction;
    for (int i = 0; i < 100; ++i) {
        transaction.SetInt("v" + std::to_string(i), i);
    }
    gRenames = 0;
    {
        XSysOverride seam;
        seam.calls().rename = countingRename;
        transaction.Commit();
    }
    EXPECT_EQ(gRenames, 1);
    EXPECT_EQ(XRegistry::GetInt("v99"), 99);
}

TEST_F(XRegistryTransactionTest, ReadsSeeThePendingWrites) {
    XRegistry::SetDWORD("old", 1);
    XRegistry::SetDWORD("gone", 1);
    XRegistryTransaction transaction;
    transaction.SetDWORD("new", 2);
    transaction.SetStringList("list", {"a", "b"});
    transaction.DeleteValue("gone");
    const uint8_t bytes[] = {1, 2, 3};
    transaction.SetBinary("bin", bytes, 3);

    EXPECT_EQ(transaction.GetDWORD("new"), 2u);
    EXPECT_EQ(transaction.GetDWORD("old"), 1u);
    EXPECT_FALSE(transaction.ValueExists("gone"));
    XStrList list;
    EXPECT_TRUE(transaction.GetStringList("list", list));
    EXPECT_EQ(list, (XStrList{"a", "b"}));
    uint8_t back[3] = {};
    EXPECT_TRUE(transaction.GetBinaryFixed("bin", back, 3));
    EXPECT_EQ(back[2], 3);
    // The store itself does not have them yet, and reading kept the queue.
    EXPECT_FALSE(XRegistry::ValueExists("new"));
    EXPECT_TRUE(XRegistry::ValueExists("gone"));
    EXPECT_FALSE(transaction.Empty());
    transaction.Commit();
    EXPECT_EQ(XRegistry::GetDWORD("new"), 2u);
    EXPECT_FALSE(XRegistry::ValueExists("gone"));
    // Reads see writes of others too.
    XRegistryTransaction next;
    next.SetDWORD("mine", 1);
    XRegistry::SetDWORD("theirs", 2);
    EXPECT_EQ(next.GetDWORD("theirs"), 2u);
    XStrList values;
    ASSERT_TRUE(next.EnumValues({}, {}, values));
    EXPECT_EQ(values, (XStrList{"old", "new", "list", "bin", "theirs", "mine"}));
}

TEST_F(XRegistryTransactionTest, CopyKeyMakesADeepCopy) {
    XRegistry::SetDWORD("a", 1, {}, "Profiles\\Source");
    XRegistry::SetString("b", "x", {}, "Profiles\\Source\\Inner");
    XRegistryTransaction transaction;
    transaction.CopyKey("profiles\\source", "Profiles\\Copy");
    transaction.Commit();
    EXPECT_EQ(describe(*storeTree()),
              "{HKCU:{Profiles:{Source:{a:1,Inner:{b:\"x\"}},Copy:{a:1,Inner:{b:\"x\"}}}}}");
    // The copy is independent of its source.
    XRegistry::SetDWORD("a", 5, {}, "Profiles\\Source");
    EXPECT_EQ(XRegistry::GetDWORD("a", {}, "Profiles\\Copy"), 1u);
}

TEST_F(XRegistryTransactionTest, CopyKeyReplacesAnExistingKeyInPlaceAndMayCopyIntoItsOwnSubkey) {
    XRegistry::SetDWORD("first", 1, {}, "P\\Target");
    XRegistry::SetDWORD("x", 1, {}, "P\\After");
    XRegistry::SetDWORD("s", 2, {}, "Q\\Source");
    XRegistry::SetDWORD("Target", 3, {}, "P");
    XRegistryTransaction transaction;
    transaction.CopyKey("Q\\Source", "P\\TARGET");
    transaction.Commit();
    EXPECT_EQ(describe(*storeTree()),
              "{HKCU:{P:{Target:{s:2},After:{x:1},Target:3},Q:{Source:{s:2}}}}");
    writeStore("");
    XRegistry::SetDWORD("v", 1, {}, "A");
    transaction.CopyKey("A", "A\\B\\C");
    transaction.Commit();
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{A:{v:1,B:{C:{v:1}}}}}");
}

TEST_F(XRegistryTransactionTest, CopyKeyNeedsAKeyBelowTheRootOnBothSides) {
    XRegistry::SetDWORD("v", 1, {}, "A");
    const std::string before = storeText();
    XRegistryTransaction transaction;
    transaction.CopyKey("", "B");
    transaction.CopyKey("A", "\\");
    transaction.CopyKey("Missing", "B");
    transaction.CopyKey("Missing\\Deeper", "B");
    transaction.Commit();
    EXPECT_EQ(storeText(), before);
}

TEST_F(XRegistryTransactionTest, CopyKeyOnAPendingCopySeesIt) {
    XRegistry::SetDWORD("v", 1, {}, "A");
    XRegistryTransaction transaction;
    transaction.CopyKey("A", "B");
    transaction.SetDWORD("w", 2, {}, "B");
    transaction.CopyKey("B", "C");
    EXPECT_EQ(transaction.GetDWORD("w", {}, "C"), 2u);
    EXPECT_TRUE(transaction.KeyExists({}, "C"));
    transaction.Commit();
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{A:{v:1},B:{v:1,w:2},C:{v:1,w:2}}}");
}

TEST_F(XRegistryTransactionTest, DeleteKeyRemovesOnlyTheFirstSubkey) {
    writeStore("{\"HKCU\":{\"k\":{\"a\":1}, \"K\":{\"b\":2}, \"k\":3}}");
    XRegistryTransaction transaction;
    transaction.DeleteKey("K", "HKCU", "");
    transaction.Commit();
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{K:{b:2},k:3}}");
}

TEST_F(XRegistryTransactionTest, AMovedTransactionKeepsItsQueue) {
    XRegistryTransaction first;
    first.SetDWORD("v", 4);
    XRegistryTransaction second(std::move(first));
    second.Commit();
    EXPECT_EQ(XRegistry::GetDWORD("v"), 4u);
}

using XRegistryTransactionDeathTest = RegistryTest;

TEST_F(XRegistryTransactionDeathTest, SettingAnObjectAsAValueIsCaught) {
    // Only the library itself could try; its assertion names the mistake.
    EXPECT_DEATH(
        {
            XJSON::Object document;
            XRegistryDocument::SetValue(document, {"HKCU"}, "v", std::make_unique<XJSON::Object>());
        },
        "Content->TypeOf\\(\\) != XJSON::typeObject");
}

}  // namespace
