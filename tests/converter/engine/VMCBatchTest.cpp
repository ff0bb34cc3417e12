#include "VMCBatch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include "TestSupport.h"
#include "VAConvertProcessShared.h"
#include "VAConvertSourceConcat.h"

namespace {

std::shared_ptr<VAConversionSpec> specWith(std::vector<VADSPSpec> chain, const XStr& encoderArgs) {
    auto spec = std::make_shared<VAConversionSpec>();
    spec->dspEffects = std::move(chain);
    spec->EncoderArgsV2.strArgs = encoderArgs;
    return spec;
}

}  // namespace

// The arguments of a job: effects in chain order, then the encoder; the parallel encoders a
// chain forces.
TEST(VMCBatchCommandLine, EachChainAndEncoderTextGivesItsArguments) {
    const VADSPSpec force{"Multi-CPU Force", "-threads=\"2\" -vantaro_thread_count=\"3\""};
    EXPECT_EQ(VMCBatch::argsOfDSP(force), "-threads 2");
    const struct {
        std::vector<VADSPSpec> chain;
        const char* encoder;
        const char* args;
        int64_t threads;
    } rows[] = {
        // The two -vf options stay apart here; the run merges them.
        {{{"Scale Absolute", "-vf scale=640:-2"},
          {"Not Configured", ""},
          {"Deinterlace", "-vf yadif"}},
         "-c:v libx264 -crf 23",
         "-vf scale=640:-2 -vf yadif -c:v libx264 -crf 23",
         0},
        {{}, "-c:v png -PNGOPTIMIZE", "-c:v png", 0},
        {{{"Crop", "-vf crop=10:10"}}, "-PNGOPTIMIZE", "-vf crop=10:10", 0},
        // Split at single blanks and joined again only when the marker was there, so other
        // spacing inside quoted values is never disturbed.
        {{}, "-metadata \"title=a  b\"", "-metadata \"title=a  b\"", 0},
        {{{"Crop", "-vf crop=1:1"}}, "", "-vf crop=1:1", 0},
        {{force}, "-c:v libx264", "-threads 2 -c:v libx264", 3},
        {{{"Multi-CPU Force", "-vantaro_thread_count=\"2\""}}, "-an", "-an", 2},
        // The lower-case name is another effect: names compare exactly. The first force with
        // a count wins.
        {{{"Multi-CPU Force", "-threads=\"4\""},
          {"multi-cpu force", "-vantaro_thread_count=\"9\""},
          {"Multi-CPU Force", "-vantaro_thread_count=\"2\""},
          {"Multi-CPU Force", "-vantaro_thread_count=\"5\""}},
         "",
         "-threads 4 -vantaro_thread_count=\"9\"",
         2},
        {{{"Crop", "-vantaro_thread_count=\"2\""}}, "", "-vantaro_thread_count=\"2\"", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        const VMCBatch batch(specWith(row.chain, row.encoder));
        EXPECT_EQ(batch.commandLine(), row.args);
        EXPECT_EQ(batch.userThreadCount(), row.threads);
    }
}

// Another encoder of several: its own chain after the main one, its text kept as it is.
TEST(VMCBatchCommandLine, MultiEncoderAddsItsOwnChainAfterTheMainOne) {
    VMCBatch batch(specWith({{"Crop", "-vf crop=100:100"}}, "ignored for multi"));
    VMCMultiEncEntry entry;
    entry.dspEffects = {{"Mute Audio", "-an"}};
    entry.encoderArgsV2.strArgs = "-c:v libvpx -PNGOPTIMIZE";
    EXPECT_EQ(batch.multiCommandLine(entry), "-vf crop=100:100 -an -c:v libvpx -PNGOPTIMIZE");
}

TEST(VMCBatchSpecialActions, CollectedOnceFromBothChains) {
    VMCBatch batch(specWith(
        {{"Delete Source File", ""}, {"Crop", "-vf crop=1:1"}, {"Delete Source File", ""}}, ""));
    EXPECT_EQ(batch.prepareSpecialActions(nullptr), (std::set<XStr>{"Delete Source File"}));
    VMCMultiEncEntry entry;
    entry.dspEffects = {{"Preserve Source Attributes", ""}};
    EXPECT_EQ(batch.prepareSpecialActions(&entry),
              (std::set<XStr>{"Delete Source File", "Preserve Source Attributes"}));
    EXPECT_TRUE(VMCBatch(specWith({}, "")).prepareSpecialActions(nullptr).empty());
}

namespace {

class PostActions : public ::testing::Test {
protected:
    VMCProcessArg argFor(std::shared_ptr<VAConvertSource> src, const std::string& to,
                         std::set<XStr> actions) {
        VMCProcessArg arg;
        arg.srcFrom = std::move(src);
        arg.urlTo = XStr(to);
        arg.specialActions = std::move(actions);
        return arg;
    }
    TestTempDir mDir;
};

void setTimes(const std::string& path, time_t atime, time_t mtime, long usec) {
    timeval tv[2] = {{atime, usec}, {mtime, usec}};
    ASSERT_EQ(utimes(path.c_str(), tv), 0);
}

}  // namespace

TEST_F(PostActions, PreserveCopiesTimesBeforeDeletingTheSource) {
    const std::string src = mDir.file("in.mov");
    const std::string dst = mDir.file("out.mp4");
    writeTextFile(src, "source");
    writeTextFile(dst, "output");
    setTimes(src, 1000000000, 1200000000, 123456);
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(XStr(src)), dst,
               {"Preserve Source Attributes", "Delete Source File"}));
    struct stat st {};
    ASSERT_EQ(stat(dst.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123456000);
    EXPECT_EQ(st.st_atim.tv_sec, 1000000000);
    EXPECT_FALSE(fileExists(src));
    EXPECT_EQ(readTextFile(dst), "output");
}

