#include "VAStartup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "XJSON.h"
#include "XRegistry.h"

namespace {

class Startup : public ::testing::Test {
protected:
    void TearDown() override { VAAppDataFolder::registerAppName(""); }
    TestTempDir mDir;
    // Whatever the tests set is undone afterwards.
    ScopedEnv mLocation{"XCLASS_XREGISTRY_LOCATION", "/somewhere/else"};
    ScopedUmask mMask{022};
};

TEST_F(Startup, TheStoreLivesInAPrivateDataFolder) {
    const std::string base = mDir.file("missing/parents");
    ScopedEnv data("_APPDATA_OVERRIDE", base.c_str());
    const XStr store = VAStartup::initSettingsStore();
    const std::string folder = base + "/VantaroVideo";
    EXPECT_EQ(store, XStr(folder + "/XRegistry"));
    EXPECT_EQ(permissionsOf(folder), 0700u);
    // Replaced whatever the variable held before.
    EXPECT_EQ(XRegistry::GetLocation(), store);
}

TEST_F(Startup, AnExistingFolderIsUsedAsItIs) {
    const std::string folder = mDir.file("VantaroVideo");
    ASSERT_EQ(mkdir(folder.c_str(), 0750), 0);
    ScopedEnv data("_APPDATA_OVERRIDE", mDir.path().c_str());
    EXPECT_EQ(VAStartup::initSettingsStore(), XStr(folder + "/XRegistry"));
    EXPECT_EQ(permissionsOf(folder), 0750u);
}

TEST_F(Startup, ValuesGoUnderTheApplicationsDefaultKey) {
    ScopedEnv data("_APPDATA_OVERRIDE", mDir.path().c_str());
    const XStr store = VAStartup::initSettingsStore();
    ASSERT_TRUE(XRegistry::SetString("VMCUserFolderStr", "/media/out"));
    EXPECT_TRUE(fileExists(store.utf8() + ".lock"));
    const XJSON::Owned tree = XJSON::ReadFile(store, 1 << 20);
    ASSERT_NE(tree, nullptr);
    XJSON::AnyType* node = tree.get();
    for (const char* key : {"HKCU", "Software", "Quillmere", "VantaroVideo", "VMCUserFolderStr"}) {
        node = &node->AsObject().Get(key);
    }
    EXPECT_EQ(node->AsString().Value, "/media/out");
}

}  // namespace
