#include "VMCPanelHost.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "ShellTestSupport.h"
#include "VMCBatchConvertPanel.h"
#include "VMCLauncher.h"
#include "VMCPreConvertDialog.h"
#include "XRunLoop.h"

namespace {

// The window as the host sees it: what it was asked to do, in order.
struct RecordingView : VMCPanelHostView {
    std::vector<std::shared_ptr<VMCPanel>> shown;
    XStr title;
    VMCPanelSize size;
    bool resizable = true;
    int closes = 0;
    int fileDialogs = 0;
    XStrList sourcesErrors;

    void showPanel(const std::shared_ptr<VMCPanel>& panel) override { shown.push_back(panel); }
    void setWindowTitle(const XStr& t) override { title = t; }
    void setWindowSize(VMCPanelSize s, VMCPanelSize /*minimum*/, bool r) override {
        size = s;
        resizable = r;
    }
    void closeWindow() override { ++closes; }
    void runOpenFileDialog() override { ++fileDialogs; }
    void showSourcesError(const XStr& message) override { sourcesErrors.push_back(message); }
};

// A panel that counts how often it was told it closes.
struct CountingPanel : VMCPanel {
    XStr sizeClass;
    bool canResize = true;
    int closings = 0;

    explicit CountingPanel(XStr sizeClassName, bool resizable = true)
        : sizeClass(std::move(sizeClassName)), canResize(resizable) {}
    XStr panelName() const override { return "Counting"; }
    XStr panelSizeClass() const override { return sizeClass; }
    VMCPanelSize minimumSize() const override { return {300, 200}; }
    VMCPanelSize preferredSize() const override { return {500, 400}; }
    bool resizable() const override { return canResize; }
    void panelWillClose() override { ++closings; }
};

// The road into the setup panel, which reads and writes the settings store.
class VMCPanelHostSetup : public ShellTest {};

struct Window {
    RecordingView view;
    std::unique_ptr<VMCPanelHost> host = VMCPanelHost::newLauncher();
    Window() { host->setView(&view); }
    ~Window() { host->setView(nullptr); }
};

TEST(VMCPanelHost, ANewWindowShowsTheLauncher) {
    Window window;
    auto* launcher = dynamic_cast<VMCLauncher*>(window.host->currentPanel().get());
    ASSERT_NE(launcher, nullptr);
    EXPECT_EQ(window.host->rootPanel(), window.host->currentPanel());
    ASSERT_EQ(window.view.shown.size(), 1u);
    EXPECT_EQ(window.view.shown[0], window.host->currentPanel());
    EXPECT_EQ(window.view.title, XStr("Vantaro Video Converter"));
    EXPECT_FALSE(window.view.resizable);
    EXPECT_EQ(launcher->entries(),
              (std::vector<VMCLauncher::Entry>{{"Video Converter", "video conversion"},
                                               {"Batch Converter", "mass file conversion"},
                                               {"Join Files", "several clips into one video"}}));

    launcher->openEntry("Batch Converters");
    EXPECT_EQ(window.view.shown.size(), 1u) << "an unknown entry does nothing";
    launcher->openEntry("Video Converter");
    EXPECT_EQ(window.view.fileDialogs, 1);
    launcher->openEntry("Batch Converter");
    EXPECT_EQ(window.view.fileDialogs, 1);
    ASSERT_NE(dynamic_cast<VMCBatchConvertPanel*>(window.host->currentPanel().get()), nullptr);
    EXPECT_EQ(window.view.title, XStr("Batch Converter"));
}

TEST_F(VMCPanelHostSetup, ChosenFilesLeadToTheConverterAndBack) {
    Window window;
    window.host->sourceFilesChosen({});
    EXPECT_EQ(window.view.shown.size(), 1u) << "a cancelled chooser changes nothing";

    window.host->sourceFilesChosen({"/clips/a.mp4", "", "/clips/b\nc.mov"});
    auto* setup = dynamic_cast<VMCPreConvertDialog*>(window.host->currentPanel().get());
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(window.view.title, XStr("Video Converter"));
    EXPECT_EQ(window.view.size, setup->preferredSize());
    EXPECT_EQ(setup->panelSizeClass(), XStr("Converter Setup"));
    ASSERT_EQ(window.host->sources().size(), 2u) << "empty paths are dropped";
    ASSERT_EQ(window.host->entries().size(), 2u);
    EXPECT_EQ(window.host->entries()[1].namingURL(), XStr("/clips/b\nc.mov"));
    EXPECT_EQ(setup->fileCountText(), XStr("2 files"));
    EXPECT_EQ(&setup->config(), window.host->sharedConfig().get())
        << "the panel edits the host's configuration";

    setup->onButtonCancel();
    EXPECT_EQ(window.host->currentPanel(), window.host->rootPanel());
    EXPECT_EQ(window.view.title, XStr("Vantaro Video Converter"));
    EXPECT_EQ(window.view.closes, 0);
}

// Cancelling returns to the panel that started the road, or closes a window that had none;
// the end of a road closes a window that files from outside opened.
TEST_F(VMCPanelHostSetup, CancelAndTheEndOfARoad) {
    struct Row {
        bool withInvoker;
        bool suppressReturn;
        int closesAfterCancel;
        int closesAfterEnd;
    };
    for (const Row& row : {Row{true, false, 0, 0}, Row{false, false, 1, 0}, Row{false, true, 1, 1},
                           Row{true, true, 0, 1}}) {
        SCOPED_TRACE(testing::Message() << row.withInvoker << row.suppressReturn);
        Window window;
        window.host->suppressReturnToLauncher = row.suppressReturn;
        const auto invoker = std::make_shared<CountingPanel>("Other");
        window.host->showPanel(invoker);
        window.host->preConvertFrom({XStr("/a.mp4")}, row.withInvoker ? invoker : nullptr);
        window.host->cancelPreConvert();
        EXPECT_EQ(window.view.closes, row.closesAfterCancel);
        if (row.withInvoker) {
            EXPECT_EQ(window.host->currentPanel(), invoker);
        }
        Window other;
        other.host->suppressReturnToLauncher = row.suppressReturn;
        other.host->showPanel(std::make_shared<CountingPanel>("Progress"));
        other.host->returnToRootOrClose();
        EXPECT_EQ(other.view.closes, row.closesAfterEnd);
        if (row.closesAfterEnd == 0) {
            EXPECT_EQ(other.host->currentPanel(), other.host->rootPanel());
        }
    }
}

TEST(VMCPanelHost, APanelIsToldOnceWhenItsWindowMovesOnOrCloses) {
    Window window;
    const auto first = std::make_shared<CountingPanel>("A");
    const auto second = std::make_shared<CountingPanel>("B");
    window.host->showPanel(first);
    window.host->showPanel(first);
    EXPECT_EQ(first->closings, 0) << "showing the panel shown is no change";
    window.host->showPanel(second);
    EXPECT_EQ(first->closings, 1);
    window.host->closeWindow();
    window.host->windowWillClose();
    EXPECT_EQ(second->closings, 1);
    EXPECT_EQ(window.view.closes, 1);
    window.host->showPanel(first);
    EXPECT_EQ(window.host->currentPanel(), second) << "a closed window shows nothing new";
}

// The size the user gives a resizable panel comes back for every panel of its size class,
// never below the panel's minimum; fixed panels keep their own size.
TEST(VMCPanelHost, WindowSizesAreKeptPerSizeClass) {
    Window window;
    const auto setup = std::make_shared<CountingPanel>("Converter Setup");
    const auto sameClass = std::make_shared<CountingPanel>("Converter Setup");
    const auto progress = std::make_shared<CountingPanel>("Progress");
    const auto fixed = std::make_shared<CountingPanel>("Fixed", false);

    window.host->showPanel(setup);
    EXPECT_EQ(window.view.size, (VMCPanelSize{500, 400})) << "the preferred size at first";
    window.host->windowResized({900, 700});
    window.host->showPanel(progress);
    EXPECT_EQ(window.view.size, (VMCPanelSize{500, 400}));
    window.host->windowResized({100, 100});
    window.host->showPanel(sameClass);
    EXPECT_EQ(window.view.size, (VMCPanelSize{900, 700}));
    window.host->showPanel(progress);
    EXPECT_EQ(window.view.size, (VMCPanelSize{300, 200})) << "raised to the minimum";
    window.host->showPanel(fixed);
    window.host->windowResized({1000, 1000});
    EXPECT_EQ(window.host->sizeFor(*fixed), (VMCPanelSize{500, 400}));
}

// New sources are taken on the launcher and on the setup panel, and refused once the road
// is past the setup (a check, a sheet, a running conversion, its log) until it ends.
TEST_F(VMCPanelHostSetup, SourcesAreTakenOnlyWhereTheRoadStarts) {
    Window window;
    EXPECT_TRUE(window.host->acceptsSources()) << "the launcher";
    window.host->sourceFilesChosen({"/m/a.mp4"});
    const std::shared_ptr<VMCPanel> setup = window.host->currentPanel();
    EXPECT_TRUE(window.host->acceptsSources()) << "the setup panel";
    window.host->startOpenFileDialog();
    EXPECT_EQ(window.view.fileDialogs, 1);

    const auto progress = std::make_shared<CountingPanel>("Progress");
    window.host->showPanel(progress);
    EXPECT_FALSE(window.host->acceptsSources());
    window.host->startOpenFileDialog();
    EXPECT_EQ(window.view.fileDialogs, 1) << "no chooser while converting";
    EXPECT_FALSE(window.host->sourcesDropped({"/m/b.mp4"}));
    EXPECT_FALSE(window.host->collectingSources());
    window.host->sourceFilesChosen({"/m/b.mp4"});
    EXPECT_EQ(window.host->currentPanel(), progress);
    ASSERT_EQ(window.host->sources().size(), 1u);
    EXPECT_EQ(window.host->sources()[0]->urlForConversion, XStr("/m/a.mp4"));

    window.host->showPanel(setup);
    EXPECT_TRUE(window.host->acceptsSources()) << "back in the setup";
    window.host->returnToRootOrClose();
    EXPECT_TRUE(window.host->acceptsSources()) << "the road ended";
}

class VMCPanelHostDrop : public ShellTest {
protected:
    void SetUp() override {
        XMainThread::setPoster(mLoop);
        ASSERT_EQ(mkdir(mDir.file("in").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("empty").c_str(), 0755), 0);
        for (const char* name : {"in/b.mov", "in/a\xff.mp4", "in/.hidden", "one.mkv"}) {
            writeTextFile(mDir.file(name), "");
        }
    }
    void TearDown() override { XMainThread::setPoster(nullptr); }

