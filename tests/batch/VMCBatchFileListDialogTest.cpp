// The batch converter's file list panel: status, check boxes, the rows acted on, sorting
// while information arrives, and information that arrives too late.
#include "VMCBatchFileListDialog.h"

#include <gtest/gtest.h>

#include "BatchTestSupport.h"
#include "VAStringTools.h"

namespace {

struct RecordingView : VMCBatchFileListDialogView {
    XStr status;
    bool convertEnabled = true;
    std::vector<std::size_t> reloaded;
    int reloads = 0;
    XStrList revealed;
    int noFiles = 0;
    void reloadAll() override { ++reloads; }
    void reloadRows(const std::vector<std::size_t>& rows) override {
        reloaded.insert(reloaded.end(), rows.begin(), rows.end());
    }
    void setStatus(const XStr& text, bool enabled) override {
        status = text;
        convertEnabled = enabled;
    }
    void revealInFileViewer(const XStrList& urls) override { revealed = urls; }
    void showNoFilesSelected() override { ++noFiles; }
};

struct Host : VMCBatchConvertHost {
    XStrList converted;
    int done = 0;
    void preConvertFrom(const XStrList& files) override { converted = files; }
    void beginConcatenate(const XStrList&) override {}
    void showFileList(const std::shared_ptr<VMCBatchFileListDialog>&) override {}
    void onSubDialogDone() override { ++done; }
};

class FileList : public BatchTest {
protected:
    std::vector<clFolderListEntry::FilePtr> files(std::initializer_list<const char*> names) {
        std::vector<clFolderListEntry::FilePtr> out;
        int64_t size = 1000;
        for (const char* name : names) {
            file(name, std::string(static_cast<std::size_t>(size), 'x'));
            auto entry = std::make_shared<clFileListEntry>(
                xpath(name), std::weak_ptr<clFolderListEntry>(), size, 0);
            entry->refreshWithURL(xpath(name), "MPEG-4 Video", nullptr);
            out.push_back(entry);
            size += 1000;
        }
        return out;
    }
    std::shared_ptr<VMCBatchFileListDialog> open(std::vector<clFolderListEntry::FilePtr> list) {
        auto dialog = VMCBatchFileListDialog::create(std::move(list), mHost, mDefaults);
        dialog->setView(mView);
        return dialog;
    }
    // A probe record in the data folder's cache, where the panel's reader looks.
    void sharedRecord(const std::string& name, uint64_t lengthMS) {
        VAMediaFileInfo info;
        info.setURL(xpath(name));
        NTag tags;
        tags.SetString(VAProbeReport::kStreams, "1 Video");
        tags.SetString(VAProbeReport::kResolution, "640 x 360");
        info.setMediaProps(VATag(tags));
        info.setLengthMS(lengthMS);
        info.setProbedCleanly(true);
        VAProbeCache::shared()->store(info, *VAFileStat::of(xpath(name)));
    }

    std::shared_ptr<RecordingView> mView = std::make_shared<RecordingView>();
    std::shared_ptr<Host> mHost = std::make_shared<Host>();
    std::shared_ptr<VMCMemoryUserDefaults> mDefaults = std::make_shared<VMCMemoryUserDefaults>();
};

TEST_F(FileList, WithNothingCheckedConvertIsOffAndTheStatusCountsNothing) {
    auto dialog = open(files({"a.mp4", "b.mp4"}));
    EXPECT_EQ(dialog->panelName(), "Video Files Converting");
    dialog->refreshStatus();
    EXPECT_EQ(mView->status,
              "Converting 0 Files, Source Size: " + VAStringTools::formatFileSize(0) +
                  ", Length: " + VAStringTools::formatDurationLong(0));
    EXPECT_FALSE(mView->convertEnabled);
    dialog->onButtonConvert();
    EXPECT_EQ(mView->noFiles, 1);
    EXPECT_TRUE(mHost->converted.empty());

    dialog->checkAll();
    EXPECT_TRUE(mView->convertEnabled);
    EXPECT_EQ(mView->status,
              "Converting 2 Files, Source Size: " + VAStringTools::formatFileSize(3000) +
                  ", Length: " + VAStringTools::formatDurationLong(0));
    dialog->onButtonConvert();
    EXPECT_EQ(mHost->converted, (XStrList{xpath("a.mp4"), xpath("b.mp4")}));
    dialog->onButtonOK();
    EXPECT_EQ(mHost->done, 1);
}

TEST_F(FileList, CheckBoxesAndTheRowsActedOn) {
    auto dialog = open(files({"a.mp4", "b.mp4", "c.mp4", "d.mp4"}));
    dialog->checkOnlySelected({1, 3});
    const auto checked = [&] {
        std::string s;
        for (std::size_t r = 0; r < dialog->files().size(); ++r) {
            s += dialog->cellValue(r, "Checkbox").numberValue() != 0 ? '1' : '0';
        }
        return s;
    };
    EXPECT_EQ(checked(), "0101");
    dialog->toggleSelected({1, 2});
    EXPECT_EQ(checked(), "0001") << "the first selected row decides";
    dialog->invertSelection();
    EXPECT_EQ(checked(), "1110");
    dialog->uncheckAll();
    EXPECT_EQ(checked(), "0000");
    EXPECT_EQ(VMCBatchFileListDialog::toggleItemTitle(1), "Toggle Selected Item");
    EXPECT_EQ(VMCBatchFileListDialog::toggleItemTitle(3), "Toggle Selected Items");

    EXPECT_EQ(dialog->grabURLsForAction(2, {0, 1}), XStrList{xpath("c.mp4")})
        << "a click outside the selection acts on that row alone";
    EXPECT_EQ(dialog->grabURLsForAction(1, {0, 1}), (XStrList{xpath("a.mp4"), xpath("b.mp4")}));
    dialog->reveal(3, {});
    EXPECT_EQ(mView->revealed, XStrList{xpath("d.mp4")});
    EXPECT_EQ(dialog->cellValue(0, "Name").stringValue(), "a.mp4");
}

TEST_F(FileList, InformationArrivingAfterASortReachesTheRightRows) {
    auto list = files({"a.mp4", "b.mp4", "c.mp4"});
    sharedRecord("a.mp4", 61000);
    sharedRecord("c.mp4", 2000);
    list[2]->setCheckedQuietly(true);
    auto dialog = open(list);
    dialog->sortBy({{"sort-Size", false}});
    EXPECT_EQ(dialog->cellValue(0, "Name").stringValue(), "c.mp4");
    ASSERT_TRUE(mLoop->runUntil([&] { return mView->reloaded.size() == 2; }, 20000));
    std::sort(mView->reloaded.begin(), mView->reloaded.end());
    EXPECT_EQ(mView->reloaded, (std::vector<std::size_t>{0, 2})) << "c is row 0, a row 2 now";
    EXPECT_EQ(dialog->cellValue(2, "Resolution").stringValue(), "640 x 360");
    EXPECT_EQ(mView->status,
              "Converting 1 Files, Source Size: " + VAStringTools::formatFileSize(3000) +
                  ", Length: " + VAStringTools::formatDurationLong(2000));
}

TEST_F(FileList, InformationForAClosedPanelIsDropped) {
    auto list = files({"a.mp4"});
    sharedRecord("a.mp4", 1000);
    auto dialog = open(list);
    dialog.reset();
    // The reader was joined: whatever it posted is queued by now.
    mLoop->runPending();
    EXPECT_TRUE(mView->reloaded.empty());
}

}  // namespace
