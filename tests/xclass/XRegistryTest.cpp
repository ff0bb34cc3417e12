#include "XRegistry.h"

#include <gtest/gtest.h>

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <string>
#include <vector>

#include "FifoRescue.h"
#include "JSONTestSupport.h"
#include "RegistryTestSupport.h"
#include "XRegistryStore.h"
#include "XSys.h"

namespace {

const char* const kRefPath = "Software\\Quillmere\\VantaroVideo\\Ref";

std::vector<std::string> utf8(const XStrList& list) {
    std::vector<std::string> out;
    for (const XStr& s : list) {
        out.push_back(s.utf8());
    }
    return out;
}

using XRegistryStoreTest = RegistryTest;

// The file

TEST_F(XRegistryStoreTest, TheFirstReadCreatesAnEmptyStoreAndTheFirstWritesTheDocument) {
    bool missing = false;
    EXPECT_EQ(XRegistry::GetString("anything", {}, {}, &missing), "");
    EXPECT_TRUE(missing);
    EXPECT_TRUE(fileExists(storePath()));
    EXPECT_TRUE(fileExists(storePath() + ".lock"));
    EXPECT_EQ(storeText(), "");
    // The first writes build the whole document.
    XRegistry::SetString("VMCUserFolderStr", "/Volumes/Media/Converted");
    XRegistry::SetDWORD("VMCDynamicNaming", 1);
    XRegistry::SetDWORD("vMCNoCDDvdDatHelper", 1, {}, kRefPath);
    EXPECT_EQ(storeText(),
              "{\n"
              "    \"HKCU\":{\n"
              "        \"Software\":{\n"
              "            \"Quillmere\":{\n"
              "                \"VantaroVideo\":{\n"
              "                    \"VMCUserFolderStr\":\"/Volumes/Media/Converted\",\n"
              "                    \"VMCDynamicNaming\":1,\n"
              "                    \"Ref\":{\n"
              "                        \"vMCNoCDDvdDatHelper\":1\n"
              "                    }\n"
              "                }\n"
              "            }\n"
              "        }\n"
              "    }\n"
              "}");
}

TEST_F(XRegistryStoreTest, AnEmptyOrForeignFileReadsAsAnEmptyStore) {
    for (const char* content : {"", "   \n", "[1, 2]", "\"text\"", "42"}) {
        writeStore(content);
        bool missing = false;
        XRegistry::GetDWORD("x", {}, {}, &missing);
        EXPECT_TRUE(missing) << content;
        XStrList keys;
        EXPECT_FALSE(XRegistry::EnumKeys({}, {}, keys)) << content;
    }
    XRegistry::SetDWORD("x", 5);
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{Software:{Quillmere:{VantaroVideo:{x:5}}}}}");
}

TEST_F(XRegistryStoreTest, AnUnparsableStoreIsKeptBesideItsReplacement) {
    const std::string damaged = "{\"HKCU\":{\"Software\":{\"old\":1, ";
    writeStore(damaged);
    EXPECT_EQ(XRegistry::GetDWORD("old", {}, "Software"), 0u);
    XRegistry::SetDWORD("new", 2);
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{Software:{Quillmere:{VantaroVideo:{new:2}}}}}");
    EXPECT_EQ(readTextFile(storePath() + ".unreadable"), damaged);
    // Later writes have a readable store to work on and keep no further copies.
    std::remove((storePath() + ".unreadable").c_str());
    XRegistry::SetDWORD("more", 3);
    EXPECT_FALSE(fileExists(storePath() + ".unreadable"));
}

TEST_F(XRegistryStoreTest, NewFilesFollowTheFileCreationMaskAndTheStoreKeepsItsPermissions) {
    ScopedUmask mask(022);
    XRegistry::SetString("a", "b");
    EXPECT_EQ(permissionsOf(storePath() + ".lock"), 0644u);
    EXPECT_EQ(permissionsOf(storePath()), 0644u);
    ASSERT_EQ(chmod(storePath().c_str(), 0600), 0);
    XRegistry::SetString("a", "c");
    EXPECT_EQ(permissionsOf(storePath()), 0600u);
}

// Matching

