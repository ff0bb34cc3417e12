// The FFmpeg configuration panel's logic, driven as a user would through a recording view:
// its options, the texts of the FFmpeg in use, the download from a server on the loopback
// interface (with its fallback, failure and cancel), the chooser, and reverting.
#include "VVCConfigFFmpeg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "LoopbackServer.h"
#include "LoopbackWebServer.h"
#include "MediaSupport.h"
#include "StalledRequest.h"
#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VALocateFFmpeg.h"
#include "VAWebServer.h"
#include "XFindProgram.h"
#include "XRegistry.h"
#include "XRunLoop.h"

namespace {

using Option = VVCConfigFFmpegView::Option;

class RecordingView : public VVCConfigFFmpegView {
public:
    void showOption(Option option) override {
        const char* names[] = {"internal", "auto", "custom"};
        events.push_back(std::string("option ") + names[static_cast<int>(option)]);
    }
    void showTexts(const XStr& version, const XStr& licence, const XStr& codecs) override {
        events.push_back("texts " + version.utf8() + "|" + licence.utf8() + "|" + codecs.utf8());
    }
    void openDownloadSheet() override { events.push_back("sheet"); }
    void showDownloadProgress(int64_t received, int64_t total) override {
        ++progressReports;
        lastProgress = {received, total};
    }
    void closeDownloadSheet() override { events.push_back("sheet closed"); }
    void openChooser() override { events.push_back("chooser"); }
    void showAlert(const XStr& text) override { events.push_back("alert " + text.utf8()); }

    std::vector<std::string> events;
    int progressReports = 0;
    std::pair<int64_t, int64_t> lastProgress;
};

// An FFmpeg that names itself in each of its three texts.
std::string fakeFFmpeg(const std::string& name) {
    return "#!/bin/sh\ncase \"$1\" in\n"
           "  -version) echo 'ffmpeg version " +
           name +
           "' ;;\n"
           "  -L) echo 'licence " +
           name +
           "' ;;\n"
           "  -codecs) echo 'codecs " +
           name + "' ;;\nesac\n";
}

std::string texts(const std::string& name) {
    return "texts ffmpeg version " + name + "\n|licence " + name + "\n|codecs " + name + "\n";
}

const std::string kWait = "texts [please wait]|[please wait]|[please wait]";

class ConfigFFmpeg : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"bin", "data", "tmp", "pack", "pack/bin"}) {
            ASSERT_EQ(mkdir(mDir.file(folder).c_str(), 0700), 0);
        }
        writeExecutable(mDir.file("bin/ffmpeg"), fakeFFmpeg("internal"));
        writeExecutable(mDir.file("pack/bin/ffmpeg"), fakeFFmpeg("downloaded"));
        ASSERT_EQ(runProgram({XFindProgram("tar").utf8(), "-C", mDir.file("pack"), "-cjf",
                              mDir.file("build.tar.bz2"), "bin"}),
                  0);
        mArchive = readTextFile(mDir.file("build.tar.bz2"));
        VAAppDataFolder::registerAppName("VantaroVideo");
        ASSERT_TRUE(VAAppDataFolder::ensureExists());
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        VALocateFFmpeg::resetCachesForTesting();
        XMainThread::setPoster(mLoop);
        mPanel = VVCConfigFFmpeg::create(mView);
        mPanel->setChangeHandler([this] { ++mChanges; });
    }
    void TearDown() override {
        mPanel.reset();
        XMainThread::setPoster(nullptr);
        VALocateFFmpeg::resetCachesForTesting();
        VAAppDataFolder::registerAppName("");
    }
    // Runs the main thread's work until the view shows the event (generous: a loaded
    // machine is slow, and the wait ends as soon as it is there).
    bool runUntilShown(const std::string& event) {
        return mLoop->runUntil(
            [&] {
                return std::find(mView.events.begin(), mView.events.end(), event) !=
                       mView.events.end();
            },
            120000);
    }
    std::string primaryPath() const {
        return "/install/ffmpeg-linux-" + VVCDownloadFFmpeg::processorName().utf8() +
               "-vavideo.tar.bz2";
    }

    TestTempDir mDir;
    ScopedEnv mPath{"PATH", (mDir.file("bin") + ":" + std::getenv("PATH")).c_str()};
    ScopedEnv mOverride{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("data/XRegistry").c_str()};
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    RecordingView mView;
    std::shared_ptr<VVCConfigFFmpeg> mPanel;
    int mChanges = 0;
    std::string mArchive;
};

