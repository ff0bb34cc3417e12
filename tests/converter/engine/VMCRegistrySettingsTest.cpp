#include "VMCRegistrySettings.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "XRegistry.h"

TEST(VMCRegistrySettings, BooleansLiveUnderTheDefaultKeyInTheStoreFile) {
    TestTempDir dir;
    ScopedEnv location("XCLASS_XREGISTRY_LOCATION", dir.file("XRegistry").c_str());
    XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
    VMCRegistrySettings settings;
    EXPECT_FALSE(settings.getBool("vMCSkipedFinish", false));
    EXPECT_TRUE(settings.getBool("vMCSkipedFinish", true)) << "missing gives the default";
    settings.setBool("vMCSkipedFinish", true);
    settings.setBool("dVMCShowInfoLog", false);
    EXPECT_TRUE(settings.getBool("vmcskipedfinish", false)) << "names ignore ASCII case";
    EXPECT_FALSE(settings.getBool("dVMCShowInfoLog", true));
    const std::string file = readTextFile(dir.file("XRegistry"));
    EXPECT_NE(file.find("\"vMCSkipedFinish\":1"), std::string::npos) << file;
}