TEST_F(XRegistryStoreTest, NamesAndKeyPathsIgnoreAsciiCase) {
    XRegistry::SetString("MyValue", "x", "HKCU", "Software\\Quillmere\\VantaroVideo\\Sub");
    bool missing = true;
    EXPECT_EQ(
        XRegistry::GetString("myVALUE", "hkcu", "SOFTWARE\\quillmere\\vantaroVIDEO\\sUB", &missing),
        "x");
    EXPECT_FALSE(missing);
    // Only the ASCII letters fold.
    XRegistry::SetString("\u00e9t\u00e9", "summer");
    EXPECT_EQ(XRegistry::GetString("\u00c9T\u00c9", {}, {}, &missing), "");
    EXPECT_TRUE(missing);
    // Another spelling replaces the value and keeps its name.
    XRegistry::SetString("Mixed", "1");
    XRegistry::SetString("MIXED", "2");
    XStrList values;
    ASSERT_TRUE(XRegistry::EnumValues({}, {}, values));
    EXPECT_EQ(utf8(values), (std::vector<std::string>{"\u00e9t\u00e9", "Mixed"}));
    EXPECT_EQ(XRegistry::GetString("mixed"), "2");
}

TEST_F(XRegistryStoreTest, TheFirstMatchInStoredOrderWins) {
    writeStore("{\"HKCU\":{\"k\":{\"a\":1, \"A\":2}, \"K\":{\"a\":3}}}");
    EXPECT_EQ(XRegistry::GetDWORD("A", {}, "k"), 1u);
    EXPECT_EQ(XRegistry::GetDWORD("a", {}, "K"), 1u);
    XRegistry::SetDWORD("A", 9, {}, "K");
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{k:{a:9,A:2},K:{a:3}}}");
}

TEST_F(XRegistryStoreTest, AValueAndASubkeyOfOneNameStayApart) {
    XRegistry::SetString("Ref", "value");
    XRegistry::SetDWORD("inner", 1, {}, std::string(kRefPath) + "\\Deeper");
    XRegistry::SetDWORD("inner", 1, {}, kRefPath);
    XStrList keys;
    XStrList values;
    ASSERT_TRUE(XRegistry::EnumKeys({}, {}, keys));
    ASSERT_TRUE(XRegistry::EnumValues({}, {}, values));
    EXPECT_EQ(utf8(keys), std::vector<std::string>{"Ref"});
    EXPECT_EQ(utf8(values), std::vector<std::string>{"Ref"});
    EXPECT_EQ(XRegistry::GetString("Ref"), "value");
    EXPECT_EQ(XRegistry::GetDWORD("inner", {}, kRefPath), 1u);
    // A value is never found as a key, nor a key as a value.
    EXPECT_FALSE(XRegistry::KeyExists({}, std::string(kRefPath) + "\\inner"));
    bool missing = false;
    EXPECT_EQ(XRegistry::GetString("Deeper", {}, kRefPath, &missing), "");
    EXPECT_TRUE(missing);
    EXPECT_FALSE(XRegistry::ValueExists("Deeper", {}, kRefPath));
    // Deleting the one leaves the other.
    XRegistry::DeleteValue("REF");
    EXPECT_FALSE(XRegistry::ValueExists("Ref"));
    EXPECT_EQ(XRegistry::GetDWORD("inner", {}, kRefPath), 1u);
    XRegistry::SetString("Ref", "value");
    XRegistry::DeleteKey("ref");
    EXPECT_FALSE(XRegistry::KeyExists({}, kRefPath));
    EXPECT_EQ(XRegistry::GetString("Ref"), "value");
}

TEST_F(XRegistryStoreTest, ExistingValuesKeepTheirPlaceAndNewOnesGoLast) {
    XRegistry::SetDWORD("a", 1);
    XRegistry::SetDWORD("b", 2, {}, kRefPath);
    XRegistry::SetDWORD("c", 3);
    XRegistry::SetDWORD("a", 10);
    XRegistry::SetDWORD("d", 4);
    EXPECT_EQ(describe(defaultKeyOf(*storeTree())), "{a:10,Ref:{b:2},c:3,d:4}");
}

