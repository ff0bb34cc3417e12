// The dynamic naming dialog: the live example of the sample tags and of a real file, the
// insertion menus at the insertion point, the presets, the base location, the description,
// and an ending that happens once.
#include "VMCDynamicNamingDialogV2.h"

#include <gtest/gtest.h>

#include <ctime>

#include "ShellTestSupport.h"
#include "VAUserFolders.h"

namespace {

// 2023-11-14 22:13:20 UTC, a Tuesday.
constexpr std::time_t kNow = 1700000000;

struct Recorder : VMCDynamicNamingDialogV2::View {
    int changes = 0;
    std::vector<int> closed;
    std::vector<XStr> chooserStarts;

    void namingDialogChanged() override { ++changes; }
    void runBaseFolderChooser(const XStr& start) override { chooserStarts.push_back(start); }
    void closeDialog(int code) override { closed.push_back(code); }
};

XStr noBreak(const char* text) {
    return XStr(text).replaced(" ", XStr(std::u32string(1, U'\u00A0')));
}

class VMCDynamicNamingDialogV2Test : public ShellTest {
protected:
    static VMCDynamicNamingDialogV2_Context mp4Context() {
        VMCDynamicNamingDialogV2_Context context;
        context.encoderName = "MP4 (H264)";
        context.encoderSettings = "-crf 20";
        context.formatExtension = ".mp4";
        return context;
    }
    std::unique_ptr<VMCDynamicNamingDialogV2> open(
        const XStr& pattern, VMCDynamicNamingDialogV2_Context context = mp4Context()) {
        auto dialog = std::make_unique<VMCDynamicNamingDialogV2>(pattern, "Videos/out",
                                                                 mDir.xfile("Videos/out"), context);
        dialog->setClock([] { return kNow; });
        dialog->setView(&mView);
        return dialog;
    }

