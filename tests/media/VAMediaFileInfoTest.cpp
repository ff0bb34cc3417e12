#include "VAMediaFileInfo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>

#include "TestSupport.h"
#include "VAMediaProbe.h"

namespace {

// An ffprobe stand-in that prints "<file>.report", or dies by a signal for a file named
// "crash".
class VAMediaFileInfoTest : public ::testing::Test {
protected:
    VAMediaFileInfoTest() {
        const std::string program = mDir.file("report-ffprobe");
        writeExecutable(program,
                        "#!/bin/sh\n"
                        "for last; do :; done\n"
                        "case \"$last\" in *crash) kill -SEGV $$ ;; esac\n"
                        "cat \"$last.report\" 2>/dev/null || printf '{\\n\\n}\\n'\n");
        VAMediaProbe::setFFprobePath(XStr(program));
    }
    ~VAMediaFileInfoTest() override { VAMediaProbe::setFFprobeLocator(nullptr); }

    XStr media(const std::string& name, const std::string& report) {
        const std::string path = mDir.file(name);
        writeTextFile(path, "x");
        setModifiedTime(path, {1600000000, 999999999});
        writeTextFile(path + ".report", report);
        return XStr(path);
    }

    TestTempDir mDir;
};

const char* const kReport =
    R"({"streams": [{"codec_type": "audio", "codec_long_name": "MP3", "channels": 2}],
        "format": {"duration": "61.5", "bit_rate": "128000",
                   "tags": {"title": "Song", "_albumart_3": "cover", "_crc": "1", "artist": "A"}}})";

}  // namespace

TEST_F(VAMediaFileInfoTest, ReadFromFileFillsBothSetsLengthAndTime) {
    const XStr path = media("song.mp3", kReport);
    const std::shared_ptr<VAMediaFileInfo> info = VAMediaFileInfo::readFromFile(path);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->url(), path);
    EXPECT_EQ(info->lengthMS(), 61500u);
    // Whole seconds of the modification time, in file time.
    EXPECT_EQ(info->lastModified(), 1600000000ull * 10000000 + 116444736000000000ull);
    EXPECT_EQ(info->getIDTagValueOf("TITLE"), "Song");
    EXPECT_EQ(info->IDTags().tagCount(), 4u);
    EXPECT_EQ(info->getAudioPropsValueOf("length"), "1:01");
    EXPECT_EQ(info->getAudioPropsValueOf("Bit Rate"), "128 kbps");
    EXPECT_EQ(info->getAudioPropsValueOf("Channels"), "2");
    EXPECT_EQ(info->getAudioPropsValueOf("Streams"), "0 Audio : MP3");
    EXPECT_EQ(info->formatName(), "");
    EXPECT_TRUE(info->probedCleanly());
}

TEST_F(VAMediaFileInfoTest, TheLiteReadDropsSpecialElements) {
    const auto info = VAMediaFileInfo::readLiteInfoFromFile(media("song.mp3", kReport));
    EXPECT_EQ(info->IDTags().elemNameSet(), (std::set<XStr>{"title", "artist"}));
    EXPECT_EQ(info->MediaProps().tagCount(), 4u);
}

TEST_F(VAMediaFileInfoTest, WithoutFFprobeThereIsNoRecordOrTheEmptyOne) {
    VAMediaProbe::setFFprobeLocator([] { return XStr(); });
    const XStr path = media("song.mp3", kReport);
    EXPECT_EQ(VAMediaFileInfo::readFromFile(path), nullptr);
    for (const auto& info :
         {VAMediaFileInfo::infoForFile(path), VAMediaFileInfo::readLiteInfoFromFile(path)}) {
        ASSERT_TRUE(info);
        EXPECT_EQ(info->url(), "");
        EXPECT_EQ(info->lastModified(), 0u);
        EXPECT_EQ(info->IDTags().tagCount(), 0u);
    }
    // An ffprobe that cannot be started counts as none.
    VAMediaProbe::setFFprobePath(XStr(mDir.file("no-such-program")));
    EXPECT_EQ(VAMediaFileInfo::readFromFile(path), nullptr);
}

TEST_F(VAMediaFileInfoTest, AFileThatIsNoMediaOrMissingHasARecordWithoutInformation) {
    const XStr text = media("notes.txt", "{\n\n}\n");
    for (const XStr& path : {text, XStr(mDir.file("missing.mp4"))}) {
        const auto info = VAMediaFileInfo::readFromFile(path);
        ASSERT_TRUE(info) << path;
        EXPECT_EQ(info->IDTags().tagCount(), 0u);
        EXPECT_EQ(info->MediaProps().tagCount(), 0u);
        EXPECT_EQ(info->lengthMS(), 0u);
    }
    EXPECT_NE(VAMediaFileInfo::readFromFile(text)->lastModified(), 0u);
    EXPECT_EQ(VAMediaFileInfo::readFromFile(XStr(mDir.file("missing.mp4")))->lastModified(), 0u);
}

TEST_F(VAMediaFileInfoTest, ACrashedProbeSaysNothingAndIsNotTrusted) {
    const auto info = VAMediaFileInfo::readFromFile(media("crash", kReport));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->MediaProps().tagCount(), 0u);
    EXPECT_FALSE(info->probedCleanly());
}

TEST_F(VAMediaFileInfoTest, CopyIsDeepAndCarriesTheLength) {
    const auto info = VAMediaFileInfo::readFromFile(media("song.mp3", kReport));
    info->setFormatName("MPEG Audio");
    const auto copy = info->copy();
    info->setIDTags(VATag());
    EXPECT_EQ(copy->getIDTagValueOf("title"), "Song");
    EXPECT_EQ(copy->lengthMS(), 61500u);
    EXPECT_EQ(copy->formatName(), "MPEG Audio");
    EXPECT_EQ(copy->lastModified(), info->lastModified());
}

TEST(VAMediaFileInfoTime, FileTimeCountsTicksSince1601) {
    EXPECT_EQ(VAMediaFileInfo::fileTimeFromUnix(0), 116444736000000000ull);
    EXPECT_EQ(VAMediaFileInfo::fileTimeFromUnix(-1), 116444736000000000ull - 10000000);
    const uint64_t before = VAMediaFileInfo::fileTimeFromUnix(std::time(nullptr));
    const uint64_t now = VAMediaFileInfo::fileTimeNow();
    EXPECT_GE(now, before);
    EXPECT_LE(now - before, 2 * VAMediaFileInfo::fileTime1Second);
    EXPECT_EQ(now % VAMediaFileInfo::fileTime1Second, 0u);
}

TEST(VAProbeJob, TheCommandKeepsFileNamesOutOfOptionsAndProtocols) {
    EXPECT_EQ(VAProbeJob::arguments("/usr/bin/ffprobe", "/m/a b.mp4"),
              (XWorkerProcess::ArgList{"/usr/bin/ffprobe", "-hide_banner", "-of", "json",
                                       "-show_format", "-show_streams", "/m/a b.mp4"}));
    EXPECT_EQ(VAProbeJob::arguments("ffprobe", "-i.mp4").back(), "./-i.mp4");
    EXPECT_EQ(VAProbeJob::arguments("ffprobe", "pipe:0").back(), "./pipe:0");
}