TEST_F(XRegistryStoreTest, LeadingAndTrailingBackslashesAddressTheSameKey) {
    XRegistry::SetDWORD("v", 7, {}, "\\\\Software\\Quillmere\\VantaroVideo\\\\");
    EXPECT_EQ(XRegistry::GetDWORD("v"), 7u);
    EXPECT_EQ(XRegistry::GetDWORD("v", {}, "\\Software\\Quillmere\\VantaroVideo"), 7u);
    XStrList keys;
    ASSERT_TRUE(XRegistry::EnumKeys({}, "Software\\Quillmere", keys));
    EXPECT_EQ(utf8(keys), std::vector<std::string>{"VantaroVideo"});
    // An empty path addresses the root key itself; without a default root it is UNSPEC.
    writeStore("");
    XRegistry::SetDWORD("top", 1, "HKCU", "");
    XRegistry::SetDWORD("top", 2, "Other", "\\");
    XRegistryKeyPath::SetDefault(std::nullopt, std::nullopt);
    XRegistry::SetDWORD("v", 1);
    XRegistry::SetDWORD("w", 2, {}, "A\\B");
    XRegistry::SetDefaultKey(kDefaultRoot, kDefaultPath);
    EXPECT_EQ(describe(*storeTree()), "{HKCU:{top:1},Other:{top:2},UNSPEC:{v:1,A:{B:{w:2}}}}");
}

// Kinds of values

TEST_F(XRegistryStoreTest, NumbersReadBackInEachKind) {
    XRegistry::SetInt("minus", -1);
    XRegistry::SetInt64("big", int64_t{1} << 40);
    EXPECT_EQ(XRegistry::GetDWORD("minus"), 4294967295u);
    EXPECT_EQ(XRegistry::GetInt("minus"), -1);
    EXPECT_EQ(XRegistry::GetInt64("big"), int64_t{1} << 40);
    EXPECT_EQ(XRegistry::GetDWORD("big"), 0u);
    // Stored numbers are truncated toward zero.
    writeStore(
        "{\"HKCU\":{\"a\":3.9, \"b\":-2.7, \"c\":3000000000, \"d\":-5000000000, "
        "\"e\":99999999999999999999999}}");
    EXPECT_EQ(XRegistry::GetDWORD("a", "HKCU", ""), 3u);
    EXPECT_EQ(XRegistry::GetInt("b", "HKCU", ""), -2);
    EXPECT_EQ(XRegistry::GetInt64("b", "HKCU", ""), -2);
    EXPECT_EQ(XRegistry::GetDWORD("c", "HKCU", ""), 3000000000u);
    // Past the range of the kind the value stops at its end.
    EXPECT_EQ(XRegistry::GetInt("c", "HKCU", ""), 2147483647);
    EXPECT_EQ(XRegistry::GetInt("d", "HKCU", ""), -2147483647 - 1);
    EXPECT_EQ(XRegistry::GetInt64("e", "HKCU", ""), INT64_MAX);
}

TEST_F(XRegistryStoreTest, AValueOfAnotherTypeIsMissing) {
    XRegistry::SetString("text", "12");
    XRegistry::SetDWORD("number", 12);
    bool missing = false;
    EXPECT_EQ(XRegistry::GetDWORD("text", {}, {}, &missing), 0u);
    EXPECT_TRUE(missing);
    EXPECT_EQ(XRegistry::GetString("number", {}, {}, &missing), "");
    EXPECT_TRUE(missing);
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(XRegistry::GetBinary("number", bytes));
    XStrList list{"stale"};
    EXPECT_FALSE(XRegistry::GetStringList("text", list));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(XRegistry::GetDWORD("number", {}, {}, &missing), 12u);
    EXPECT_FALSE(missing);
}