TEST_F(ConfigFFmpeg, TheOptionFollowsTheFilesOfTheDataFolder) {
    const std::string external = VALocateFFmpeg::pathToExternalFFmpeg().utf8();
    struct Row {
        bool file;
        bool marker;
        Option option;
    };
    for (const Row& row :
         {Row{false, false, Option::kInternal}, Row{false, true, Option::kInternal},
          Row{true, true, Option::kAuto}, Row{true, false, Option::kCustom}}) {
        VALocateFFmpeg::revertToInternal();
        if (row.file) {
            writeExecutable(external, fakeFFmpeg("external"));
        }
        if (row.marker) {
            writeTextFile(external + ".auto", "");
        }
        EXPECT_EQ(VVCConfigFFmpeg::currentOption(), row.option) << row.file << row.marker;
    }
}

TEST_F(ConfigFFmpeg, ShowsWhatTheFFmpegInUseSaysAndDropsOlderRefreshes) {
    mPanel->panelDidLoad();
    mPanel->refresh();
    ASSERT_TRUE(runUntilShown(texts("internal")));
    mLoop->runPending();
    EXPECT_EQ(mView.events,
              (std::vector<std::string>{"option internal", kWait, kWait, texts("internal")}));
}

TEST_F(ConfigFFmpeg, DownloadsInstallsAndRevertsToTheInternalOne) {
    LoopbackServer server([&](LoopbackServer::Connection& c) {
        const std::string head = c.readRequestHead();
        c.write(LoopbackServer::targetOf(head) == primaryPath()
                    ? LoopbackServer::response(200, mArchive)
                    : LoopbackServer::response(404, "no"));
    });
    useLoopbackWebServer(server);
    mPanel->panelDidLoad();
    ASSERT_TRUE(runUntilShown(texts("internal")));
    mPanel->autoInstall();
    EXPECT_TRUE(mPanel->openInProgress());
    // While the sheet is open the other actions wait.
    mPanel->autoInstall();
    mPanel->useExternal();
    ASSERT_TRUE(runUntilShown(texts("downloaded")));
    mLoop->runPending();
    EXPECT_EQ(mView.events, (std::vector<std::string>{"option internal", kWait, texts("internal"),
                                                      "sheet", "sheet closed", "option auto", kWait,
                                                      texts("downloaded")}));
    EXPECT_FALSE(mPanel->openInProgress());
    EXPECT_EQ(server.accepted(), 1);
    EXPECT_GE(mView.progressReports, 1);
    EXPECT_EQ(mView.lastProgress, std::make_pair(static_cast<int64_t>(mArchive.size()),
                                                 static_cast<int64_t>(mArchive.size())));
    EXPECT_EQ(mChanges, 1);
    EXPECT_TRUE(VALocateFFmpeg::isAutoInstalled());
    // The downloaded archive and the unpacked tree are gone.
    EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{});

    mView.events.clear();
    mPanel->useInternal();
    ASSERT_TRUE(runUntilShown(texts("internal")));
    EXPECT_EQ(mView.events,
              (std::vector<std::string>{"option internal", kWait, texts("internal")}));
    EXPECT_FALSE(VALocateFFmpeg::haveExternalFFmpeg());
    EXPECT_FALSE(VALocateFFmpeg::isAutoInstalled());
    EXPECT_EQ(mChanges, 2);
}

TEST_F(ConfigFFmpeg, TheGenericBuildWhenTheMachinesIsMissingElseTheAlert) {
    for (const bool generic : {true, false}) {
        SCOPED_TRACE(generic);
        VALocateFFmpeg::revertToInternal();
        mView.events.clear();
        LoopbackServer server([&](LoopbackServer::Connection& c) {
            const std::string head = c.readRequestHead();
            c.write(generic && LoopbackServer::targetOf(head) == "/install/ffmpeg-linux.tar.bz2"
                        ? LoopbackServer::response(200, mArchive)
                        : LoopbackServer::response(404, "no"));
        });
        useLoopbackWebServer(server);
        mPanel->autoInstall();
        ASSERT_TRUE(runUntilShown("sheet closed"));
        mLoop->runPending();
        std::vector<std::string> targets;
        for (const std::string& head : server.requestHeads()) {
            targets.push_back(LoopbackServer::targetOf(head));
        }
        EXPECT_EQ(targets,
                  (std::vector<std::string>{primaryPath(), "/install/ffmpeg-linux.tar.bz2"}));
        if (generic) {
            EXPECT_EQ(VVCConfigFFmpeg::currentOption(), Option::kAuto);
            EXPECT_TRUE(runUntilShown(texts("downloaded")));
        } else {
            EXPECT_EQ(mView.events, (std::vector<std::string>{
                                        "sheet", "sheet closed", "option internal",
                                        std::string("alert ") + VVCConfigFFmpeg::kDownloadFailed}));
            EXPECT_FALSE(VALocateFFmpeg::haveExternalFFmpeg());
        }
        EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{});
    }
}

