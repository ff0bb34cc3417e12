// The launcher's update link, through a recording view: shown for any other version than
// ours, opening the page it names, and never shown without an answer or when checks are off.
#include "VMCUpdateLink.h"

#include <gtest/gtest.h>

#include <atomic>

#include "LoopbackServer.h"
#include "LoopbackWebServer.h"
#include "TestSupport.h"
#include "VAWebServer.h"
#include "XRegistry.h"
#include "XRunLoop.h"

namespace {

class RecordingView : public VMCUpdateLinkView {
public:
    void showUpdateLink(const XStr& text) override { events.push_back("link " + text.utf8()); }
    void openURL(const XStr& url) override { events.push_back("open " + url.utf8()); }
    std::vector<std::string> events;
};

class UpdateLink : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        useLoopbackWebServer(mServer);
        XMainThread::setPoster(mLoop);
    }
    void TearDown() override { XMainThread::setPoster(nullptr); }
    // Empty: the list is missing.
    void serve(const std::string& version) {
        std::lock_guard<std::mutex> lock(mMutex);
        mList = version.empty() ? ""
                                : "Vantaro Video Converter Linux\n" + version +
                                      "\nhttps://example.invalid/get\n";
    }
    // Runs the check to its end: the link's thread is joined when it goes.
    std::vector<std::string> check(const std::string& ours) {
        mView.events.clear();
        VAVersionInfoGlobals versions(VAVersionInfoGlobals::kAppUpdateCheckName);
        {
            const std::shared_ptr<VMCUpdateLink> link =
                VMCUpdateLink::create(mView, XStr(ours), &versions);
            link->launcherDidLoad();
            // Generous: the wait ends as soon as the check has.
            EXPECT_TRUE(mLoop->runUntil([&] { return !link->checking(); }, 120000));
            mLoop->runPending();
            link->appUpdateLinkClick();
        }
        return mView.events;
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    std::mutex mMutex;
    std::string mList;
    LoopbackServer mServer{[this](LoopbackServer::Connection& c) {
        c.readRequestHead();
        std::lock_guard<std::mutex> lock(mMutex);
        c.write(mList.empty() ? LoopbackServer::response(404, "")
                              : LoopbackServer::response(200, mList));
    }};
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    RecordingView mView;
};

TEST_F(UpdateLink, ShownForAnyOtherVersionAndOpensItsPage) {
    serve("2.0");
    EXPECT_EQ(check("1.0"),
              (std::vector<std::string>{"link update to 2.0", "open https://example.invalid/get"}));
    // Older than ours: still another version.
    serve("0.9");
    EXPECT_EQ(check("1.0"),
              (std::vector<std::string>{"link update to 0.9", "open https://example.invalid/get"}));
}

TEST_F(UpdateLink, NotShownForOurVersionWithoutAnswerOrWithChecksOff) {
    serve("1.0");
    EXPECT_EQ(check("1.0"), std::vector<std::string>{});
    EXPECT_EQ(mServer.accepted(), 1);
    serve("");
    EXPECT_EQ(check("1.0"), std::vector<std::string>{});
    serve("2.0");
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1);
    const int before = mServer.accepted();
    EXPECT_EQ(check("1.0"), std::vector<std::string>{});
    EXPECT_EQ(mServer.accepted(), before);
}

TEST_F(UpdateLink, ALauncherClosedDuringTheCheckHearsNothing) {
    LoopbackServer stalling([](LoopbackServer::Connection& c) {
        c.readRequestHead();
        c.stall();
    });
    XRegistry::SetString(VAWebServer::kHostSetting,
                         XStr("127.0.0.1:" + std::to_string(stalling.port())));
    VAVersionInfoGlobals versions(VAVersionInfoGlobals::kAppUpdateCheckName);
    {
        const std::shared_ptr<VMCUpdateLink> link = VMCUpdateLink::create(mView, "1.0", &versions);
        link->launcherDidLoad();
    }
    mLoop->runPending();
    EXPECT_EQ(mView.events, std::vector<std::string>{});
}

}  // namespace