    ScopedEnv mTimeZone{"TZ", "UTC"};
    Recorder mView;
};

TEST_F(VMCDynamicNamingDialogV2Test, TheSampleExampleFollowsTheSwitches) {
    tzset();
    struct Row {
        const char* pattern;
        bool compilation;
        bool multiDisc;
        XStr expected;
    };
    const Row table[] = {
        {"[artist]/[album]/[track] - [title]", false, false, "Artist/Album Title/05 - Title.mp4"},
        {"[artist]\\[title]", false, false, "Artist/Title.mp4"},
        {"[track_unpad] of [track_total_unpad]", false, false, "5 of 15.mp4"},
        {"[disc] of [disc_total]", false, false, "1 of 1.mp4"},
        {"[disc] of [disc_total]", false, true, "2 of 3.mp4"},
        {"[IFMULTI]Disc [disc][][IF!MULTI]Single[]", false, false, "Single.mp4"},
        {"[IFMULTI]Disc [disc][][IF!MULTI]Single[]", false, true, "Disc 2.mp4"},
        {"[album]", false, true, "Album Title.mp4"},
        {"[IFCOMP]Various[][IF!COMP][album artist][]", false, false, "Album Artist.mp4"},
        {"[IFCOMP]Various[][IF!COMP][album artist][]", true, false, "Various.mp4"},
        {"[album artist]", true, false, ".mp4"},
        {"[multitag]artist[] and [multitag]composer[]", false, false,
         "Artist; Artist2 and Composer; Composer 2.mp4"},
        {"[conductor] [band] [upc] [label] [mood] [style] [tempo] [isrc]", false, false,
         "Conductor Band UPC Label Mood Style Tempo CC-XXX-YY-NNNNN.mp4"},
        {"[year] [genre] [unique] [length] [length_mmss] [length_hhmmss]", false, false,
         "2011 08 12 Genre 5754 125955 10.51 01.25.55.mp4"},
        {"[encoder] ([encoder+]) [extension]", false, false,
         "MP4 (H264) (MP4 (H264) -crf 20) mp4.mp4"},
        {"[cddb_id] [protected] [id_tag] [audio_quality] [gapless]", false, false,
         "3DF2700A No ID3v2.2 Medium (Lossy) Yes.mp4"},
        {"[date] [time] [day_of_week] [now_year]", false, false, "2023-11-14 22:13:20 2 2023.mp4"},
        {"[origdrive][origpath]/[origfilename]", false, false,
         "Folder1/Folder2/Folder3/A Filename.mp4"},
        {"[frequency] [channels] [k_bitrate]", false, false, "# # #.mp4"},
        {"[FRONTFOLDER]2[]-[BACKFOLDER]1[]", false, false, "Folder2-Folder3.mp4"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.pattern);
        auto dialog = open(row.pattern);
        EXPECT_FALSE(dialog->haveCurrentMeta());
        dialog->setExCompilation(row.compilation);
        dialog->setExMultiDisc(row.multiDisc);
        EXPECT_EQ(dialog->example(), row.expected);
    }
}

TEST_F(VMCDynamicNamingDialogV2Test, TheProfileMayPutTheDiscIntoTheAlbum) {
    const XStr key = "Software\\Quillmere\\VantaroVideo\\vMCCodec\\MP4 (H264)";
    XRegistry::SetDWORD("PerfectMetaDiscNumToAlbum", 1, XRegistryName(XStr("HKCU")), key);
    VMCDynamicNamingDialogV2_Context context = mp4Context();
    context.activeProfileReg = key;
    struct Row {
        bool multiDisc;
        XStr expected;
    };
    for (const Row& row : {Row{false, "Album Title.mp4"}, Row{true, "Album Title, Disc 1.mp4"}}) {
        auto dialog = open("[album]", context);
        dialog->setExMultiDisc(row.multiDisc);
        EXPECT_EQ(dialog->example(), row.expected);
    }
}

TEST_F(VMCDynamicNamingDialogV2Test, TheExtensionIsLeftOutWhenTheEncoderHasNone) {
    struct Row {
        const char* extension;
        XStr expected;
    };
    for (const Row& row : {Row{".mkv", "Title.mkv"}, Row{"mkv", "Title.mkv"},
                           Row{"ignore", "Title"}, Row{".ignore", "Title"}, Row{"", "Title"}}) {
        VMCDynamicNamingDialogV2_Context context = mp4Context();
        context.formatExtension = row.extension;
        EXPECT_EQ(open("[title]", context)->example(), row.expected) << row.extension;
    }
}

TEST_F(VMCDynamicNamingDialogV2Test, ARealFileIsTheExampleWhenThereIsOne) {
    NTag ids;
    ids.AddElement("title", "Night/Day");
    ids.AddElement("artist", "Band, The");
    auto info = std::make_shared<VAMediaFileInfo>();
    info->setIDTags(VATag(ids));
    VMCDynamicNamingDialogV2_Context context = mp4Context();
    context.exampleURL = "/media/clips/My Clip.mkv";

    // Without its record the file is no example yet.
    auto waiting = open("[title] [origfilename]", context);
    EXPECT_FALSE(waiting->haveCurrentMeta());
    waiting->setExUseCurrentMeta(true);
    EXPECT_FALSE(waiting->exUseCurrentMeta());
    EXPECT_EQ(waiting->example(), XStr("Title A Filename.mp4"));

    context.exampleMeta = info;
    struct Row {
        const char* pattern;
        bool useCurrent;
        XStr expected;
    };
    const Row table[] = {
        {"[title] [origfilename]", true, "Night-Day My Clip.mp4"},
        {"[title] [origfilename]", false, "Title A Filename.mp4"},
        {"[origpath][artist]", true, "/media/clips/Band, The.mp4"},
        {"[encoder+]", true, "MP4 (H264) -crf 20.mp4"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.pattern);
        auto dialog = open(row.pattern, context);
        EXPECT_TRUE(dialog->haveCurrentMeta());
        EXPECT_TRUE(dialog->exUseCurrentMeta()) << "the user's own file comes first";
        dialog->setExUseCurrentMeta(row.useCurrent);
        EXPECT_EQ(dialog->example(), row.expected);
    }
}

TEST_F(VMCDynamicNamingDialogV2Test, MenusInsertAtTheInsertionPoint) {
    struct Row {
        const char* pattern;
        std::size_t cursor;
        std::size_t selection;
        XStr inserted;
        XStr expected;
        std::size_t cursorAfter;
    };
    const Row table[] = {
        {"", 0, 0, "[artist]", "[artist]", 8}, {"a-b", 1, 0, "[x]", "a[x]-b", 4},
        {"a-b", 1, 1, "/", "a/b", 2},          {"a-b", 3, 0, "!", "a-b!", 4},
        {"a-b", 2, 9, "c", "a-c", 3},          {"a-b", 7, 0, "c", "a-bc", 4},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.expected.utf8());
        auto dialog = open("");
        dialog->setCurPattern(row.pattern, 0);
        dialog->setSelection(row.cursor, row.selection);
        dialog->insertString(row.inserted);
        EXPECT_EQ(dialog->curPattern(), row.expected);
        EXPECT_EQ(dialog->cursor(), row.cursorAfter);
        EXPECT_EQ(dialog->selectionLength(), 0u);
    }

