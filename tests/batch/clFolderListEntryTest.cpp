// The folder tree on real folders of stand-in media: check states up and down, file ticks,
// reloads, collections, saved selections, and what never shows.
#include "clFolderListEntry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "BatchTestSupport.h"
#include "VMCFileListGrabber.h"

namespace {

using S = clFolderListEntry::CheckState;

struct RecordingOwner : clFolderListOwner {
    std::vector<std::pair<XStr, clFoldersAddRemove>> changes;
    std::vector<XStr> errors;
    int redraws = 0;

    void folderAddRemoveFolders(const clFolderListEntry::Ptr& folder,
                                const clFoldersAddRemove& change) override {
        changes.emplace_back(folder->url(), change);
    }
    void folderAccessError(const clFolderListEntry::Ptr& folder, const XStr&) override {
        errors.push_back(folder->url());
    }
    void folderFilesListReady(const clFolderListEntry::Ptr&) override {}
    void folderFileInfoLoaded(const clFolderListEntry::Ptr&,
                              const clFolderListEntry::FilePtr&) override {}
    void folderCheckStateChanged(const clFolderListEntry::Ptr&) override { ++redraws; }
};

XStrList names(const std::vector<clFolderListEntry::Ptr>& folders) {
    XStrList out;
    for (const auto& f : folders) {
        out.push_back(f->name());
    }
    return out;
}

class FolderTree : public BatchTest {
protected:
    void SetUp() override {
        folder("tree");
        file("tree/a.mp4");
        file("tree/b.mkv");
        file("tree/notes.txt");
        file("tree/.hidden.mp4");
        folder("tree/sub");
        file("tree/sub/s1.mp4");
        file("tree/sub/s2.m4v");
        folder("tree/sub/deep");
        file("tree/sub/deep/d.mp4");
        folder("tree/other");
        file("tree/other/o.mp4");
        folder("tree/.secret");
        file("tree/.secret/z.mp4");
    }

    // The tree loaded two levels deep.
    clFolderListEntry::Ptr loaded(std::shared_ptr<clFolderListOwner> owner = nullptr) {
        clFolderListEntry::Ptr r = root("tree", std::move(owner));
        load(r);
        for (const auto& f : r->folders()) {
            load(f);
        }
        return r;
    }