TEST_F(XRegistryStoreTest, BinaryValuesAreBase64) {
    const uint8_t three[] = {0xff, 0x00, 0x7f};
    const uint8_t four[] = {1, 2, 3, 4};
    XRegistry::SetBinary("three", three, 3);
    XRegistry::SetBinary("four", four, 4);
    EXPECT_EQ(XRegistry::GetString("three"), "/wB/");
    EXPECT_EQ(XRegistry::GetString("four"), "AQIDBA==");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(XRegistry::GetBinary("four", bytes));
    EXPECT_EQ(bytes, std::vector<uint8_t>(four, four + 4));
    // Fixed-size reads refuse other lengths.
    XRegistry::SetString("junk", "not base64!");
    uint8_t buffer[5] = {9, 9, 9, 9, 9};
    EXPECT_FALSE(XRegistry::GetBinaryFixed("four", buffer, 5));
    EXPECT_FALSE(XRegistry::GetBinaryFixed("four", buffer, 3));
    EXPECT_FALSE(XRegistry::GetBinaryFixed("junk", buffer, 4));
    EXPECT_FALSE(XRegistry::GetBinaryFixed("none", buffer, 4));
    EXPECT_EQ(buffer[0], 9);
    ASSERT_TRUE(XRegistry::GetBinaryFixed("four", buffer, 4));
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 5), (std::vector<uint8_t>{1, 2, 3, 4, 9}));
    bytes = {1};
    EXPECT_FALSE(XRegistry::GetBinary("junk", bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(XRegistryStoreTest, StringListsAreArraysOfStrings) {
    XRegistry::SetStringList("list", {"a", "", "caf\u00e9"});
    XStrList list;
    ASSERT_TRUE(XRegistry::GetStringList("list", list));
    EXPECT_EQ(utf8(list), (std::vector<std::string>{"a", "", "caf\u00e9"}));
    writeStore("{\"HKCU\":{\"mixed\":[\"x\", 1, null, \"y\"]}}");
    ASSERT_TRUE(XRegistry::GetStringList("mixed", list, "HKCU", ""));
    EXPECT_EQ(utf8(list), (std::vector<std::string>{"x", "", "", "y"}));
}

// Existence and listing

TEST_F(XRegistryStoreTest, ValueExistsWhateverTheType) {
    writeStore("{\"HKCU\":{\"n\":null, \"b\":true, \"l\":[], \"k\":{}}}");
    EXPECT_TRUE(XRegistry::ValueExists("N", "HKCU", ""));
    EXPECT_TRUE(XRegistry::ValueExists("b", "HKCU", ""));
    EXPECT_TRUE(XRegistry::ValueExists("l", "HKCU", ""));
    EXPECT_FALSE(XRegistry::ValueExists("k", "HKCU", ""));
    EXPECT_FALSE(XRegistry::ValueExists("x", "HKCU", ""));
    // Keys exist only when every component does.
    XRegistry::SetDWORD("v", 1, {}, kRefPath);
    EXPECT_TRUE(XRegistry::KeyExists());
    EXPECT_TRUE(XRegistry::KeyExists({}, kRefPath));
    EXPECT_TRUE(XRegistry::KeyExists("hkcu", "software"));
    EXPECT_FALSE(XRegistry::KeyExists("HKLM", "Software"));
    EXPECT_FALSE(XRegistry::KeyExists({}, std::string(kRefPath) + "\\More"));
    XStrList list{"stale"};
    EXPECT_FALSE(XRegistry::EnumValues({}, "Software\\Nothing", list));
    EXPECT_TRUE(list.empty());
}

TEST_F(XRegistryStoreTest, EnumerationsFollowStoredOrder) {
    XRegistry::SetDWORD("z", 1);
    XRegistry::SetDWORD("k", 1, {}, std::string(kDefaultPath) + "\\Beta");
    XRegistry::SetDWORD("a", 1);
    XRegistry::SetDWORD("k", 1, {}, std::string(kDefaultPath) + "\\Alpha");
    XStrList keys;
    XStrList values;
    ASSERT_TRUE(XRegistry::EnumKeys({}, {}, keys));
    ASSERT_TRUE(XRegistry::EnumValues({}, {}, values));
    EXPECT_EQ(utf8(keys), (std::vector<std::string>{"Beta", "Alpha"}));
    EXPECT_EQ(utf8(values), (std::vector<std::string>{"z", "a"}));
}

TEST_F(XRegistryStoreTest, DeletingWhatIsNotThereLeavesTheFileAlone) {
    XRegistry::SetDWORD("v", 1);
    const std::string before = storeText();
    struct stat old {};
    ASSERT_EQ(stat(storePath().c_str(), &old), 0);
    EXPECT_TRUE(XRegistry::DeleteValue("none"));
    EXPECT_TRUE(XRegistry::DeleteKey("none"));
    EXPECT_TRUE(XRegistry::DeleteValue("v", {}, "No\\Such\\Key"));
    struct stat now {};
    ASSERT_EQ(stat(storePath().c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, old.st_ino);
    EXPECT_EQ(storeText(), before);
}

// Failures never reach the caller

TEST_F(XRegistryStoreTest, AFailedRewriteOrReadLeavesThePreviousStore) {
    XRegistry::SetDWORD("v", 1);
    const std::string before = storeText();
    {
        XSysOverride seam;
        seam.calls().write = [](int, const void*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
        EXPECT_TRUE(XRegistry::SetDWORD("v", 2));
    }
    EXPECT_EQ(storeText(), before);
    EXPECT_EQ(XRegistry::GetDWORD("v"), 1u);
    {
        // A store that cannot be read is never overwritten.
        XSysOverride seam;
        seam.calls().read = [](int, void*, size_t) -> ssize_t {
            errno = EIO;
            return -1;
        };
        EXPECT_TRUE(XRegistry::SetDWORD("w", 2));
        EXPECT_EQ(XRegistry::GetDWORD("v"), 0u);
    }
    EXPECT_EQ(storeText(), before);
}

TEST_F(XRegistryStoreTest, WithoutTheLockReadsStillWorkAndWritesAreNotSaved) {
    XRegistry::SetDWORD("v", 1);
    const std::string before = storeText();
    {
        XSysOverride seam;
        seam.calls().flock = [](int, int) {
            errno = ENOLCK;
            return -1;
        };
        EXPECT_TRUE(XRegistry::SetDWORD("v", 2));
        EXPECT_TRUE(XRegistry::SetDWORD("w", 2));
        // Writers replace the file in one step, so a reader needs no lock.
        bool missing = true;
        EXPECT_EQ(XRegistry::GetDWORD("v", {}, {}, &missing), 1u);
        EXPECT_FALSE(missing);
        EXPECT_EQ(XRegistry::GetDWORD("w", {}, {}, &missing), 0u);
        EXPECT_TRUE(missing);
    }
    EXPECT_EQ(storeText(), before);
    XRegistry::SetDWORD("w", 3);
    EXPECT_EQ(XRegistry::GetDWORD("w"), 3u);
}

int openRefusingLockFiles(const char* path, int flags, mode_t mode) {
    const std::string p(path);
    if (p.size() >= 5 && p.compare(p.size() - 5, 5, ".lock") == 0) {
        errno = EROFS;
        return -1;
    }
    return XSysReal().open(path, flags, mode);
}

// A read-only file system or folder: the lock file cannot be made, and the store is still
// read but never written.
TEST_F(XRegistryStoreTest, AStoreWhoseLockFileCannotBeMadeIsStillRead) {
    writeStore("{\"HKCU\":{\"Software\":{\"Quillmere\":{\"VantaroVideo\":{\"v\":7}}}}}");
    const std::string before = storeText();
    const auto readButNotWritten = [&] {
        EXPECT_EQ(XRegistry::GetDWORD("v"), 7u);
        EXPECT_TRUE(XRegistry::SetDWORD("v", 8));
        EXPECT_EQ(XRegistry::GetDWORD("v"), 7u);
        EXPECT_EQ(storeText(), before);
        EXPECT_FALSE(fileExists(storePath() + ".lock"));
    };
    {
        XSysOverride seam;
        seam.calls().open = openRefusingLockFiles;
        readButNotWritten();
    }
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    ASSERT_EQ(chmod(dir().path().c_str(), 0555), 0);
    readButNotWritten();
    ASSERT_EQ(chmod(dir().path().c_str(), 0700), 0);
}

// Files that are no settings

TEST_F(XRegistryStoreTest, AStoreOrLockThatIsAFifoIsNeverWaitedOnNorReplaced) {
    for (const std::string& which : {storePath(), storePath() + ".lock"}) {
        std::remove(storePath().c_str());
        std::remove((storePath() + ".lock").c_str());
        FifoRescue fifo(which);
        ASSERT_TRUE(fifo.made());
        bool missing = false;
        EXPECT_EQ(XRegistry::GetDWORD("v", {}, {}, &missing), 0u) << which;
        EXPECT_TRUE(missing);
        EXPECT_TRUE(XRegistry::SetDWORD("v", 1));
        EXPECT_FALSE(fifo.fired()) << which << " was waited on";
        struct stat st {};
        ASSERT_EQ(lstat(which.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << which << " was replaced";
        std::remove(which.c_str());
    }
}

TEST_F(XRegistryStoreTest, AStoreTooLargeToReadIsNeverReadNorReplaced) {
    // Sparse: far larger than memory on disk in no time.
    for (const int64_t size : {XRegistryStore::kMaxFileBytes + 1, int64_t{1} << 36}) {
        writeStore("{\"HKCU\":{\"v\":1}}");
        ASSERT_EQ(truncate(storePath().c_str(), size), 0);
        bool missing = false;
        EXPECT_EQ(XRegistry::GetDWORD("v", "HKCU", "", &missing), 0u);
        EXPECT_TRUE(missing);
        EXPECT_TRUE(XRegistry::SetDWORD("w", 2));
        struct stat st {};
        ASSERT_EQ(stat(storePath().c_str(), &st), 0);
        EXPECT_EQ(st.st_size, size);
        EXPECT_FALSE(fileExists(storePath() + ".unreadable"));
    }
    // Just within the limit it is read.
    std::string fits = "{\"HKCU\":{\"v\":1}}";
    fits.resize(static_cast<std::size_t>(XRegistryStore::kMaxFileBytes), ' ');
    writeStore(fits);
    EXPECT_EQ(XRegistry::GetDWORD("v", "HKCU", ""), 1u);
}

TEST_F(XRegistryStoreTest, AWriteThatWouldNestTooDeepIsNotSaved) {
    XRegistry::SetDWORD("kept", 1);
    const std::string before = storeText();
    std::string deep = kDefaultPath;
    for (int i = 0; i < XJSON::kMaxDepth; ++i) {
        deep += "\\k";
    }
    EXPECT_TRUE(XRegistry::SetDWORD("v", 1, {}, deep));
    EXPECT_EQ(storeText(), before);
    EXPECT_EQ(XRegistry::GetDWORD("kept"), 1u);
    // Just within the limit still works: file object, root, then the key components.
    std::string fits = "";
    for (int i = 0; i < XJSON::kMaxDepth - 2; ++i) {
        fits += "k\\";
    }
    XRegistry::SetDWORD("v", 2, "Deep", fits);
    EXPECT_EQ(XRegistry::GetDWORD("v", "Deep", fits), 2u);
    EXPECT_EQ(XRegistry::GetDWORD("kept"), 1u);
}

// Location

TEST(XRegistryLocation, TheVariableWinsAndTildeStandsForHome) {
    ScopedEnv home("HOME", "/home/user");
    {
        ScopedEnv location("XCLASS_XREGISTRY_LOCATION", nullptr);
        EXPECT_FALSE(XRegistry::LocationIsSet());
        EXPECT_EQ(XRegistry::GetLocation(), "/home/user/.XRegistry");
    }
    const std::pair<const char*, const char*> cases[] = {
        {"/abs/store", "/abs/store"}, {"~", "/home/user"},
        {"~/a/b", "/home/user/a/b"},  {"~x/y", "~x/y"},
        {"rel/~/z", "rel/~/z"},
    };
    for (const auto& [set, expected] : cases) {
        ScopedEnv location("XCLASS_XREGISTRY_LOCATION", set);
        EXPECT_TRUE(XRegistry::LocationIsSet());
        EXPECT_EQ(XRegistry::GetLocation(), expected) << set;
    }
    {
        // A home ending in a slash gets no second one.
        ScopedEnv slash("HOME", "/home/user/");
        ScopedEnv location("XCLASS_XREGISTRY_LOCATION", "~/store");
        EXPECT_EQ(XRegistry::GetLocation(), "/home/user/store");
    }
    // Without a home the path stays as it is.
    ScopedEnv noHome("HOME", nullptr);
    ScopedEnv location("XCLASS_XREGISTRY_LOCATION", nullptr);
    EXPECT_EQ(XRegistry::GetLocation(), "~/.XRegistry");
}

TEST(XRegistryLocation, SetLocationReplacesOnlyWhenAsked) {
    ScopedEnv location("XCLASS_XREGISTRY_LOCATION", "/first");
    XRegistry::SetLocation("/second", false);
    EXPECT_EQ(XRegistry::GetLocation(), "/first");
    XRegistry::SetLocation("/third", true);
    EXPECT_EQ(XRegistry::GetLocation(), "/third");
    ScopedEnv unset("XCLASS_XREGISTRY_LOCATION", nullptr);
    XRegistry::SetLocation("/fourth", false);
    EXPECT_EQ(XRegistry::GetLocation(), "/fourth");
}

}  // namespace