    // Typed, then three menus: the example follows every step.
    auto dialog = open("");
    const int before = mView.changes;
    EXPECT_TRUE(dialog->onAddTag(0));
    dialog->setCurPattern(dialog->curPattern() + " (", dialog->curPattern().size() + 2);
    EXPECT_TRUE(dialog->onAddProperty(14));
    dialog->setCurPattern(dialog->curPattern() + ") ", dialog->curPattern().size() + 2);
    EXPECT_TRUE(dialog->onAddProgrammable(4));
    EXPECT_EQ(dialog->curPattern(), XStr("[artist] ([length_mmss]) [UPPER]string[]"));
    EXPECT_EQ(dialog->example(), XStr("Artist (10.51) STRING.mp4"));
    EXPECT_EQ(mView.changes, before + 5);
    // Separators and rows past the end insert nothing.
    EXPECT_FALSE(dialog->onAddTag(22));
    EXPECT_FALSE(dialog->onAddProperty(26));
    EXPECT_FALSE(dialog->onAddProgrammable(24));
    EXPECT_EQ(dialog->curPattern(), XStr("[artist] ([length_mmss]) [UPPER]string[]"));
}

TEST_F(VMCDynamicNamingDialogV2Test, EveryMenuRowInsertsWhatItNames) {
    using Dialog = VMCDynamicNamingDialogV2;
    EXPECT_EQ(Dialog::tagMenu().size(), 25u);
    EXPECT_EQ(Dialog::propertyMenu().size(), 26u);
    EXPECT_EQ(Dialog::programmableMenu().size(), 24u);
    // Every element of the tag and property menus is one the expander knows: alone, it
    // leaves no bracket in the example.
    for (const auto* menu : {&Dialog::tagMenu(), &Dialog::propertyMenu()}) {
        for (const Dialog::MenuItem& item : *menu) {
            if (item.separator() || item.text.startsWith("[tag")) {
                continue;
            }
            EXPECT_FALSE(open(item.text)->example().contains(U'[')) << item.label;
        }
    }
    // The programmable rows hold no plain space; their functions all run.
    const XStr space(" ");
    for (const Dialog::MenuItem& item : Dialog::programmableMenu()) {
        EXPECT_FALSE(item.label.contains(space)) << item.label;
        EXPECT_FALSE(item.text.contains(space)) << item.text;
        auto dialog = open(item.text);
        dialog->setExCompilation(true);
        dialog->setExMultiDisc(true);
        EXPECT_FALSE(dialog->example().contains(XStr("[]"))) << item.text;
    }
    struct Row {
        std::size_t row;
        XStr label;
        XStr text;
        XStr example;
    };
    const Row table[] = {
        {0, noBreak("Compilation"), noBreak("[IFCOMP]included if compilation[]"),
         noBreak("included if compilation.mp4")},
        {8, noBreak("Trim Start && Ending Spaces"), "[TRIM]string[]", "string.mp4"},
        {22, noBreak("Group a-c, d-f..."), noBreak("[GROUP]group count,string[]"), "s.mp4"},
        {23, noBreak("Split a string around a character"),
         noBreak("[SPLIT]split on,string,return index[]"), "string.mp4"},
    };
    for (const Row& row : table) {
        const Dialog::MenuItem& item = Dialog::programmableMenu()[row.row];
        EXPECT_EQ(item.label, row.label);
        EXPECT_EQ(item.text, row.text);
        auto dialog = open(item.text);
        dialog->setExCompilation(true);
        EXPECT_EQ(dialog->example(), row.example) << item.text;
    }
    EXPECT_EQ(Dialog::tagMenu()[24].text, XStr("[tags]tagname,delimiter[]"));
    EXPECT_EQ(Dialog::propertyMenu()[25].label, XStr("CDDB Disc ID"));
}

