// Destination folders as plain paths: resolving, preparing with the write probe, folders
// of disks that are not mounted, and the display forms of paths.
#include "VMCLocationDescriptor.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "TestSupport.h"
#include "VMCFriendlyPath.h"

namespace {

uint32_t gNow = 0;
uint32_t fakeClock() {
    return gNow;
}

bool exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// Entries of a folder other than "." and "..".
std::size_t entriesIn(const std::string& folder) {
    std::size_t n = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* e = readdir(dir)) {
            n += std::string(e->d_name) != "." && std::string(e->d_name) != ".." ? 1 : 0;
        }
        closedir(dir);
    }
    return n;
}

// A home folder with its own user-dirs file: the videos folder lives elsewhere and the
// music folder is the home folder itself (which is how a user switches one off).
class UserHome : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("home").c_str(), 0700), 0);
        ASSERT_EQ(mkdir(mDir.file("config").c_str(), 0700), 0);
        writeTextFile(mDir.file("config/user-dirs.dirs"), "XDG_VIDEOS_DIR=\"" + mDir.file("films") +
                                                              "\"\n"
                                                              "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    }
    XStr home(const std::string& rest = "") const { return XStr(mDir.file("home") + rest); }

    TestTempDir mDir;
    ScopedEnv mHome{"HOME", mDir.file("home").c_str()};
    ScopedEnv mConfig{"XDG_CONFIG_HOME", mDir.file("config").c_str()};
    ScopedEnv mUser{"USER", "tester"};
};

}  // namespace

TEST(VMCLocationDescriptor, ConstructorsGiveTheirFolders) {
    TestTempDir dir;
    ScopedEnv config("XDG_CONFIG_HOME", dir.path().c_str());
    ScopedEnv home("HOME", "/home/tester");
    EXPECT_EQ(VMCLocationDescriptor::withDefaultFolder().url(), "/home/tester/Videos");
    EXPECT_EQ(VMCLocationDescriptor::root().url(), "/");
    EXPECT_EQ(VMCLocationDescriptor::withURL("/a/./b/../c/").url(), "/a/c");
    EXPECT_EQ(VMCLocationDescriptor::withFolderPath("/a").url(), "/a");
    EXPECT_FALSE(VMCLocationDescriptor().hasURL());
    EXPECT_TRUE(VMCLocationDescriptor::withURL("/a").bookmark().empty());

    const VMCLocationDescriptor marked =
        VMCLocationDescriptor::withBookmark({1, 2, 3}, "", "/home/tester/Films");
    EXPECT_EQ(marked.url(), "/home/tester/Films");
    EXPECT_EQ(marked.friendlyName(), "~/Films");
    EXPECT_EQ(VMCLocationDescriptor::withBookmark({1}, "Films", "/x").friendlyName(), "Films");

    // The same folder, or else the same bookmark.
    EXPECT_TRUE(
        VMCLocationDescriptor::withURL("/a/b").isEqualTo(VMCLocationDescriptor::withURL("/a/b/")));
    EXPECT_FALSE(
        VMCLocationDescriptor::withURL("/a/b").isEqualTo(VMCLocationDescriptor::withURL("/a/c")));
    EXPECT_TRUE(VMCLocationDescriptor::withBookmark({7}, "", "/a")
                    .isEqualTo(VMCLocationDescriptor::withBookmark({7}, "", "/b")));
    EXPECT_FALSE(VMCLocationDescriptor().isEqualTo(VMCLocationDescriptor()));
}

TEST(VMCLocationDescriptor, ResolvesWhatExistsOrCanBeMadeAndWaitsAMinuteAfterAFailure) {
    TestTempDir dir;
    VMCLocationDescriptor::setClockForTesting(fakeClock);
    gNow = 1000;
    struct Case {
        std::string folder;
        bool resolves;
    };
    writeTextFile(dir.file("file"), "x");
    const Case cases[] = {
        {dir.path(), true},
        {dir.file("new/deeper"), true},
        {dir.file("file/below"), false},
        {"/mnt/vantaro-absent-" + std::to_string(getpid()) + "/Films", false},
    };
    for (const Case& c : cases) {
        VMCLocationDescriptor d = VMCLocationDescriptor::withURL(XStr(c.folder));
        EXPECT_EQ(d.resolve(), c.resolves) << c.folder;
        EXPECT_EQ(d.resolved(), c.resolves) << c.folder;
        EXPECT_FALSE(exists(dir.file("new"))) << "resolving makes nothing";
    }

    VMCLocationDescriptor d = VMCLocationDescriptor::withURL(dir.xfile("file/below"));
    EXPECT_FALSE(d.resolveAndMount());
    ASSERT_EQ(unlink(dir.file("file").c_str()), 0);
    gNow += 59999;
    EXPECT_FALSE(d.resolveAndMount()) << "no new attempt within the minute";
    gNow += 1;
    EXPECT_TRUE(d.resolveAndMount());
    VMCLocationDescriptor::setClockForTesting(nullptr);
}

