#include "VASourceList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

namespace {

class VASourceListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("clips").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("clips/sub").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("empty").c_str(), 0755), 0);
        for (const char* name : {"clips/b.mov", "clips/a clip.mp4", "clips/.hidden.mp4",
                                 "clips/sub/deeper.mp4", "clips/n\xe9.mkv", "single.wav"}) {
            writeTextFile(mDir.file(name), "");
        }
        ASSERT_EQ(symlink(mDir.file("clips/b.mov").c_str(), mDir.file("clips/link.mov").c_str()),
                  0);
    }
    TestTempDir mDir;
};

// Each path alone: a file as it is, a folder as its visible regular files (links followed)
// in name order, anything else as a message; a name that is not UTF-8 keeps its bytes.
TEST_F(VASourceListTest, EachPathGivesItsFilesOrAMessage) {
    struct Row {
        std::string operand;
        std::vector<std::string> files;
        std::string error;
    };
    const std::string d = mDir.path();
    const std::vector<Row> rows = {
        {d + "/single.wav", {d + "/single.wav"}, ""},
        {d + "/clips/../single.wav", {d + "/single.wav"}, ""},
        {d + "/clips/",
         {d + "/clips/a clip.mp4", d + "/clips/b.mov", d + "/clips/link.mov",
          d + "/clips/n\xe9.mkv"},
         ""},
        {d + "/clips/n\xe9.mkv", {d + "/clips/n\xe9.mkv"}, ""},
        {d + "/empty", {}, ""},
        {d + "/missing.mp4", {}, "No such file: '" + d + "/missing.mp4'"},
        {d + "/single.wav/x", {}, "No such file: '" + d + "/single.wav/x'"},
        {d + "/gone\xff", {}, "No such file: '" + d + "/gone\\377'"},
    };
    const VASourceList list;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.operand);
        XStrList files{"/before"};
        std::string error;
        EXPECT_EQ(list.expandOne(XStr(row.operand), files, error), row.error.empty());
        EXPECT_EQ(error, row.error);
        std::vector<std::string> got;
        for (std::size_t i = 1; i < files.size(); ++i) {
            got.push_back(files[i].utf8());
        }
        EXPECT_EQ(got, row.files);
        EXPECT_EQ(files.front(), XStr("/before")) << "files are appended";
    }
}

TEST_F(VASourceListTest, AFolderThatCannotBeListedIsNamedWithTheReason) {
    VASourceList list;
    list.setFolderLister([](const std::string&, std::vector<std::string>&, int& error) {
        error = EACCES;
        return false;
    });
    XStrList files;
    std::string error;
    EXPECT_FALSE(list.expand({mDir.xfile("single.wav"), mDir.xfile("clips")}, files, error));
    EXPECT_EQ(error, "Cannot read folder '" + mDir.file("clips") + "': Permission denied");
    EXPECT_EQ(files, XStrList{mDir.xfile("single.wav")}) << "what came before stays";
}

}  // namespace

namespace {

// Files of folders the list does not want are counted, once per folder; a file named on its
// own is taken whatever it is.
TEST_F(VASourceListTest, FilesOfFoldersThatAreNotWantedAreCountedAndLeftOut) {
    writeTextFile(mDir.file("clips/notes.txt"), "");
    writeTextFile(mDir.file("empty/readme.txt"), "");
    VASourceList list;
    list.setFileWanted([](const XStr& name) { return !name.endsWith(".txt") && name != "b.mov"; });
    const std::string d = mDir.path();
    XStrList files;
    std::string error;
    std::vector<std::string> notes;
    ASSERT_TRUE(list.expand({XStr(d + "/clips"), XStr(d + "/empty"), XStr(d + "/empty/readme.txt")},
                            files, error, &notes));
    EXPECT_EQ(files, (XStrList{XStr(d + "/clips/a clip.mp4"), XStr(d + "/clips/link.mov"),
                               XStr(d + "/clips/n\xe9.mkv"), XStr(d + "/empty/readme.txt")}));
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "Left out 2 files in '" + d + "/clips' that are not media files",
                         "Left out 1 file in '" + d + "/empty' that is not a media file"}));
}

}  // namespace