    static XStrList collected(const clFolderListEntry::Ptr& r) {
        return VMCFileListGrabber::collect({r}, true).urls;
    }
    XStrList paths(std::initializer_list<const char*> names) const {
        XStrList out;
        for (const char* n : names) {
            out.push_back(xpath(n));
        }
        return out;
    }
};

TEST_F(FolderTree, HiddenItemsAndFilesOfOtherFormatsNeverShow) {
    clFolderListEntry::Ptr r = loaded();
    EXPECT_EQ(names(r->folders()), (XStrList{"other", "sub"}));
    EXPECT_EQ(r->fileURLs(), paths({"tree/a.mp4", "tree/b.mkv"}));
    EXPECT_EQ(fileIn(r, "b.mkv")->formatName(), "Matroska Video");

    // A saved selection that ticks them changes nothing.
    XPropertyDictionary selection;
    selection.set(xpath("tree"), XStr("IndivSelected"));
    selection.set(xpath("tree/notes.txt"), XStr("Checked"));
    selection.set(xpath("tree/.hidden.mp4"), XStr("Checked"));
    selection.set(xpath("tree/a.mp4"), XStr("Checked"));
    auto globals = makeGlobals();
    globals->setSelection(selection);
    clFolderListEntry::Ptr again = clFolderListEntry::rootForURL(xpath("tree"), globals);
    again->applySelectionData(selection);
    EXPECT_EQ(collected(again), paths({"tree/a.mp4"}));
}

TEST_F(FolderTree, RecursiveReachesEveryLoadedFolderAndUncheckingClearsThemAgain) {
    clFolderListEntry::Ptr r = loaded();
    r->setCheckState(S::kRecursive);
    for (const auto& f : r->folders()) {
        EXPECT_EQ(f->checkState(), S::kRecursive) << f->name();
        EXPECT_EQ(f->filesCheckState(), 1) << f->name();
    }
    EXPECT_EQ(r->filesCheckState(), 1);
    EXPECT_EQ(collected(r), paths({"tree/a.mp4", "tree/b.mkv", "tree/other/o.mp4",
                                   "tree/sub/s1.mp4", "tree/sub/s2.m4v", "tree/sub/deep/d.mp4"}))
        << "deep was never loaded, and is collected all the same";

    r->setCheckState(S::kUnchecked);
    for (const auto& f : r->folders()) {
        EXPECT_EQ(f->checkState(), S::kUnchecked);
        EXPECT_EQ(f->filesCheckState(), 0);
    }
    EXPECT_EQ(sub(sub(r, "sub"), "deep")->checkState(), S::kUnchecked);
    EXPECT_TRUE(collected(r).empty());
}

TEST_F(FolderTree, StateChangesPropagateUpAndDown) {
    struct Case {
        const char* what;
        std::function<void(clFolderListEntry::Ptr&)> act;
        int root;
        int sub;
        int other;
    };
    const std::vector<Case> cases = {
        {"a subfolder selected makes the root SubSelected",
         [](auto& r) { sub(r, "sub")->setCheckState(S::kNonRecursive); }, S::kSubSelected,
         S::kNonRecursive, S::kUnchecked},
        {"and unselected again makes it Unchecked",
         [](auto& r) {
             sub(r, "sub")->setCheckState(S::kRecursive);
             sub(r, "sub")->setCheckState(S::kUnchecked);
         },
         S::kUnchecked, S::kUnchecked, S::kUnchecked},
        {"a file ticked in an unchecked folder: IndivSelected, its parent SubSelected",
         [](auto& r) { fileIn(sub(r, "sub"), "s1.mp4")->setChecked(true); }, S::kSubSelected,
         S::kIndivSelected, S::kUnchecked},
        {"and unticked: both Unchecked again",
         [](auto& r) {
             fileIn(sub(r, "sub"), "s1.mp4")->setChecked(true);
             fileIn(sub(r, "sub"), "s1.mp4")->setChecked(false);
         },
         S::kUnchecked, S::kUnchecked, S::kUnchecked},
        {"the last selected subfolder unchecked with an own file ticked: IndivSelected",
         [](auto& r) {
             sub(r, "sub")->setCheckState(S::kRecursive);
             // As a restored selection ticks it, without telling the folder.
             fileIn(r, "a.mp4")->setCheckedQuietly(true);
             sub(r, "sub")->setCheckState(S::kUnchecked);
         },
         S::kIndivSelected, S::kUnchecked, S::kUnchecked},
        {"one of two selected subfolders unchecked: still SubSelected",
         [](auto& r) {
             sub(r, "sub")->setCheckState(S::kRecursive);
             sub(r, "other")->setCheckState(S::kNonRecursive);
             sub(r, "sub")->setCheckState(S::kUnchecked);
         },
         S::kSubSelected, S::kUnchecked, S::kNonRecursive},
        {"a file ticked in a SubSelected folder: IndivSelected",
         [](auto& r) {
             sub(r, "other")->setCheckState(S::kNonRecursive);
             fileIn(r, "a.mp4")->setChecked(true);
         },
         S::kIndivSelected, S::kUnchecked, S::kNonRecursive},
        {"unticking one file of a NonRecursive folder keeps it NonRecursive",
         [](auto& r) {
             sub(r, "sub")->setCheckState(S::kNonRecursive);
             fileIn(sub(r, "sub"), "s1.mp4")->setChecked(false);
         },
         S::kSubSelected, S::kNonRecursive, S::kUnchecked},
        {"NonRecursive unchecks the subfolders below",
         [](auto& r) {
             sub(r, "sub")->setCheckState(S::kRecursive);
             r->setCheckState(S::kNonRecursive);
         },
         S::kNonRecursive, S::kUnchecked, S::kUnchecked},
        {"unticking every file of an IndivSelected folder with a selected subfolder",
         [](auto& r) {
             auto s = sub(r, "sub");
             fileIn(s, "s1.mp4")->setChecked(true);
             sub(s, "deep")->setCheckState(S::kNonRecursive);
             s->setFilesCheckState(0);
         },
         S::kSubSelected, S::kSubSelected, S::kUnchecked},
        {"inverting an unticked folder's files ticks them all",
         [](auto& r) { sub(r, "sub")->invertFilesCheckState(); }, S::kSubSelected,
         S::kIndivSelected, S::kUnchecked},
    };
    for (const Case& c : cases) {
        auto owner = std::make_shared<RecordingOwner>();
        clFolderListEntry::Ptr r = loaded(owner);
        load(sub(sub(r, "sub"), "deep"));
        c.act(r);
        EXPECT_EQ(r->checkState(), c.root) << c.what;
        EXPECT_EQ(sub(r, "sub")->checkState(), c.sub) << c.what;
        EXPECT_EQ(sub(r, "other")->checkState(), c.other) << c.what;
        EXPECT_GT(owner->redraws, 0) << c.what;
    }
}

TEST_F(FolderTree, FilesCheckStateTellsNoneSomeOrAll) {
    clFolderListEntry::Ptr s = sub(loaded(), "sub");
    EXPECT_EQ(s->filesCheckState(), 0);
    fileIn(s, "s1.mp4")->setChecked(true);
    EXPECT_EQ(s->filesCheckState(), -1);
    s->setFilesCheckState(1);
    EXPECT_EQ(s->filesCheckState(), 1);
    s->setFilesCheckState(7);
    EXPECT_EQ(s->filesCheckState(), 1) << "values other than 0 and 1 do nothing";
    s->invertFilesCheckState();
    EXPECT_EQ(s->filesCheckState(), 0);
    EXPECT_EQ(s->checkState(), S::kUnchecked);
}

TEST_F(FolderTree, NonRecursiveCollectsOnlyTheTickedOwnFiles) {
    clFolderListEntry::Ptr r = loaded();
    auto s = sub(r, "sub");
    s->setCheckState(S::kNonRecursive);
    fileIn(s, "s1.mp4")->setChecked(false);
    EXPECT_EQ(collected(r), paths({"tree/sub/s2.m4v"}));
    EXPECT_EQ(r->collectCheckedFolders(), paths({"tree/sub"}));
}

TEST_F(FolderTree, RefreshKeepsFoldersInPlaceAndAppendsNewOnesSortedBornFromTheirParent) {
    auto owner = std::make_shared<RecordingOwner>();
    clFolderListEntry::Ptr r = root("tree", owner);
    load(r);
    r->setCheckState(S::kRecursive);
    fileIn(r, "a.mp4")->setChecked(false);
    std::filesystem::remove_all(path("tree/other"));
    folder("tree/Disc 10");
    folder("tree/Disc 9");
    folder("tree/alpha");
    file("tree/Disc 10/new.mp4");
    file("tree/c.mp4");
    owner->changes.clear();
    r->beginRefresh();
    ASSERT_TRUE(mLoop->runUntil(
        [&] { return r->folders().size() == 4 && r->files().size() == 3 && !r->isLoading(); },
        20000));
    EXPECT_EQ(names(r->folders()), (XStrList{"sub", "alpha", "Disc 9", "Disc 10"}));
    ASSERT_FALSE(owner->changes.empty());
    const clFoldersAddRemove& change = owner->changes.back().second;
    EXPECT_EQ(change.numFoldersBefore, 2u);
    EXPECT_EQ(change.foldersRemoved, std::vector<std::size_t>{0}) << "'other' went";
    EXPECT_EQ(change.foldersAddedFirst, 1u);
    EXPECT_EQ(change.foldersAddedCount, 3u);

    EXPECT_FALSE(fileIn(r, "a.mp4")->checked()) << "a file keeps its tick across a refresh";
    EXPECT_TRUE(fileIn(r, "c.mp4")->checked()) << "a new file of a Recursive folder is checked";
    auto disc = sub(r, "Disc 10");
    EXPECT_EQ(disc->checkState(), S::kRecursive);
    load(disc);
    EXPECT_TRUE(fileIn(disc, "new.mp4")->checked());
}

TEST_F(FolderTree, PostRefreshDropsSelectionsThatLostTheirFiles) {
    struct Case {
        const char* what;
        bool subfolderSelected;
        int after;
    };
    const std::vector<Case> cases = {
        {"IndivSelected without files: Unchecked", false, S::kUnchecked},
        {"IndivSelected without files but a selected subfolder: SubSelected", true,
         S::kSubSelected},
    };
    for (const Case& c : cases) {
        clFolderListEntry::Ptr r = loaded();
        auto s = sub(r, "sub");
        load(sub(s, "deep"));
        if (c.subfolderSelected) {
            sub(s, "deep")->setCheckState(S::kNonRecursive);
        }
        fileIn(s, "s1.mp4")->setChecked(true);
        ASSERT_EQ(s->checkState(), S::kIndivSelected);
        ASSERT_EQ(unlink(path("tree/sub/s1.mp4").c_str()), 0);
        s->beginRefresh();
        ASSERT_TRUE(mLoop->runUntil(
            [&] { return s->files().size() == 1 && !s->isLoading() && s->checkState() == c.after; },
            20000))
            << c.what << ": " << s->checkState();
        file("tree/sub/s1.mp4");
    }
}

TEST_F(FolderTree, ASavedSelectionRestoresTheBranchAndItsTickedFiles) {
    clFolderListEntry::Ptr r = loaded();
    auto s = sub(r, "sub");
    auto deep = sub(s, "deep");
    load(deep);
    deep->setCheckState(S::kNonRecursive);
    fileIn(s, "s2.m4v")->setChecked(true);
    sub(r, "other")->setCheckState(S::kRecursive);
    XPropertyDictionary selection;
    r->collectSelectionData(selection);
    EXPECT_EQ(selection.find(xpath("tree"))->stringValue(), "SubSelected");
    EXPECT_EQ(selection.find(xpath("tree/sub"))->stringValue(), "IndivSelected");
    EXPECT_EQ(selection.find(xpath("tree/sub/s2.m4v"))->stringValue(), "Checked");
    EXPECT_EQ(selection.find(xpath("tree/sub/deep"))->stringValue(), "NonRecursive");
    EXPECT_EQ(selection.find(xpath("tree/sub/s1.mp4")), nullptr);
    // A folder below a Recursive one keeps what its parent gives it.
    selection.set(xpath("tree/other/ignored"), XStr("NonRecursive"));
    selection.set(xpath("tree/other"), XStr("Recursive"));
    folder("tree/other/ignored");

    auto globals = makeGlobals();
    globals->setSelection(selection);
    clFolderListEntry::Ptr again = clFolderListEntry::rootForURL(xpath("tree"), globals);
    again->applySelectionData(selection);
    EXPECT_EQ(again->checkState(), S::kSubSelected);
    EXPECT_EQ(collected(again),
              paths({"tree/other/o.mp4", "tree/sub/s2.m4v", "tree/sub/deep/d.mp4"}));
    EXPECT_EQ(sub(again, "sub")->checkState(), S::kIndivSelected);
    EXPECT_EQ(sub(sub(again, "sub"), "deep")->checkState(), S::kNonRecursive);
    EXPECT_EQ(sub(sub(again, "other"), "ignored")->checkState(), S::kRecursive);
    EXPECT_EQ(again->collectCheckedFolders(), paths({"tree/other", "tree/sub"}));

    // A damaged value counts as no selection.
    XPropertyDictionary damaged;
    damaged.set(xpath("tree"), XPropertyValue(3.0));
    again->applySelectionData(damaged);
    EXPECT_EQ(again->checkState(), S::kUnchecked);
}

TEST_F(FolderTree, PropertyFiltersReadTheProbeCacheAndAFilterChangeScansAgain) {
    probeRecord("tree/a.mp4", {{"Resolution", "1920 x 1080"}});
    probeRecord("tree/b.mkv", {{"Resolution", "640 x 360\r1920 x 1080"}});
    clFolderListEntry::Ptr r = root("tree");
    load(r);
    EXPECT_EQ(r->files().size(), 2u);
    EXPECT_EQ(r->files().front()->info(), nullptr) << "no probing without a property filter";

    VMCFileFilter filter;
    filter.setFilterMeta("Resolution", VMCFileFilter::ValueSet{"640 x 360"});
    r->globals()->setFileFilter(filter);
    r->applyFormatFilterRecur();
    ASSERT_TRUE(mLoop->runUntil([&] { return !r->isLoading() && r->files().size() == 1; }, 20000));
    EXPECT_EQ(r->fileURLs(), paths({"tree/a.mp4"})) << "one of the file's values excluded hides it";
    EXPECT_NE(fileIn(r, "a.mp4")->info(), nullptr);

    filter.setFilterMeta(VMCFileFilter::kFileTypes, VMCFileFilter::ValueSet{".MP4"});
    filter.setFilterMeta("Resolution", VMCFileFilter::ValueSet());
    r->globals()->setFileFilter(filter);
    r->applyFormatFilterRecur();
    EXPECT_EQ(r->fileURLs(), paths({"tree/b.mkv"})) << "rebuilt from the last scan at once";
}

TEST_F(FolderTree, CollectingLoadsWhatWasNeverLoadedAndFollowsTheSavedSelection) {
    XPropertyDictionary selection;
    selection.set(xpath("tree"), XStr("SubSelected"));
    selection.set(xpath("tree/sub"), XStr("IndivSelected"));
    selection.set(xpath("tree/sub/s1.mp4"), XStr("Checked"));
    selection.set(xpath("tree/other"), XStr("Recursive"));
    auto globals = makeGlobals();
    globals->setSelection(selection);
    clFolderListEntry::Ptr r = clFolderListEntry::rootForURL(xpath("tree"), globals);
    r->applySelectionData(selection);
    EXPECT_FALSE(r->foldersLoaded());
    EXPECT_EQ(collected(r), paths({"tree/other/o.mp4", "tree/sub/s1.mp4"}));
    EXPECT_FALSE(sub(sub(r, "sub"), "deep")->filesLoaded())
        << "an unchecked folder is never descended";
}

TEST_F(FolderTree, AFolderThatCannotBeListedIsReportedAndKeepsItsLists) {
    auto owner = std::make_shared<RecordingOwner>();
    clFolderListEntry::Ptr r = root("tree", owner);
    load(r);
    std::filesystem::rename(path("tree"), path("moved"));
    r->beginRefresh();
    ASSERT_TRUE(mLoop->runUntil([&] { return !owner->errors.empty(); }, 20000));
    EXPECT_EQ(owner->errors.front(), xpath("tree"));
    EXPECT_FALSE(r->accessError().empty());
    EXPECT_EQ(r->folders().size(), 2u);
}

TEST_F(FolderTree, RelativePathsAndCustomNames) {
    clFolderListEntry::Ptr r = loaded();
    r->setCustomName("Tester's Home");
    auto deep = sub(sub(r, "sub"), "deep");
    XStrList all;
    deep->grabRelativePath(all, nullptr);
    EXPECT_EQ(all, (XStrList{"Tester's Home", "sub", "deep"}));
    XStrList below;
    deep->grabRelativePath(below, r.get());
    EXPECT_EQ(below, (XStrList{"sub", "deep"}));
}

TEST(clFolderLister, NamesSortAsPeopleSortThem) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const std::vector<Case> cases = {
        {"Disc 9", "Disc 10", -1},
        {"disc 2", "Disc 10", -1},
        {"a", "B", -1},
        {"x007", "x7", -1},
        {"x7", "x8", -1},
        {"abc", "abc", 0},
        {"abc", "abcd", -1},
        {"Track 02b", "Track 2a", 1},
    };
    for (const Case& c : cases) {
        const int got = clFolderLister::compareNames(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " vs " << c.b;
        const int back = clFolderLister::compareNames(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

}  // namespace

namespace {

TEST_F(FolderTree, TheStandardRootsAreTheHomeFolderFirstAndTheWholeDiskLast) {
    ScopedEnv home("HOME", (path("tree") + "/").c_str());
    ScopedEnv user("USER", "tester");
    auto owner = std::make_shared<RecordingOwner>();
    const std::vector<clFolderListEntry::Ptr> roots =
        clFolderListEntry::rootFoldersWithOwner(owner);
    ASSERT_GE(roots.size(), 2u);
    EXPECT_EQ(roots.front()->url(), xpath("tree"));
    EXPECT_EQ(roots.front()->name(), "tester's Home");
    EXPECT_EQ(roots.back()->url(), "/");
    EXPECT_EQ(roots.back()->name(), "Computer");
    EXPECT_NE(roots.front()->globals(), roots.back()->globals()) << "each root its own globals";
    ScopedEnv noUser("USER", nullptr);
    for (const auto& root : clFolderListEntry::rootFoldersWithOwner(owner)) {
        EXPECT_NE(root->url(), xpath("tree")) << "no home without $USER";
    }
}

}  // namespace