TEST_F(PostActions, JoinedSourcesAreAllDeleted) {
    auto concat = std::make_shared<VAConvertSourceConcat>();
    XStrList parts;
    for (const char* name : {"a.mp4", "b.mp4", "c.mp4"}) {
        writeTextFile(mDir.file(name), name);
        parts.push_back(mDir.xfile(name));
    }
    concat->setConcatURLs(parts);
    writeTextFile(mDir.file("joined.mp4"), "joined");
    VAConvertProcessShared::handleSpecialActions(
        argFor(concat, mDir.file("joined.mp4"), {"Delete Source File"}));
    EXPECT_FALSE(fileExists(mDir.file("a.mp4")));
    EXPECT_FALSE(fileExists(mDir.file("b.mp4")));
    EXPECT_FALSE(fileExists(mDir.file("c.mp4")));
    EXPECT_TRUE(fileExists(mDir.file("joined.mp4")));
}

TEST_F(PostActions, NeverDeletesTheJobsOwnDestination) {
    const std::string clip = mDir.file("clip.mp4");
    writeTextFile(clip, "new output");
    // Same path, path differing in ASCII case, and a second name of the same file.
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(XStr(clip)), clip, {"Delete Source File"}));
    EXPECT_TRUE(fileExists(clip));
    // The run treats paths differing in ASCII case as one file and wrote the output over
    // it, so such a source is kept too.
    writeTextFile(mDir.file("CLIP.mp4"), "other case");
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(mDir.xfile("CLIP.mp4")), clip, {"Delete Source File"}));
    EXPECT_TRUE(fileExists(mDir.file("CLIP.mp4")));
    ASSERT_EQ(link(clip.c_str(), mDir.file("hardlink.mp4").c_str()), 0);
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(mDir.xfile("hardlink.mp4")), clip, {"Delete Source File"}));
    EXPECT_TRUE(fileExists(mDir.file("hardlink.mp4")));
    EXPECT_EQ(readTextFile(clip), "new output");

    // A joined source that lists the destination among its parts keeps that one.
    writeTextFile(mDir.file("part.mp4"), "part");
    auto concat = std::make_shared<VAConvertSourceConcat>();
    concat->setConcatURLs({mDir.xfile("part.mp4"), XStr(clip)});
    VAConvertProcessShared::handleSpecialActions(argFor(concat, clip, {"Delete Source File"}));
    EXPECT_FALSE(fileExists(mDir.file("part.mp4")));
    EXPECT_TRUE(fileExists(clip));
}

TEST_F(PostActions, FailuresAreSilentAndNothingHappensWithoutActions) {
    const std::string src = mDir.file("keep.mov");
    writeTextFile(src, "x");
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(XStr(src)), mDir.file("out.mp4"), {}));
    EXPECT_TRUE(fileExists(src));
    // A missing source and destination: nothing to copy or delete, and no crash.
    VAConvertProcessShared::handleSpecialActions(
        argFor(VAConvertSource::withURL(mDir.xfile("missing.mov")), mDir.file("gone.mp4"),
               {"Preserve Source Attributes", "Delete Source File"}));
    EXPECT_FALSE(fileExists(mDir.file("gone.mp4")));
}
