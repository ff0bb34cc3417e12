// The update check: the record of this application in the maker's version list, and the
// one fetch in ten minutes, against a server on the loopback interface and a clock of the
// test's own.
#include "VAVersionInfoGlobals.h"

#include <gtest/gtest.h>

#include <atomic>

#include "LoopbackServer.h"
#include "LoopbackWebServer.h"
#include "TestSupport.h"
#include "VAWebServer.h"
#include "XRegistry.h"

namespace {

struct RecordRow {
    const char* what;
    std::string list;
    const char* name;
    std::optional<VAVersionInfo> found;
};

TEST(VersionList, TheFirstRecordOfTheNameInAnyCase) {
    const RecordRow rows[] = {
        {"second record",
         "Other App\n1.0\nhttp://o\nVantaro Video Converter Linux\n2.0\nhttp://v\n",
         "Vantaro Video Converter Linux", VAVersionInfo{"http://v", "2.0"}},
        {"case differs", "VANTARO video converter LINUX\r\n0.9\r\nhttps://d/x\r\n",
         "Vantaro Video Converter Linux", VAVersionInfo{"https://d/x", "0.9"}},
        {"line ends of every kind, no last one", "a\rb\r\nc\nX\r1\r\nhttp://x", "x",
         VAVersionInfo{"http://x", "1"}},
        {"the first of two", "x\n1\nu1\nx\n2\nu2\n", "X", VAVersionInfo{"u1", "1"}},
        {"a name that is a version line does not count", "a\nx\nu\nx\n3\nu3\n", "x",
         VAVersionInfo{"u3", "3"}},
        {"ends in the middle of a record", "Other\n1\nu\nx\n2\n", "x", std::nullopt},
        {"not listed", "Other\n1\nu\n", "x", std::nullopt},
        {"empty", "", "x", std::nullopt},
        {"other letters are not folded", "\xC3\x89x\n1\nu\n", "\xC3\xA9x", std::nullopt},
    };
    for (const RecordRow& row : rows) {
        EXPECT_EQ(VAVersionInfoGlobals::findRecord(row.list, row.name), row.found) << row.what;
    }
}

class VersionCheck : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        useLoopbackWebServer(mServer);
    }
    std::vector<std::string> targets() const {
        std::vector<std::string> all;
        for (const std::string& head : mServer.requestHeads()) {
            all.push_back(LoopbackServer::targetOf(head));
        }
        return all;
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    // "/beta/..." answers while beta is on; the plain list while plain is on.
    std::atomic<bool> mBeta{true};
    std::atomic<bool> mPlain{true};
    LoopbackServer mServer{[this](LoopbackServer::Connection& c) {
        const std::string target = LoopbackServer::targetOf(c.readRequestHead());
        if (target == "/beta/prog_versions.txt" && mBeta) {
            c.write(
                LoopbackServer::response(200, "vantaro video converter linux\n2.0b\nhttp://b\n"));
        } else if (target == "/prog_versions.txt" && mPlain) {
            c.write(
                LoopbackServer::response(200, "Vantaro Video Converter Linux\n1.9\nhttp://p\n"));
        } else {
            c.write(LoopbackServer::response(404, ""));
        }
    }};
    uint32_t mNow = 0xFFFFF000;  // the clock wraps during the test
    VAVersionInfoGlobals mVersions{VAVersionInfoGlobals::kAppUpdateCheckName,
                                   [this] { return mNow; }};
};

TEST_F(VersionCheck, OneRequestInTenMinutes) {
    EXPECT_EQ(mVersions.getVersionInfo(), (VAVersionInfo{"http://b", "2.0b"}));
    mNow += VAVersionInfoGlobals::kRecheckMs - 1;
    EXPECT_EQ(mVersions.getVersionInfo(), (VAVersionInfo{"http://b", "2.0b"}));
    EXPECT_EQ(targets(), std::vector<std::string>{"/beta/prog_versions.txt"});
    mNow += 1;
    mBeta = false;
    EXPECT_EQ(mVersions.getVersionInfo(), (VAVersionInfo{"http://p", "1.9"}));
    EXPECT_EQ(targets(),
              (std::vector<std::string>{"/beta/prog_versions.txt", "/beta/prog_versions.txt",
                                        "/prog_versions.txt"}));
}

TEST_F(VersionCheck, AFailedRequestIsTriedAgainAtTheNextCall) {
    mBeta = false;
    mPlain = false;
    EXPECT_EQ(mVersions.getVersionInfo(), std::nullopt);
    EXPECT_EQ(mServer.accepted(), 2);
    mPlain = true;
    EXPECT_EQ(mVersions.getVersionInfo(), (VAVersionInfo{"http://p", "1.9"}));
    EXPECT_EQ(mServer.accepted(), 4);
}

TEST_F(VersionCheck, NoRequestWithoutInternetAndNoneCancelled) {
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoInternet, 1);
    EXPECT_EQ(mVersions.getVersionInfo(), std::nullopt);
    EXPECT_EQ(mServer.accepted(), 0);
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoInternet, 0);
    const std::shared_ptr<KillSwitch> cancel = KillSwitch::create();
    cancel->kill();
    EXPECT_EQ(mVersions.getVersionInfo(cancel), std::nullopt);
    EXPECT_EQ(mServer.accepted(), 0);
    // A cancelled fetch leaves nothing behind: the next call asks.
    EXPECT_EQ(mVersions.getVersionInfo(), (VAVersionInfo{"http://b", "2.0b"}));
    EXPECT_EQ(mServer.accepted(), 1);
}

}  // namespace