TEST_F(VMCDynamicNamingDialogV2Test, PresetsReplaceTheTemplate) {
    auto dialog = open("[title]");
    const std::vector<VMCDynamicNamingDialogV2::Preset>& presets = dialog->lstExamples();
    ASSERT_EQ(presets.size(), 4u);
    const XStr expected[] = {
        "Folder1/Folder2/Folder3/A Filename.mp4",
        "Folder3/A Filename.mp4",
        "A/Artist/Album Title/A Filename.mp4",
        "a-c/A Filename.mp4",
    };
    for (std::size_t i = 0; i < presets.size(); ++i) {
        SCOPED_TRACE(presets[i].label.utf8());
        EXPECT_FALSE(presets[i].pattern.contains(U'\\'));
        EXPECT_TRUE(dialog->setExampleNaming(i));
        EXPECT_EQ(dialog->curPattern(), presets[i].pattern);
        EXPECT_EQ(dialog->cursor(), presets[i].pattern.size());
        EXPECT_EQ(dialog->example(), expected[i]);
    }
    EXPECT_EQ(presets[2].pattern, XStr("[GRAB]1,1,[artist][]/[artist]/[album]/[origfilename]"));
    EXPECT_FALSE(dialog->setExampleNaming(4));
}

TEST_F(VMCDynamicNamingDialogV2Test, TheBaseLocationIsTypedChosenOrTheSourceDrive) {
    const XStr videos = VAUserFolders::videosFolder();
    struct Row {
        const char* typed;
        XStr url;
    };
    const Row table[] = {
        {"~/Films", mDir.xfile("Films")},
        {"  ~/Films  ", mDir.xfile("Films")},
        {"Videos/out", videos + "/out"},
        {"/srv/media", "/srv/media"},
        {"~", mDir.path()},
        {"relative/folder", ""},
        {"", ""},
    };
    for (const Row& row : table) {
        auto dialog = open("[title]");
        dialog->setBaseLocation(row.typed);
        EXPECT_EQ(dialog->baseLocation(), XStr(row.typed));
        EXPECT_EQ(dialog->baseLocationURL(), row.url) << row.typed;
        EXPECT_EQ(dialog->okEnabled(), !row.url.empty()) << row.typed;
    }

    auto dialog = open("[origpath][origfilename]");
    dialog->onBaseLocationToSourceDrive();
    EXPECT_EQ(dialog->baseLocation(), XStr("/"));
    EXPECT_EQ(dialog->baseLocationURL(), XStr("/"));
    // From the root the chooser starts in the videos folder, else where the location is.
    dialog->onSetBaseLocation();
    dialog->baseFolderChosen(std::nullopt);
    EXPECT_EQ(dialog->baseLocationURL(), XStr("/"));
    dialog->baseFolderChosen(videos + "/Converted");
    EXPECT_EQ(dialog->baseLocation(), XStr("Videos/Converted"));
    EXPECT_EQ(dialog->baseLocationURL(), videos + "/Converted");
    dialog->onSetBaseLocation();
    EXPECT_EQ(mView.chooserStarts, (XStrList{videos, videos + "/Converted"}));
}

TEST_F(VMCDynamicNamingDialogV2Test, TheDescriptionNamesElementsAndFunctions) {
    auto dialog = open("[ARTIST] - [upper][title][]");
    XStrList runs;
    for (const VAStringTools::StyledRun& run : dialog->description()) {
        if (!run.text.empty()) {
            runs.push_back(XStr::format("%d-%d-%d ", run.red, run.green, run.blue) + run.text);
        }
    }
    EXPECT_EQ(runs, (XStrList{"0-0-120 Artist", "0-0-0  - ", "0-120-0 [UPPER]", "0-0-120 Title",
                              "0-120-0 []"}));
}

TEST_F(VMCDynamicNamingDialogV2Test, TheDialogEndsOnce) {
    struct Row {
        const char* pattern;
        bool ok;
        std::vector<int> ends;
    };
    const Row table[] = {
        {"[title]", true, {VMCDynamicNamingDialogV2::kOK}},
        {"[title]", false, {VMCDynamicNamingDialogV2::kCancel}},
        {"   ", true, {VMCDynamicNamingDialogV2::kCancel}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.pattern);
        mView.closed.clear();
        auto dialog = open(row.pattern);
        std::vector<int> ends;
        dialog->setOnEnd([&ends](int code) { ends.push_back(code); });
        if (!row.ok || !dialog->onOK()) {
            dialog->onCancel();
        }
        dialog->onOK();
        dialog->onCancel();
        EXPECT_EQ(ends, row.ends);
        EXPECT_EQ(mView.closed, row.ends);
        EXPECT_TRUE(dialog->didEndDialog());
    }
}

}  // namespace
