// Installing an external FFmpeg from a file or an archive and reverting to the internal one:
// what lands in the data folder, what is refused, and that a refusal changes nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "FFmpegDataFolderTest.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAFFmpegArchive.h"
#include "VALocateFFmpeg.h"
#include "XFindProgram.h"

namespace {

const char* kListing = "echo ' ------'\necho ' V....D libx264   libx264 H.264'\n";

class InstallFFmpeg : public FFmpegDataFolderTest {
protected:
    void SetUp() override {
        for (const char* folder : {"bin", "tmp", "src", "outside"}) {
            ASSERT_EQ(mkdir(mDir.file(folder).c_str(), 0700), 0);
        }
        // The internal FFmpeg lists no libx264: only an installed one offers the GPL encoders.
        writeExecutable(mDir.file("bin/ffmpeg"), "#!/bin/sh\necho ' ------'\n");
        FFmpegDataFolderTest::SetUp();
    }
    std::string external() const { return VALocateFFmpeg::pathToExternalFFmpeg().utf8(); }
    std::string marker() const { return VALocateFFmpeg::pathToAutoMarker().utf8(); }
    // A build standing in for FFmpeg: a script that says which one it is.
    void writeBuild(const std::string& path, const std::string& name) {
        writeExecutable(path, "#!/bin/sh\n# " + name + "\n" + kListing);
    }
    // tar of the members below src/ (with -P, so "../" and "/" names stay as given).
    std::string archive(const std::string& name, const std::vector<std::string>& members) {
        const std::string path = mDir.file(name);
        const bool bz2 = name.size() > 4 && name.compare(name.size() - 4, 4, ".bz2") == 0;
        std::vector<std::string> args = {XFindProgram("tar").utf8(), "-C", mDir.file("src"),
                                         bz2 ? "-cjPf" : "-czPf", path};
        args.insert(args.end(), members.begin(), members.end());
        EXPECT_EQ(runProgram(args), 0) << name;
        return path;
    }
    XStr install(const std::string& source, bool isAuto, XStr* why = nullptr) {
        return VALocateFFmpeg::installFrom(XStr(source), isAuto, why) ? "ok" : "refused";
    }

    ScopedEnv mPath{"PATH", (mDir.file("bin") + ":" + std::getenv("PATH")).c_str()};
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
};

TEST_F(InstallFFmpeg, AFileNamedFFmpegIsCopiedAndRevertedWithItsMarker) {
    mkdir(mDir.file("src/chosen").c_str(), 0700);
    writeBuild(mDir.file("src/chosen/ffmpeg"), "chosen");
    ASSERT_EQ(chmod(mDir.file("src/chosen/ffmpeg").c_str(), 0600), 0);
    EXPECT_FALSE(VALocateFFmpeg::gplEncodersOffered());

    EXPECT_EQ(install(mDir.file("src/chosen/ffmpeg"), true), "ok");
    EXPECT_EQ(readTextFile(external()), readTextFile(mDir.file("src/chosen/ffmpeg")));
    // Runnable whatever the source's bits were.
    EXPECT_EQ(permissionsOf(external()) & 0777, 0755u);
    EXPECT_TRUE(VALocateFFmpeg::isAutoInstalled());
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), XStr(external()));
    EXPECT_TRUE(VALocateFFmpeg::gplEncodersOffered());
    // Chosen by hand: the marker goes.
    EXPECT_EQ(install(mDir.file("src/chosen/ffmpeg"), false), "ok");
    EXPECT_TRUE(VALocateFFmpeg::haveExternalFFmpeg());
    EXPECT_FALSE(VALocateFFmpeg::isAutoInstalled());
    // Installing the installed file itself keeps it.
    EXPECT_EQ(install(external(), true), "ok");
    EXPECT_EQ(readTextFile(external()), readTextFile(mDir.file("src/chosen/ffmpeg")));

    VALocateFFmpeg::revertToInternal();
    EXPECT_FALSE(fileExists(external()));
    EXPECT_FALSE(fileExists(marker()));
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), mDir.xfile("bin/ffmpeg"));
    EXPECT_FALSE(VALocateFFmpeg::gplEncodersOffered());
    // Reverting twice is harmless.
    VALocateFFmpeg::revertToInternal();
    EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{});
}

struct ArchiveRow {
    const char* what;
    const char* name;
    std::vector<std::string> members;
    // The build found, or empty when refused.
    const char* installed;
    // A part of the reason of a refusal.
    const char* why;
};

