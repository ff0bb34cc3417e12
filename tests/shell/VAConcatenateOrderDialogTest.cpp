// Joining files as a user does it: the launcher's entry, the chooser, the ordering panel
// with its moves, and the converter set up for one joined source; back the same way.
#include "VAConcatenateOrderDialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "ShellTestSupport.h"
#include "VAConvertSourceConcat.h"
#include "VMCLauncher.h"
#include "VMCPanelHost.h"
#include "VMCPreConvertDialog.h"

namespace {

struct RecordingView : VMCPanelHostView {
    std::vector<std::shared_ptr<VMCPanel>> shown;
    XStr title;
    int fileDialogs = 0;
    XStr fileDialogTitle;
    const VMCPanelHost* host = nullptr;

    void showPanel(const std::shared_ptr<VMCPanel>& panel) override { shown.push_back(panel); }
    void setWindowTitle(const XStr& t) override { title = t; }
    void setWindowSize(VMCPanelSize, VMCPanelSize, bool) override {}
    void closeWindow() override {}
    void runOpenFileDialog() override {
        ++fileDialogs;
        fileDialogTitle = host->openFileDialogTitle();
    }
    void showSourcesError(const XStr&) override {}
};

struct Counter : VAConcatenateOrderDialog::View {
    int changes = 0;
    void filesChanged() override { ++changes; }
};

class VAConcatenateOrderDialogTest : public ShellTest {
protected:
    VAConcatenateOrderDialogTest() {
        mView.host = mHost.get();
        mHost->setView(&mView);
    }
    ~VAConcatenateOrderDialogTest() override { mHost->setView(nullptr); }

    VAConcatenateOrderDialog* orderPanel() const {
        return dynamic_cast<VAConcatenateOrderDialog*>(mHost->currentPanel().get());
    }

    std::unique_ptr<VMCPanelHost> mHost = VMCPanelHost::newLauncher();
    RecordingView mView;
};

XStrList names(const VAConcatenateOrderDialog& panel) {
    XStrList out;
    for (std::size_t i = 0; i < panel.files().size(); ++i) {
        out.push_back(panel.fileName(i));
    }
    return out;
}

}  // namespace

TEST_F(VAConcatenateOrderDialogTest, TheLauncherJoinsChosenFilesInTheOrderGiven) {
    auto* launcher = dynamic_cast<VMCLauncher*>(mHost->currentPanel().get());
    ASSERT_NE(launcher, nullptr);
    launcher->openEntry("Join Files");
    EXPECT_EQ(mView.fileDialogs, 1);
    EXPECT_EQ(mView.fileDialogTitle, XStr("Choose Files to Join"));
    mHost->sourceFilesChosen({"/clips/a.mkv", "/clips/b.mkv", "/clips/c.mkv"});
    VAConcatenateOrderDialog* order = orderPanel();
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(mView.title, XStr("Join Files"));
    Counter counter;
    order->setView(&counter);

    // c to the front, then a one place down: c, b, a.
    EXPECT_TRUE(order->moveFile(2, 0));
    EXPECT_TRUE(order->moveFile(1, 2));
    EXPECT_EQ(names(*order), (XStrList{"c.mkv", "b.mkv", "a.mkv"}));
    EXPECT_EQ(counter.changes, 2);
    order->onProceed();
    order->setView(nullptr);

    auto* setup = dynamic_cast<VMCPreConvertDialog*>(mHost->currentPanel().get());
    ASSERT_NE(setup, nullptr);
    ASSERT_EQ(mHost->sources().size(), 1u) << "one joined source";
    const auto* joined = dynamic_cast<const VAConvertSourceConcat*>(mHost->sources()[0].get());
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->concatURLs(), (XStrList{"/clips/c.mkv", "/clips/b.mkv", "/clips/a.mkv"}));
    EXPECT_EQ(joined->urlPerceived, XStr("/clips/c.mkv")) << "outputs are named after the first";
    EXPECT_EQ(setup->fileCountText(), XStr("Concatenating"));
    EXPECT_TRUE(setup->convertEnabled());

    // Cancel leads back to the order, Back from there to the launcher.
    setup->onButtonCancel();
    ASSERT_EQ(mHost->currentPanel().get(), order);
    EXPECT_EQ(names(*order), (XStrList{"c.mkv", "b.mkv", "a.mkv"})) << "the order is kept";
    order->onBack();
    EXPECT_EQ(mHost->currentPanel(), mHost->rootPanel());

    // The converter's own entry asks for files to convert again.
    launcher->openEntry("Video Converter");
    EXPECT_EQ(mView.fileDialogTitle, XStr("Choose Files to Convert"));
    mHost->sourceFilesChosen({"/clips/a.mkv"});
    EXPECT_NE(dynamic_cast<VMCPreConvertDialog*>(mHost->currentPanel().get()), nullptr);
}

// Moves out of range change nothing; removing and adding keep the rest in place; Join
// waits for two files and says why.
TEST_F(VAConcatenateOrderDialogTest, TheOrderIsEditedAndJoinWaitsForTwoFiles) {
    const auto invoker = std::make_shared<VMCLauncher>(*mHost);
    mHost->beginConcatenate({"/clips/one.mkv"}, invoker);
    VAConcatenateOrderDialog* order = orderPanel();
    ASSERT_NE(order, nullptr);
    EXPECT_FALSE(order->proceedEnabled());
    EXPECT_EQ(order->statusText(), XStr("More than one file required for concatenation."));
    order->onProceed();
    EXPECT_EQ(mHost->currentPanel().get(), order) << "Join does nothing with one file";

    order->addFiles({"/other/two.mkv", "", "/clips/one.mkv"});
    EXPECT_EQ(names(*order), (XStrList{"one.mkv", "two.mkv", "one.mkv"}))
        << "empty paths are dropped, a file may be joined twice";
    EXPECT_TRUE(order->proceedEnabled());
    EXPECT_EQ(order->statusText(), XStr(VAConcatenateOrderDialog::kHint));
    EXPECT_EQ(order->folderName(1), XStr("/other"));

    struct Move {
        std::size_t from;
        std::size_t to;
        bool moved;
    };
    for (const Move& m : {Move{0, 0, false}, Move{3, 0, false}, Move{0, 3, false}, Move{0, 2, true},
                          Move{2, 1, true}}) {
        EXPECT_EQ(order->moveFile(m.from, m.to), m.moved) << m.from << " to " << m.to;
    }
    EXPECT_EQ(order->files(), (XStrList{"/other/two.mkv", "/clips/one.mkv", "/clips/one.mkv"}));
    EXPECT_FALSE(order->removeFile(3));
    EXPECT_TRUE(order->removeFile(0));
    EXPECT_EQ(order->files(), (XStrList{"/clips/one.mkv", "/clips/one.mkv"}));
    EXPECT_EQ(order->lengthText(0), XStr()) << "not probed: nothing is claimed";
    EXPECT_EQ(order->totalText(), XStr());

    order->onBack();
    EXPECT_EQ(mHost->currentPanel(), invoker) << "back to the panel that opened it";
}

TEST_F(VAConcatenateOrderDialogTest, ACancelledChooserJoinsNothing) {
    mHost->startJoinFilesDialog();
    mHost->sourceFilesChosen({});
    EXPECT_EQ(mHost->currentPanel(), mHost->rootPanel());
    // The next chooser of the converter is not one for joining.
    mHost->startOpenFileDialog();
    EXPECT_EQ(mView.fileDialogTitle, XStr("Choose Files to Convert"));
}