TEST(VMCLocationDescriptor, PrepareFolderMakesTheFoldersAndProbesThatFilesCanBeMade) {
    TestTempDir dir;
    VMCLocationDescriptor d = VMCLocationDescriptor::withURL(dir.xfile("a/b/c"));
    XStr why;
    ASSERT_TRUE(d.prepareFolder(&why)) << why;
    EXPECT_TRUE(exists(dir.file("a/b/c")));
    EXPECT_EQ(entriesIn(dir.file("a/b/c")), 0u) << "the probe file is gone again";
    EXPECT_TRUE(d.sanity());

    // A file of the probe's name is the user's: it stays as it is.
    writeTextFile(dir.file("a/b/c/.vantaro-write-test"), "mine");
    EXPECT_TRUE(d.prepareFolder());
    EXPECT_EQ(readTextFile(dir.file("a/b/c/.vantaro-write-test")), "mine");
    EXPECT_EQ(entriesIn(dir.file("a/b/c")), 1u);

    struct Case {
        std::string folder;
        const char* why;
    };
    writeTextFile(dir.file("file"), "x");
    const std::string volume = "/mnt/vantaro-absent-" + std::to_string(getpid());
    const Case cases[] = {
        {dir.file("file/below"), "Not a directory"},
        // A folder that exists but takes no files, even from root.
        {"/proc/self", "no file can be made in it"},
        {volume + "/Films", "is not mounted"},
        {"", "no folder is set"},
    };
    for (const Case& c : cases) {
        VMCLocationDescriptor failing = VMCLocationDescriptor::withURL(XStr(c.folder));
        why.clear();
        EXPECT_FALSE(failing.prepareFolder(&why)) << c.folder;
        EXPECT_TRUE(why.contains(c.why)) << c.folder << ": " << why;
    }
    EXPECT_FALSE(exists(volume)) << "the mount point of a missing disk is never made";
    EXPECT_FALSE(VMCLocationDescriptor::withURL(XStr(volume)).sanity());
}

TEST(VMCLocationDescriptor, FoldersOnVolumesAreNoPlainURLs) {
    ScopedEnv user("USER", "tester");
    struct Case {
        const char* folder;
        bool url;
    };
    const Case cases[] = {
        {"/home/tester/Videos", true},    {"/mnt/disk/Films", false},
        {"/media/tester/Disk", false},    {"/Volumes/Disk/x", false},
        {"/media/tester", true},          {"/mnt", true},
        {"/run/media/tester/USB", false}, {"/Network/Server/share", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCLocationDescriptor::withURL(c.folder).canStoreAsURL(), c.url) << c.folder;
    }
}

TEST_F(UserHome, PathsAreShownWithTheHomeFolderAndTheWellKnownFoldersShort) {
    struct Case {
        XStr path;
        XStr ext;
        XStr name;
        XStr folder;
    };
    const XStr films = XStr(mDir.file("films"));
    const Case cases[] = {
        {home("/Documents/letters/a.txt"), "Documents/letters/a.txt", "Documents/letters/a",
         "Documents/letters/a.txt"},
        {films + "/clip.mp4", "Videos/clip.mp4", "Videos/clip", "Videos/clip.mp4"},
        {films, "Videos", "Videos", "Videos"},
        {home("/Downloads/"), "Downloads", "Downloads", "Downloads"},
        {home("/Pictures2/x"), "~/Pictures2/x", "~/Pictures2/x", "~/Pictures2/x"},
        {home(), "~", "~", "tester"},
        {home("/"), "~", "~", "tester"},
        {"/etc/hosts", "/etc/hosts", "/etc/hosts", "/etc/hosts"},
        {"/mnt/Disk/Films/a.mkv", "/mnt/Disk/Films/a.mkv", "/mnt/Disk/Films/a", "Disk/Films/a.mkv"},
        {"/media/tester/USB", "/media/tester/USB", "/media/tester/USB", "USB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCFriendlyPath::friendlyNameExt(c.path), c.ext) << c.path;
        EXPECT_EQ(VMCFriendlyPath::friendlyName(c.path), c.name) << c.path;
        EXPECT_EQ(VMCFriendlyPath::friendlyFolderName(c.path), c.folder) << c.path;
    }
}

TEST_F(UserHome, ShownPathsLeadBackToTheirFilesCleaned) {
    struct Case {
        XStr shown;
        XStr ext;
        XStr path;
    };
    const Case cases[] = {
        {"Videos/clip", ".mp4", XStr(mDir.file("films/clip.mp4"))},
        {"Documents/a - 12:00", ".mkv", home("/Documents/a - 12:00.mkv")},
        {"~/x/.hidden", ".mp4", home("/x/hidden.mp4")},
        {"/tmp//a/", "", "/tmp/a"},
        {"Desktop/x", ".mp4", "Desktop/x.mp4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCFriendlyPath::fileURLFromFriendlyName(c.shown, c.ext), c.path) << c.shown;
    }
    EXPECT_EQ(VMCFriendlyPath::fileURLFromFriendlyNameTakingExtension("Videos/b", "/x/a.mov"),
              XStr(mDir.file("films/b.mov")));
}