TEST_F(InstallFFmpeg, ArchivesTheirFFmpegAndWhatIsRefused) {
    const std::string src = mDir.file("src");
    writeBuild(src + "/ffmpeg", "top");
    mkdir((src + "/bin").c_str(), 0700);
    writeBuild(src + "/bin/ffmpeg", "bin");
    mkdir((src + "/linked").c_str(), 0700);
    mkdir((src + "/linked/bin").c_str(), 0700);
    writeBuild(src + "/linked/ffmpeg-6.1", "linked");
    ASSERT_EQ(symlink("../ffmpeg-6.1", (src + "/linked/bin/ffmpeg").c_str()), 0);
    mkdir((src + "/out").c_str(), 0700);
    mkdir((src + "/out/bin").c_str(), 0700);
    ASSERT_EQ(symlink(mDir.file("bin/ffmpeg").c_str(), (src + "/out/bin/ffmpeg").c_str()), 0);
    mkdir((src + "/up").c_str(), 0700);
    ASSERT_EQ(symlink("../../outside", (src + "/up/bin").c_str()), 0);
    writeTextFile(mDir.file("escape"), "escaped");
    writeTextFile(src + "/readme", "no FFmpeg here");
    mkdir((src + "/folder").c_str(), 0700);
    mkdir((src + "/folder/ffmpeg").c_str(), 0700);
    mkdir((src + "/folder/bin").c_str(), 0700);
    writeBuild(src + "/folder/bin/ffmpeg", "beside a folder");
    writeTextFile(mDir.file("junk.tar.gz"), "not an archive at all");
    const std::string bzipNamedGzip = mDir.file("bzip.tar.gz");

    const ArchiveRow rows[] = {
        {"top, gzip", "a.tar.gz", {"ffmpeg", "readme"}, "top", ""},
        {"bin, bzip2", "b.tar.bz2", {"bin", "readme"}, "bin", ""},
        {"top before bin", "c.tar.gz", {"bin", "ffmpeg"}, "top", ""},
        {"a link inside the tree",
         "d.tar.bz2",
         {"-C", src + "/linked", "bin", "ffmpeg-6.1"},
         "linked",
         ""},
        {"a folder named ffmpeg",
         "e.tar.gz",
         {"-C", src + "/folder", "ffmpeg", "bin"},
         "beside a folder",
         ""},
        {"a member climbing out", "f.tar.gz", {"ffmpeg", "../escape"}, nullptr, "'../escape'"},
        {"an absolute member",
         "g.tar.gz",
         {"ffmpeg", mDir.file("escape")},
         nullptr,
         "outside its folder"},
        {"a link to a file outside",
         "h.tar.gz",
         {"-C", src + "/out", "bin"},
         nullptr,
         "'bin/ffmpeg'"},
        {"a link to a folder outside",
         "i.tar.gz",
         {"ffmpeg", "-C", src + "/up", "bin"},
         nullptr,
         "link that points outside its folder: 'bin'"},
        {"no FFmpeg", "j.tar.gz", {"readme"}, nullptr, "holds no 'ffmpeg'"},
        {"not an archive", "junk.tar.gz", {}, nullptr, "cannot be read"},
        {"another compression", "bzip.tar.gz", {}, nullptr, "cannot be read"},
        {"another kind of name", "k.tar.xz", {}, nullptr, "neither a file named 'ffmpeg'"},
    };
    // The bzip2 archive under a gzip name.
    archive("bzip.tar.bz2", {"ffmpeg"});
    ASSERT_EQ(rename(mDir.file("bzip.tar.bz2").c_str(), bzipNamedGzip.c_str()), 0);
    writeTextFile(mDir.file("k.tar.xz"), "");

    // Something installed before, which every refusal must leave as it is.
    mkdir(mDir.file("prev").c_str(), 0700);
    writeBuild(mDir.file("prev/ffmpeg"), "previous");
    for (const ArchiveRow& row : rows) {
        ASSERT_EQ(install(mDir.file("prev/ffmpeg"), true), "ok");
        const std::string path =
            row.members.empty() ? mDir.file(row.name) : archive(row.name, row.members);
        XStr why;
        const XStr result = install(path, false, &why);
        if (row.installed != nullptr) {
            EXPECT_EQ(result, "ok") << row.what << ": " << why;
            EXPECT_NE(readTextFile(external()).find(std::string("# ") + row.installed),
                      std::string::npos)
                << row.what;
            EXPECT_FALSE(VALocateFFmpeg::isAutoInstalled()) << row.what;
        } else {
            EXPECT_EQ(result, "refused") << row.what;
            EXPECT_NE(why.find(XStr(row.why)), XStr::npos) << row.what << ": " << why;
            EXPECT_NE(readTextFile(external()).find("# previous"), std::string::npos) << row.what;
            EXPECT_TRUE(VALocateFFmpeg::isAutoInstalled()) << row.what;
        }
        // Nothing reached outside, nothing is left in the temporary folder.
        EXPECT_EQ(folderEntries(mDir.file("outside")), std::vector<std::string>{}) << row.what;
        EXPECT_EQ(readTextFile(mDir.file("escape")), "escaped") << row.what;
        EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{}) << row.what;
        const std::vector<std::string> data =
            row.installed != nullptr ? std::vector<std::string>{"ffmpeg"}
                                     : std::vector<std::string>{"ffmpeg", "ffmpeg.auto"};
        EXPECT_EQ(folderEntries(mDir.file("data/VantaroVideo")), data) << row.what;
    }
}

TEST(FFmpegArchive, MemberNames) {
    for (const char* name :
         {"ffmpeg", "bin/ffmpeg", "./bin/ffmpeg", "a/./b", "a..b", "..a/b", "a/b..", "bin/"}) {
        EXPECT_TRUE(VAFFmpegArchive::isSafeMemberName(name)) << name;
    }
    for (const char* name : {"", "/etc/passwd", "../x", "a/../../x", "a/..", "..", "a/../b"}) {
        EXPECT_FALSE(VAFFmpegArchive::isSafeMemberName(name)) << name;
    }
    EXPECT_EQ(VAFFmpegArchive::tarFlagsFor("/x/a.tar.gz"), "xzf");
    EXPECT_EQ(VAFFmpegArchive::tarFlagsFor("a.tar.bz2"), "xjf");
    EXPECT_EQ(VAFFmpegArchive::tarFlagsFor("a.tgz"), "");
    EXPECT_EQ(VAFFmpegArchive::tarFlagsFor("a.tar.gz.txt"), "");
}

}  // namespace
