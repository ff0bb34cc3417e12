// The output location picker's drop-down: its rows, the choices that ask for a folder or a
// template first, and the recent destinations it keeps.
#include "VMCOutputLocationPickerV2.h"

#include <gtest/gtest.h>

#include "ShellTestSupport.h"

namespace {

struct Recorder : VMCOutputLocationPickerV2::View {
    int changes = 0;
    std::vector<XStr> folderStarts;
    std::vector<VMCOutputLocationPickerV2::DynamicNamingRequest> namingRequests;

    void locationPickerChanged() override { ++changes; }
    void runFolderChooser(const XStr& start, const XStr& /*title*/) override {
        folderStarts.push_back(start);
    }
    void runDynamicNamingDialog(const VMCOutputLocationPickerV2::DynamicNamingRequest& r) override {
        namingRequests.push_back(r);
    }
};

XStrList rows(const VMCOutputLocationPickerV2& picker) {
    XStrList out;
    for (const VMCOutputLocationPickerEntry& entry : picker.entries()) {
        out.push_back(entry.enabled || entry.separator ? entry.title : "(" + entry.title + ")");
    }
    return out;
}

XStr selected(const VMCOutputLocationPickerV2& picker) {
    return picker.selectedIndex() ? picker.entries()[*picker.selectedIndex()].title
                                  : XStr("(none)");
}

std::size_t rowTitled(const VMCOutputLocationPickerV2& picker, const XStr& title) {
    for (std::size_t i = 0; i < picker.entries().size(); ++i) {
        if (picker.entries()[i].title == title) {
            return i;
        }
    }
    ADD_FAILURE() << "no row " << title;
    return picker.entries().size();
}

class VMCOutputLocationPickerV2Test : public ShellTest {
protected:
    VMCOutputLocationPickerV2Test() {
        mPicker.setView(&mView);
        mPicker.setOnChanged([this] { ++mChanged; });
    }
    XStr videos(const char* below) const { return mDir.xfile(std::string("Videos/") + below); }

