#include "VMCPanelHost.h"

#include <gtest/gtest.h>

#include <memory>

#include "ShellTestSupport.h"
#include "VMCLauncher.h"
#include "VMCPreConvertDialog.h"

namespace {

// The window as the host sees it: what it was asked to do, in order.
struct RecordingView : VMCPanelHostView {
    std::vector<std::shared_ptr<VMCPanel>> shown;
    XStr title;
    VMCPanelSize size;
    bool resizable = true;
    int closes = 0;
    int fileDialogs = 0;

    void showPanel(const std::shared_ptr<VMCPanel>& panel) override { shown.push_back(panel); }
    void setWindowTitle(const XStr& t) override { title = t; }
    void setWindowSize(VMCPanelSize s, VMCPanelSize /*minimum*/, bool r) override {
        size = s;
        resizable = r;
    }
    void closeWindow() override { ++closes; }
    void runOpenFileDialog() override { ++fileDialogs; }
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
                                               {"Join Files", "several clips into one video"}}));

    launcher->openEntry("Batch Converter");
    EXPECT_EQ(window.view.fileDialogs, 0) << "no such entry yet";
    launcher->openEntry("Video Converter");
    EXPECT_EQ(window.view.fileDialogs, 1);
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

}  // namespace
