// The naming object in the settings store: its values under the owner's key and the list
// of recent destinations.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "VMCFileNaming.h"
#include "XRegistry.h"

namespace {

const char* const kKey = "Software\\Quillmere\\VantaroVideo\\Profiles\\Mine";

class NamingStore : public ::testing::Test {
protected:
    void SetUp() override { XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo"); }

    static XStr value(const char* name) {
        return XRegistry::GetString(name, XStr("HKCU"), XStr(kKey));
    }
    static bool has(const char* name) {
        return XRegistry::ValueExists(name, XStr("HKCU"), XStr(kKey));
    }
    static void save(const VMCFileNaming& naming) {
        XRegistryTransaction transaction;
        naming.serializeToRegKey(kKey, transaction);
        transaction.Commit();
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mHome{"HOME", "/home/tester"};
};

}  // namespace

TEST_F(NamingStore, ANamingIsWrittenUnderItsKeyAndReadBack) {
    VMCFileNaming naming = VMCFileNaming::namingPreservePath("/data/out");
    naming.setDynamicFormat("[artist]/[title]");
    save(naming);
    EXPECT_EQ(value("VMCUserFolderStr"), "/data/out");
    EXPECT_EQ(value("VMCUserFolderFriendlyName"), "/data/out");
    EXPECT_EQ(value("VMCDynamicNaming"), "[artist]/[title]");
    EXPECT_EQ(XRegistry::GetDWORD("VMCUserFolder", XStr("HKCU"), XStr(kKey)), 2u);
    EXPECT_FALSE(has("VMCUserFolderData")) << "a plain path has no bookmark";

    const VMCFileNaming read = VMCFileNaming::initWithRegKey(kKey);
    EXPECT_TRUE(read.isEqualTo(naming));
    EXPECT_EQ(read.destination().url(), "/data/out");

    // Without a destination the folder values go.
    naming.setDestination(VMCLocationDescriptor());
    save(naming);
    EXPECT_FALSE(has("VMCUserFolderStr"));
    EXPECT_FALSE(has("VMCUserFolderFriendlyName"));
    EXPECT_FALSE(has("VMCUserFolderData"));
    EXPECT_TRUE(has("VMCDynamicNaming"));
}

TEST_F(NamingStore, StoredValuesAreReadAsTheyWereMeant) {
    struct Case {
        uint32_t storedType;
        const char* format;
        uint32_t type;
        XStr expectedFormat;
    };
    const Case cases[] = {
        {0, "", 0, "[artist]/[artist] - [title]"},
        {2, "[title]", 2, "[title]"},
        {3, "[title]", 3, "[title]"},
        {4, "[title]", 0, "[title]"},
        {77, "[title]", 0, "[title]"},
    };
    for (const Case& c : cases) {
        XRegistry::SetDWORD("VMCUserFolder", c.storedType, XStr("HKCU"), XStr(kKey));
        XRegistry::SetString("VMCDynamicNaming", c.format, XStr("HKCU"), XStr(kKey));
        const VMCFileNaming read = VMCFileNaming::initWithRegKey(kKey);
        EXPECT_EQ(read.fileNamingType(), c.type) << c.storedType;
        EXPECT_EQ(read.dynamicFormat(), c.expectedFormat) << c.storedType;
    }

    // A bookmark with its name and last known folder.
    const uint8_t bookmark[] = {9, 8, 7};
    XRegistry::SetBinary("VMCUserFolderData", bookmark, sizeof bookmark, XStr("HKCU"), XStr(kKey));
    XRegistry::SetString("VMCUserFolderStr", "/mnt/Disk/Films", XStr("HKCU"), XStr(kKey));
    XRegistry::SetString("VMCUserFolderFriendlyName", "Films on Disk", XStr("HKCU"), XStr(kKey));
    XRegistry::SetDWORD("VMCUserFolder", 1, XStr("HKCU"), XStr(kKey));
    const VMCFileNaming marked = VMCFileNaming::initWithRegKey(kKey);
    EXPECT_EQ(marked.destination().bookmark(), (std::vector<uint8_t>{9, 8, 7}));
    EXPECT_EQ(marked.destination().url(), "/mnt/Disk/Films");
    EXPECT_EQ(marked.destinationFolderName(), "Films on Disk");

    // The older kinds become templates.
    const VMCFileNaming single = VMCFileNaming::initWithRegKeyR16(kKey);
    EXPECT_EQ(single.fileNamingType(), 2u);
    EXPECT_EQ(single.dynamicFormat(), "[origfilename]");
    XRegistry::SetDWORD("VMCUserFolder", 0, XStr("HKCU"), XStr(kKey));
    const VMCFileNaming beside = VMCFileNaming::initWithRegKeyR16(kKey);
    EXPECT_EQ(beside.dynamicFormat(), "[origpath]/[origfilename]");
    EXPECT_EQ(beside.destination().url(), "/");
}

TEST_F(NamingStore, TheRecentListKeepsTenNamingsWithADestination) {
    std::vector<VMCFileNaming> list;
    list.push_back(VMCFileNaming::namingUseParentConfig());
    VMCFileNaming none = VMCFileNaming::namingSingleFolder("/x");
    none.setDestination(VMCLocationDescriptor());
    list.push_back(none);
    for (int i = 0; i < 12; ++i) {
        VMCFileNaming naming = VMCFileNaming::namingSingleFolder(XStr::format("/out/%d", i));
        naming.setDynamicFormat(XStr::format("[title] %d", i));
        list.push_back(naming);
    }
    VMCFileNaming::saveRecentList(list);
    EXPECT_EQ(XRegistry::GetString("vMCLastFolder-0"), "/out/0{_._}[title] 0");
    EXPECT_EQ(XRegistry::GetString("vMCLastFolder-9"), "/out/9{_._}[title] 9");
    EXPECT_FALSE(XRegistry::ValueExists("vMCLastFolder-10"));

    std::vector<VMCFileNaming> read = VMCFileNaming::loadRecentList();
    ASSERT_EQ(read.size(), 10u);
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].fileNamingType(), 2u);
        EXPECT_EQ(read[i].destination().url(), XStr::format("/out/%zu", i));
        EXPECT_EQ(read[i].dynamicFormat(), XStr::format("[title] %zu", i));
    }

    // A shorter list clears the slots behind it; slots that do not read as two parts are
    // passed over.
    VMCFileNaming::saveRecentList({list[2], list[3]});
    EXPECT_FALSE(XRegistry::ValueExists("vMCLastFolder-2"));
    XRegistry::SetString("vMCLastFolder-2", "no delimiter");
    XRegistry::SetString("vMCLastFolder-3", "/a{_._}b{_._}c");
    XRegistry::SetString("vMCLastFolder-4", "(null){_._}[title]");
    XRegistry::SetString("vMCLastFolder-6", "/later{_._}[artist]");
    read = VMCFileNaming::loadRecentList();
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[2].destination().url(), "/later");
    EXPECT_EQ(read[2].dynamicFormat(), "[artist]");
}
