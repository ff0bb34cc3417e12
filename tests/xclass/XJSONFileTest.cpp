#include <gtest/gtest.h>

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "FifoRescue.h"
#include "JSONTestSupport.h"
#include "TestSupport.h"
#include "XJSON.h"
#include "XSys.h"

namespace {

ssize_t failingWrite(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

XJSON::Owned sampleDocument() {
    auto object = std::make_unique<XJSON::Object>();
    object->Add("name", std::make_unique<XJSON::String>("caf\u00e9"));
    object->AddArray("list").Add(std::make_unique<XJSON::Number>(1.5));
    return object;
}

// Reading

TEST(XJSONFile, ReadsAWholeFileUpToItsSizeLimit) {
    TestTempDir dir;
    writeTextFile(dir.file("a.json"), "{\"name\":\"caf\xc3\xa9\", \"n\":[1, 2]}");
    const XJSON::Owned value = XJSON::ReadFile(dir.xfile("a.json"), 1000);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(describe(*value), "{name:\"caf<E9>\",n:[1,2]}");
    // A byte order mark is not skipped.
    writeTextFile(dir.file("bom.json"), "\xef\xbb\xbf{}");
    EXPECT_EQ(XJSON::ReadFile(dir.xfile("bom.json"), 1000), nullptr);
    // Missing or oversized files give no value.
    EXPECT_EQ(XJSON::ReadFile(dir.xfile("missing.json"), 1000), nullptr);
    writeTextFile(dir.file("ten.json"), "[1,2,3,4] ");
    EXPECT_EQ(XJSON::ReadFile(dir.xfile("ten.json"), 9), nullptr);
    EXPECT_NE(XJSON::ReadFile(dir.xfile("ten.json"), 10), nullptr);
    EXPECT_EQ(XJSON::ReadFile(dir.xfile(""), 10), nullptr);
    EXPECT_EQ(XJSON::ReadFile(XStr(dir.path()), 1000000), nullptr);
    // A sparse file far larger than memory is refused by its size before anything is read,
    // not by a failed allocation.
    const std::string huge = dir.file("huge.json");
    writeTextFile(huge, "[1]");
    ASSERT_EQ(truncate(huge.c_str(), int64_t{1} << 36), 0);
    errno = 0;
    EXPECT_EQ(XJSON::ReadFile(XStr(huge), 1 << 20), nullptr);
    EXPECT_EQ(errno, EFBIG);
}

TEST(XJSONFile, OnlyRegularFilesAreRead) {
    TestTempDir dir;
    // A FIFO without a writer is refused at once instead of waited on.
    FifoRescue fifo(dir.file("pipe.json"));
    ASSERT_TRUE(fifo.made());
    EXPECT_EQ(XJSON::ReadFile(dir.xfile("pipe.json"), 1000000), nullptr);
    EXPECT_FALSE(fifo.fired()) << "the reader waited for a writer";
    // A link to a regular file is one.
    writeTextFile(dir.file("real.json"), "[1]");
    ASSERT_EQ(symlink(dir.file("real.json").c_str(), dir.file("link.json").c_str()), 0);
    EXPECT_NE(XJSON::ReadFile(dir.xfile("link.json"), 1000), nullptr);
    // A device is none, however much it would give.
    ASSERT_EQ(symlink("/dev/zero", dir.file("zero.json").c_str()), 0);
    errno = 0;
    EXPECT_EQ(XJSON::ReadFile(dir.xfile("zero.json"), 1 << 30), nullptr);
    EXPECT_EQ(errno, EINVAL);
}

TEST(XJSONFile, MalformedUtf8KeepsItsBytes) {
    TestTempDir dir;
    writeTextFile(dir.file("bad.json"), "{\"a\":\"x\xffy\", \"b\":2}");
    const XJSON::Owned value = XJSON::ReadFile(dir.xfile("bad.json"), 1000);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(describe(*value), "{a:\"x<DCFF>y\",b:2}");
    EXPECT_EQ(value->AsObject().Get("a").AsString().Value.utf8(), "x\xffy");
}

TEST(XJSONFile, NamesThatAreNotUtf8SurviveAWriteAndARead) {
    TestTempDir dir;
    const std::string name = "/media/lat\xe9 \xff\xfe.mp4";
    XJSON::Object object;
    object.Add("path", std::make_unique<XJSON::String>(XStr(name)));
    ASSERT_TRUE(XJSON::WriteFileAtomically(dir.xfile("names.json"), &object));
    const std::string written = readTextFile(dir.file("names.json"));
    // Well-formed UTF-8 on disk: every odd byte is an escape.
    EXPECT_EQ(written, "{\n    \"path\":\"/media/lat\\uDCE9 \\uDCFF\\uDCFE.mp4\"\n}");
    const XJSON::Owned back = XJSON::ReadFile(dir.xfile("names.json"), 1000);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->AsObject().Get("path").AsString().Value.utf8(), name);
}

// Writing

TEST(XJSONFile, WriteFileWritesUtf8WithoutMarkOrFinalLineFeedOverLongerContent) {
    TestTempDir dir;
    writeTextFile(dir.file("out.json"), std::string(1000, 'x'));
    const XJSON::Owned value = sampleDocument();
    ASSERT_TRUE(XJSON::WriteFile(dir.xfile("out.json"), value.get()));
    EXPECT_EQ(readTextFile(dir.file("out.json")),
              "{\n    \"name\":\"caf\xc3\xa9\",\n    \"list\":[1.5]\n}");
}

TEST(XJSONFile, WritingNoValueOrIntoNoFolderFails) {
    TestTempDir dir;
    EXPECT_FALSE(XJSON::WriteFile(dir.xfile("out.json"), nullptr));
    EXPECT_FALSE(XJSON::WriteFileAtomically(dir.xfile("out.json"), nullptr));
    EXPECT_FALSE(fileExists(dir.file("out.json")));
    const XJSON::Null value;
    EXPECT_FALSE(XJSON::WriteFile(dir.xfile("no/such/folder.json"), &value));
}

TEST(XJSONFile, AFailedWriteLeavesNoFileBehind) {
    TestTempDir dir;
    writeTextFile(dir.file("out.json"), "old");
    const XJSON::Owned value = sampleDocument();
    {
        XSysOverride seam;
        seam.calls().write = failingWrite;
        EXPECT_FALSE(XJSON::WriteFile(dir.xfile("out.json"), value.get()));
    }
    EXPECT_FALSE(fileExists(dir.file("out.json")));
}

TEST(XJSONFile, AtomicWriteReplacesTheFileWholeOrNotAtAll) {
    TestTempDir dir;
    writeTextFile(dir.file("out.json"), "old");
    const XJSON::Owned value = sampleDocument();
    ASSERT_TRUE(XJSON::WriteFileAtomically(dir.xfile("out.json"), value.get()));
    const XJSON::Owned back = XJSON::ReadFile(dir.xfile("out.json"), 1000);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->Equals(*value));
    writeTextFile(dir.file("out.json"), "{\"old\":1}");
    {
        XSysOverride seam;
        seam.calls().write = failingWrite;
        EXPECT_FALSE(XJSON::WriteFileAtomically(dir.xfile("out.json"), value.get()));
    }
    EXPECT_EQ(readTextFile(dir.file("out.json")), "{\"old\":1}");
}

}  // namespace