TEST_F(ConfigFFmpeg, CancelEndsTheSheetAtOnceAndTheWorkerReportsNothing) {
    StalledRequest stalled;
    LoopbackServer server(stalled.handler());
    useLoopbackWebServer(server);
    mPanel->autoInstall();
    stalled.waitUntilArrived();
    mPanel->cancelDownload();
    EXPECT_EQ(mView.events,
              (std::vector<std::string>{"sheet", "sheet closed", "option internal",
                                        std::string("alert ") + VVCConfigFFmpeg::kDownloadFailed}));
    EXPECT_FALSE(mPanel->openInProgress());
    mLoop->runPending();
    EXPECT_EQ(mView.events.size(), 4u);
    EXPECT_EQ(server.accepted(), 1);
    EXPECT_FALSE(VALocateFFmpeg::haveExternalFFmpeg());
    EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{});
}

TEST_F(ConfigFFmpeg, APanelClosedDuringADownloadHearsNothing) {
    LoopbackServer server([&](LoopbackServer::Connection& c) {
        c.readRequestHead();
        c.stall();
    });
    useLoopbackWebServer(server);
    mPanel->autoInstall();
    mPanel.reset();
    mLoop->runPending();
    EXPECT_EQ(mView.events, std::vector<std::string>{"sheet"});
}

TEST_F(ConfigFFmpeg, TheChooserInstallsAFileNamedFFmpeg) {
    mkdir(mDir.file("chosen").c_str(), 0700);
    writeExecutable(mDir.file("chosen/ffmpeg"), fakeFFmpeg("chosen"));
    writeExecutable(mDir.file("chosen/ffmpeg.sh"), fakeFFmpeg("chosen"));
    writeTextFile(VALocateFFmpeg::pathToExternalFFmpeg().utf8() + ".auto", "");
    mPanel->useExternal();
    mPanel->useExternal();
    mPanel->chooserEnded("");
    EXPECT_EQ(mView.events, (std::vector<std::string>{"chooser", "option internal"}));
    mPanel->useExternal();
    mPanel->chooserEnded(mDir.xfile("chosen/ffmpeg"));
    ASSERT_TRUE(runUntilShown(texts("chosen")));
    EXPECT_EQ(VVCConfigFFmpeg::currentOption(), Option::kCustom);
    EXPECT_EQ(mChanges, 1);
    // A file the install refuses: the alert says why, the installed one stays.
    mView.events.clear();
    mPanel->useExternal();
    mPanel->chooserEnded(mDir.xfile("chosen/ffmpeg.sh"));
    ASSERT_EQ(mView.events.size(), 4u);
    EXPECT_EQ(mView.events[3],
              std::string("alert ") + VVCConfigFFmpeg::kInstallFailed +
                  "\n\n'ffmpeg.sh' is neither a file named 'ffmpeg' nor a .tar.gz or .tar.bz2 "
                  "archive");
    EXPECT_EQ(VVCConfigFFmpeg::currentOption(), Option::kCustom);

    struct Entry {
        const char* path;
        bool folder;
        bool accepted;
    };
    for (const Entry& e : {Entry{"/x/ffmpeg", false, true}, Entry{"/x/ffmpeg", true, true},
                           Entry{"/x/FFmpeg", false, false}, Entry{"/x/ffmpeg.exe", false, false},
                           Entry{"/x/bin", true, true}, Entry{"/x/ffmpeg.tar.bz2", false, false}}) {
        EXPECT_EQ(VVCConfigFFmpeg::chooserAccepts(e.path, e.folder), e.accepted) << e.path;
    }
}

}  // namespace
