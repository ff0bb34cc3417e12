#include "VMCStatusLogDialog.h"

#include <gtest/gtest.h>

namespace {

VMCStatusLogEntry entry(const char* source, const char* to, XStrList lines) {
    VMCStatusLogEntry e;
    e.source2 = VAConvertSource::withURL(source);
    e.fnTo = to;
    e.encoderName = "MP4 (H264)";
    e.entries = std::move(lines);
    return e;
}

class RecordingView : public VMCStatusLogView {
public:
    void setClipboardText(const XStr& text) override { clipboard.push_back(text); }
    void refresh() override { ++refreshes; }
    XStrList clipboard;
    int refreshes = 0;
};

class RecordingHost : public VMCStatusLogHost {
public:
    void preConvertFrom(const std::vector<std::shared_ptr<VAConvertSource>>& sources) override {
        for (const auto& s : sources) {
            reconverted.push_back(s->urlPerceived);
        }
    }
    void conversionAllDone() override { ++done; }
    XStrList reconverted;
    int done = 0;
};

}  // namespace

// A header with its destination is seen in the copied text.
TEST(VMCStatusLog, HeadersNameNoDestinationThatIsIgnored) {
    EXPECT_EQ(VMCStatusLogDialog::formatHeaderFor(entry("/in/a.mov", "/out/a.IGNORE", {}), false),
              XStr("Information converting to MP4 (H264), 'a.mov'"));
    EXPECT_EQ(VMCStatusLogDialog::formatHeaderFor(entry("/in/a.mov", "", {}), false),
              XStr("Information converting to MP4 (H264), 'a.mov'"));
}

TEST(VMCStatusLog, TitleAndTabsFollowWhatWasLogged) {
    VMCStatusLogContext onlyInfo;
    onlyInfo.infos = {entry("/a.mov", "/a.mp4", {"x"})};
    VMCStatusLogDialog info(onlyInfo);
    EXPECT_EQ(info.panelName(), XStr("Conversion Status Information"));
    EXPECT_EQ(info.tabs(),
              std::vector<VMCStatusLogDialog::Tab>{VMCStatusLogDialog::Tab::kInformation});
    EXPECT_FALSE(info.reconvertButtonVisible());

    VMCStatusLogContext onlyErrors;
    onlyErrors.errors = {entry("/a.mov", "/a.mp4", {"bad"})};
    onlyErrors.titleActionOverride = XStr("Ripping");
    VMCStatusLogDialog errors(onlyErrors);
    EXPECT_EQ(errors.panelName(), XStr("Ripping Errors & Status Information"));
    EXPECT_EQ(errors.tabs(),
              std::vector<VMCStatusLogDialog::Tab>{VMCStatusLogDialog::Tab::kErrors});
    EXPECT_TRUE(errors.reconvertButtonVisible());

    VMCStatusLogContext both = onlyErrors;
    both.titleActionOverride = XStr();
    both.infos = onlyInfo.infos;
    VMCStatusLogDialog all(both);
    EXPECT_EQ(all.panelName(), XStr("Conversion Errors & Status Information"));
    EXPECT_EQ(all.tabs().size(), 2u);
}

TEST(VMCStatusLog, CopyTextOfTheSelectedTabAndTheButton) {
    VMCStatusLogContext context;
    context.errors = {entry("/in/a.mov", "/out/a.mp4", {"Unknown encoder 'x'"})};
    context.infos = {entry("/in/a.mov", "/out/a.mp4", {"ffmpeg -i a", "Encoding loop..."}),
                     entry("/in/b.mov", "/out/b.mp4", {})};
    VMCStatusLogDialog dialog(context);
    RecordingView view;
    dialog.setView(&view);
    EXPECT_EQ(dialog.selectedTab(), VMCStatusLogDialog::Tab::kErrors);
    EXPECT_EQ(dialog.copyButtonTitle(), XStr("Copy Errors to Clipboard"));
    dialog.onCopy();
    dialog.selectTab(VMCStatusLogDialog::Tab::kInformation);
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(dialog.copyButtonTitle(), XStr("Copy Info to Clipboard"));
    dialog.onCopy();
    ASSERT_EQ(view.clipboard.size(), 2u);
    EXPECT_EQ(view.clipboard[0], XStr("Error converting to MP4 (H264), 'a.mov' to '/out/a.mp4'\n"
                                      "   Unknown encoder 'x'"));
    EXPECT_EQ(view.clipboard[1],
              XStr("Information converting to MP4 (H264), 'a.mov' to '/out/a.mp4'\n"
                   "   ffmpeg -i a\n"
                   "   Encoding loop...\n"
                   "Information converting to MP4 (H264), 'b.mov' to '/out/b.mp4'"));
    const auto rows = dialog.rows(VMCStatusLogDialog::Tab::kInformation);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[0].header);
    EXPECT_EQ(rows[0].height, 30);
    EXPECT_EQ(rows[1].height, 20);
}

TEST(VMCStatusLog, EmptyTabCopiesNothing) {
    VMCStatusLogContext context;
    context.errors = {entry("/a.mov", "/a.mp4", {"bad"})};
    VMCStatusLogDialog dialog(context);
    RecordingView view;
    dialog.setView(&view);
    dialog.selectTab(VMCStatusLogDialog::Tab::kInformation);
    EXPECT_FALSE(dialog.copyButtonEnabled());
    dialog.onCopy();
    EXPECT_TRUE(view.clipboard.empty());
}

TEST(VMCStatusLog, ReconvertHandsOverTheFailedSourcesAndLeavingTellsTheHost) {
    auto host = std::make_shared<RecordingHost>();
    VMCStatusLogContext context;
    context.host = host;
    context.errors = {entry("/in/b.mov", "/out/b.mp4", {"e"}),
                      entry("/in/a.mov", "/out/a.mp4", {"e"})};
    context.infos = {entry("/in/c.mov", "/out/c.mp4", {"i"})};
    VMCStatusLogDialog dialog(context);
    dialog.onReConvert();
    EXPECT_EQ(host->reconverted, (XStrList{"/in/b.mov", "/in/a.mov"}));
    dialog.onOK();
    dialog.cancelOperation();
    dialog.onCloseAndEject();
    EXPECT_EQ(host->done, 3);
}

TEST(VMCStatusLog, MapsBecomeListsInJobOrder) {
    std::map<uint32_t, VMCStatusLogEntry> byJob;
    byJob[7] = entry("/7.mov", "", {});
    byJob[2] = entry("/2.mov", "", {});
    const auto list = VMCStatusLogContext::listFromMap(byJob);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].source2->urlPerceived, XStr("/2.mov"));
}