    // Runs the main loop until the drop has been read.
    bool settle(const VMCPanelHost& host) {
        return mLoop->runUntil([&host] { return !host.collectingSources(); }, 10000);
    }
    static std::vector<std::string> sourcePaths(const VMCPanelHost& host) {
        std::vector<std::string> paths;
        for (const auto& source : host.sources()) {
            paths.push_back(source->urlForConversion.utf8());
        }
        return paths;
    }

    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
};

// Dropped files stay as they are, folders give their files, names that are not UTF-8 keep
// their bytes; what cannot be used is told, and the rest still arrives.
TEST_F(VMCPanelHostDrop, FilesAndFoldersReachTheConverter) {
    Window window;
    const std::string d = mDir.path();
    ASSERT_TRUE(window.host->sourcesDropped(
        {mDir.xfile("one.mkv"), mDir.xfile("in"), mDir.xfile("gone.mp4")}));
    EXPECT_TRUE(window.host->collectingSources());
    ASSERT_TRUE(settle(*window.host));
    ASSERT_NE(dynamic_cast<VMCPreConvertDialog*>(window.host->currentPanel().get()), nullptr);
    EXPECT_EQ(sourcePaths(*window.host),
              (std::vector<std::string>{d + "/one.mkv", d + "/in/a\xff.mp4", d + "/in/b.mov"}));
    EXPECT_EQ(window.view.sourcesErrors,
              XStrList{XStr("Some of what was dropped cannot be converted:\nNo such file: '" + d +
                            "/gone.mp4'")});

    // A second drop on the setup replaces the sources; Cancel still leads to the launcher.
    ASSERT_TRUE(window.host->sourcesDropped({mDir.xfile("in/b.mov")}));
    ASSERT_TRUE(settle(*window.host));
    EXPECT_EQ(sourcePaths(*window.host), (std::vector<std::string>{d + "/in/b.mov"}));
    EXPECT_EQ(window.view.sourcesErrors.size(), 1u);
    window.host->cancelPreConvert();
    EXPECT_EQ(window.host->currentPanel(), window.host->rootPanel());
    EXPECT_EQ(window.view.closes, 0);
}

TEST_F(VMCPanelHostDrop, ADropWithNothingToConvertSaysSo) {
    struct Row {
        XStrList dropped;
        XStrList errors;
    };
    const std::vector<Row> rows = {
        {{mDir.xfile("empty")}, {"There are no files to convert in what was dropped."}},
        {{mDir.xfile("none"), mDir.xfile("empty")},
         {XStr("Nothing that was dropped can be converted:\nNo such file: '" + mDir.file("none") +
               "'")}},
    };
    for (const Row& row : rows) {
        Window window;
        ASSERT_TRUE(window.host->sourcesDropped(row.dropped));
        ASSERT_TRUE(settle(*window.host));
        EXPECT_EQ(window.host->currentPanel(), window.host->rootPanel());
        EXPECT_TRUE(window.host->sources().empty());
        EXPECT_EQ(window.view.sourcesErrors, row.errors);
    }
}

// The road moved on while the folder was read: what was found is not taken.
TEST_F(VMCPanelHostDrop, ADropReadAfterTheSetupIsDoneIsLetGo) {
    Window window;
    ASSERT_TRUE(window.host->sourcesDropped({mDir.xfile("in"), mDir.xfile("gone")}));
    const auto progress = std::make_shared<CountingPanel>("Progress");
    window.host->showPanel(progress);
    ASSERT_TRUE(settle(*window.host));
    EXPECT_EQ(window.host->currentPanel(), progress);
    EXPECT_TRUE(window.host->sources().empty());
    EXPECT_TRUE(window.view.sourcesErrors.empty());
}

// A window for files from outside starts in the converter and closes when cancelled.
TEST_F(VMCPanelHostSetup, AWindowForFilesFromOutsideClosesAtTheEnd) {
    RecordingView view;
    std::unique_ptr<VMCPanelHost> host = VMCPanelHost::newForSources({"/m/a.mp4", "/m/b.mov"});
    host->setView(&view);
    EXPECT_TRUE(host->suppressReturnToLauncher);
    auto* setup = dynamic_cast<VMCPreConvertDialog*>(host->currentPanel().get());
    ASSERT_NE(setup, nullptr);
    ASSERT_EQ(view.shown.size(), 1u) << "the launcher is never shown";
    EXPECT_EQ(setup->fileCountText(), XStr("2 files"));
    EXPECT_TRUE(host->acceptsSources());
    setup->onButtonCancel();
    EXPECT_EQ(view.closes, 1);
    host->setView(nullptr);
}

}  // namespace
