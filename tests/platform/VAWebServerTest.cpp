// The maker's web server: what the settings store names, else what the build was
// configured with.
#include "VAWebServer.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "XRegistry.h"

namespace {

TEST(WebServer, TheStoreNamesHostAndSchemeElseTheDefaults) {
    TestTempDir dir;
    ScopedEnv store("XCLASS_XREGISTRY_LOCATION", dir.file("XRegistry").c_str());
    XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
    const XStr fallback = VAWebServer::defaultScheme() + "://" + VAWebServer::defaultHost();
    EXPECT_EQ(VAWebServer::url("/a"), fallback + "/a");
    struct Row {
        const char* host;
        const char* scheme;
        const char* url;
    };
    for (const Row& row : {Row{"127.0.0.1:8080", "HTTP", "http://127.0.0.1:8080/a"},
                           Row{" mirror.example ", "https", "https://mirror.example/a"}}) {
        XRegistry::SetString(VAWebServer::kHostSetting, row.host);
        XRegistry::SetString(VAWebServer::kSchemeSetting, row.scheme);
        EXPECT_EQ(VAWebServer::url("/a"), row.url) << row.host;
    }
    // Another scheme than ours, or no host, falls back to what the build says.
    XRegistry::SetString(VAWebServer::kSchemeSetting, "ftp");
    XRegistry::SetString(VAWebServer::kHostSetting, "mirror.example");
    EXPECT_EQ(VAWebServer::url("/a"), VAWebServer::defaultScheme() + "://mirror.example/a");
    XRegistry::SetString(VAWebServer::kHostSetting, "");
    XRegistry::SetString(VAWebServer::kSchemeSetting, "http");
    EXPECT_EQ(VAWebServer::url("/a"), "http://" + VAWebServer::defaultHost() + "/a");

    // A test run's stand-in replaces the compiled-in host, never a host the store names.
    {
        ScopedEnv loopback(VAWebServer::kHostVariable, "127.0.0.1:9");
        EXPECT_EQ(VAWebServer::url("/a"), "http://127.0.0.1:9/a");
        XRegistry::SetString(VAWebServer::kHostSetting, "mirror.example");
        EXPECT_EQ(VAWebServer::url("/a"), "http://mirror.example/a");
        XRegistry::SetString(VAWebServer::kHostSetting, "");
    }
    {
        ScopedEnv empty(VAWebServer::kHostVariable, "");
        EXPECT_NE(VAWebServer::defaultHost(), "");
    }
}

}  // namespace