    VMCOutputLocationPickerV2 mPicker{true, false};
    Recorder mView;
    int mChanged = 0;
};

TEST_F(VMCOutputLocationPickerV2Test, TheRowsFollowTheFlagsTheNamingAndTheEncoder) {
    VMCFileNaming besideSources;
    const XStr fixedRows[] = {"Existing Source Folder(s)", "Single Folder", "Preserve Source Path",
                              "Edit Dynamic Naming", "Use parent settings"};
    struct Row {
        const char* name;
        bool allowSame;
        bool allowParent;
        VMCFileNaming naming;
        XStrList expected;
        XStr selected;
    };
    const Row table[] = {
        {"beside the sources",
         true,
         false,
         besideSources,
         {fixedRows[0], fixedRows[1], fixedRows[2], fixedRows[3]},
         fixedRows[0]},
        {"a per-encoder naming",
         true,
         true,
         VMCFileNaming::namingUseParentConfig(),
         {fixedRows[0], fixedRows[1], fixedRows[2], fixedRows[3], fixedRows[4]},
         fixedRows[4]},
        {"one folder",
         false,
         false,
         VMCFileNaming::namingSingleFolder(videos("out")),
         {fixedRows[1], fixedRows[2], fixedRows[3], "---", "Videos/out/Source Filename"},
         "Videos/out/Source Filename"},
        {"the sources' paths under the root",
         true,
         false,
         VMCFileNaming::namingPreservePath("/"),
         {fixedRows[0], fixedRows[1], fixedRows[2], fixedRows[3]},
         fixedRows[0]},
        {"a template in the home folder",
         false,
         true,
         [this] {
             VMCFileNaming n = VMCFileNaming::namingPreservePath(mDir.xfile("[x] films"));
             n.setDynamicFormat("[artist]/[title]");
             return n;
         }(),
         {fixedRows[1], fixedRows[2], fixedRows[3], fixedRows[4], "---",
          "~/[x] films/Artist/Title"},
         "~/[x] films/Artist/Title"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        VMCOutputLocationPickerV2 picker(row.allowSame, row.allowParent);
        picker.setFileNaming(row.naming);
        EXPECT_EQ(rows(picker), row.expected);
        EXPECT_EQ(selected(picker), row.selected);
    }

    // An encoder that writes no files has no destination to choose.
    VAEncoderDesc noFolder = VAEncoderDesc::makeVideoCodec("Player", "");
    noFolder.disableConvertToFolder = true;
    mPicker.setEncoder(noFolder);
    EXPECT_EQ(rows(mPicker), XStrList{"(not required for encoder)"});
    EXPECT_EQ(selected(mPicker), XStr("not required for encoder"));
    mPicker.onDropdownValueSelected(0);
    EXPECT_EQ(mChanged, 0);
    EXPECT_TRUE(mView.folderStarts.empty());
}

// A folder chooser decides the choices that need a folder; cancelling it shows the naming
// that was there.
TEST_F(VMCOutputLocationPickerV2Test, FolderChoicesAskForTheFolderFirst) {
    mPicker.setFileNaming(VMCFileNaming::namingSingleFolder(videos("old")));
    EXPECT_EQ(mChanged, 0) << "a naming handed over is not handed back";
    const XStr old = "Videos/old/Source Filename";

    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Single Folder"));
    EXPECT_EQ(mView.folderStarts, XStrList{videos("old")}) << "the chooser starts at the folder";
    mPicker.folderChosen(std::nullopt);
    EXPECT_EQ(selected(mPicker), old);
    EXPECT_EQ(mChanged, 0);

    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Single Folder"));
    mPicker.folderChosen(videos("new"));
    EXPECT_EQ(mChanged, 1);
    ASSERT_TRUE(mPicker.fileNaming());
    EXPECT_EQ(mPicker.fileNaming()->fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(mPicker.fileNaming()->dynamicFormat(), XStr("[origfilename]"));
    EXPECT_EQ(mPicker.fileNaming()->destination().url(), videos("new"));
    EXPECT_EQ(selected(mPicker), XStr("Videos/new/Source Filename"));

    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Preserve Source Path"));
    mPicker.folderChosen(mDir.xfile("copies"));
    EXPECT_EQ(mPicker.fileNaming()->dynamicFormat(), XStr("[origpath]/[origfilename]"));
    EXPECT_EQ(selected(mPicker), XStr("~/copies/Source Path/Source Filename"));

    // Beside the sources keeps the folder, so the chooser starts there next time.
    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Existing Source Folder(s)"));
    EXPECT_TRUE(mPicker.fileNaming()->isSameFolder());
    EXPECT_EQ(selected(mPicker), XStr("Existing Source Folder(s)"));
    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Single Folder"));
    EXPECT_EQ(mView.folderStarts.back(), mDir.xfile("copies"));
    EXPECT_EQ(mChanged, 3);

    // The root stands for the sources' folders: the chooser starts in the videos folder.
    mPicker.folderChosen(std::nullopt);
    mPicker.applyNaming(VMCFileNaming::namingPreservePath("/"));
    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Preserve Source Path"));
    EXPECT_EQ(mView.folderStarts.back(), mDir.xfile("Videos"));
}

TEST_F(VMCOutputLocationPickerV2Test, TheTemplateSheetSetsTemplateAndFolder) {
    mPicker.setFileNaming(VMCFileNaming::namingSingleFolder(videos("out")));
    mPicker.setNamingDialogContext({"key", "MP4 (H264)", "-crf 20", ""});
    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Edit Dynamic Naming"));
    ASSERT_EQ(mView.namingRequests.size(), 1u);
    const VMCOutputLocationPickerV2::DynamicNamingRequest& request = mView.namingRequests[0];
    EXPECT_EQ(request.curPattern, XStr("[origfilename]"));
    EXPECT_EQ(request.baseLocation, XStr("Videos/out"));
    EXPECT_EQ(request.baseLocationURL, videos("out"));
    EXPECT_EQ(request.context.encoderName, XStr("MP4 (H264)"));

    struct Row {
        bool ok;
        const char* pattern;
        const char* base;
        bool taken;
    };
    const Row table[] = {
        {false, "[title]", "~/Films", false},         {true, "  ", "~/Films", false},
        {true, "[title]", "relative/folder", false},  {true, "[title]", "", false},
        {true, "[artist]\\[title]", "~/Films", true},
    };
    for (const Row& row : table) {
        mPicker.editDynamicNaming();
        mPicker.dynamicNamingDone(row.ok, row.pattern, row.base);
        EXPECT_EQ(mChanged, row.taken ? 1 : 0) << row.pattern << " in " << row.base;
    }
    EXPECT_EQ(mPicker.fileNaming()->fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(mPicker.fileNaming()->dynamicFormat(), XStr("[artist]/[title]"));
    EXPECT_EQ(mPicker.fileNaming()->destination().url(), mDir.xfile("Films"));
    EXPECT_EQ(selected(mPicker), XStr("~/Films/Artist/Title"));
    // An answer nobody asked for changes nothing.
    mPicker.dynamicNamingDone(true, "[year]", "/tmp");
    mPicker.folderChosen(XStr("/tmp"));
    EXPECT_EQ(mChanged, 1);
}

TEST_F(VMCOutputLocationPickerV2Test, TheRecentListPutsTheLastFirstAndKeepsTen) {
    for (int i = 0; i < 12; ++i) {
        mPicker.applyNaming(VMCFileNaming::namingSingleFolder(videos(std::to_string(i).c_str())));
        mPicker.saveToRecentList();
    }
    std::vector<VMCFileNaming> recent = VMCFileNaming::loadRecentList();
    ASSERT_EQ(recent.size(), 10u);
    EXPECT_EQ(recent.front().destination().url(), videos("11"));
    EXPECT_EQ(recent.back().destination().url(), videos("2"));

    // Taken again, a destination moves to the front instead of being listed twice.
    mPicker.applyNaming(VMCFileNaming::namingSingleFolder(videos("5")));
    mPicker.saveToRecentList();
    recent = VMCFileNaming::loadRecentList();
    ASSERT_EQ(recent.size(), 10u);
    EXPECT_EQ(recent[0].destination().url(), videos("5"));
    EXPECT_EQ(recent[1].destination().url(), videos("11"));
    EXPECT_EQ(rows(mPicker)[5], XStr("Videos/5/Source Filename"));
    EXPECT_EQ(selected(mPicker), XStr("Videos/5/Source Filename"));
    EXPECT_EQ(rows(mPicker).size(), 4u + 1u + 10u);

    // Choosing a recent row applies its naming.
    mPicker.onDropdownValueSelected(rowTitled(mPicker, "Videos/9/Source Filename"));
    EXPECT_EQ(mPicker.fileNaming()->destination().url(), videos("9"));

    // Beside the sources, and the parent's settings, are no destinations to remember.
    const XStr before = XRegistry::GetString("vMCLastFolder-0");
    for (const VMCFileNaming& naming :
         {VMCFileNaming::namingSameFolder(), VMCFileNaming::namingUseParentConfig()}) {
        mPicker.applyNaming(naming);
        mPicker.saveToRecentList();
        EXPECT_EQ(XRegistry::GetString("vMCLastFolder-0"), before);
    }
    // A one-folder naming from an older store is kept as the template it stands for.
    VMCFileNaming older;
    older.setFileNamingType(VMCFileNaming::kSingleFolder);
    older.setDestination(VMCLocationDescriptor::withURL(videos("older")));
    mPicker.applyNaming(older);
    mPicker.saveToRecentList();
    EXPECT_EQ(XRegistry::GetString("vMCLastFolder-0"), videos("older") + "{_._}[origfilename]");
}

TEST(VMCOutputLocationPickerV2, NamingsAreEqualByKindTemplateAndDestination) {
    const VMCFileNaming base = VMCFileNaming::namingPreservePath("/a");
    VMCFileNaming otherTemplate = base;
    otherTemplate.setDynamicFormat("[title]");
    VMCFileNaming otherFolder = base;
    otherFolder.setDestination(VMCLocationDescriptor::withURL("/b"));
    VMCFileNaming otherKind = base;
    otherKind.setFileNamingType(VMCFileNaming::kSingleFolder);
    VMCFileNaming otherRules = base;
    otherRules.setCharacterReplacement("/_");
    struct Row {
        const VMCFileNaming& naming;
        bool equal;
    };
    for (const Row& row : {Row{base, true}, Row{otherTemplate, false}, Row{otherFolder, false},
                           Row{otherKind, false}, Row{otherRules, true}}) {
        EXPECT_EQ(VMCOutputLocationPickerV2::namingEquals(base, row.naming), row.equal)
            << VMCOutputLocationPickerV2::describe(row.naming);
    }
}

}  // namespace
