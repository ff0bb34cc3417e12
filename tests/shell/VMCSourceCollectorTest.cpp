#include "VMCSourceCollector.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"

namespace {

// A dropped folder gives its media files (any case of extension), not its notes, pictures
// or hidden files; a file dropped on its own is taken whatever it is.
TEST(VMCSourceCollector, AFolderGivesItsMediaFilesAndAFileIsTakenAsItIs) {
    TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("clips").c_str(), 0755), 0);
    for (const char* name : {"a.mp4", "b.txt", "c.MKV", ".d.mp4", "e.jpg", "f.mp3"}) {
        writeTextFile(dir.file(std::string("clips/") + name), "x");
    }
    writeTextFile(dir.file("notes.txt"), "x");

    const VMCSourceCollector::Result result =
        VMCSourceCollector::collect({dir.xfile("clips"), dir.xfile("notes.txt")});
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.files, (XStrList{dir.xfile("clips/a.mp4"), dir.xfile("clips/c.MKV"),
                                      dir.xfile("clips/f.mp3"), dir.xfile("notes.txt")}));

    const VMCSourceCollector::Result missing = VMCSourceCollector::collect({dir.xfile("gone")});
    EXPECT_TRUE(missing.files.empty());
    EXPECT_EQ(missing.errors.size(), 1u);
}

}  // namespace
