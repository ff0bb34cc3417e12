#include "VALocateFFmpeg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "FFmpegDataFolderTest.h"
#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAFFmpegCapabilities.h"

namespace {

void writeScript(const std::string& path, const std::string& body) {
    writeExecutable(path, "#!/bin/sh\n" + body);
}

// A private PATH holding a fake ffmpeg, and a private application data folder.
class LocateFFmpeg : public FFmpegDataFolderTest {
protected:
    void SetUp() override {
        mkdir(mDir.file("bin").c_str(), 0755);
        FFmpegDataFolderTest::SetUp();
    }
    std::string appData() const { return mDir.file("data/VantaroVideo"); }

    ScopedEnv mPath{"PATH", mDir.file("bin").c_str()};
};

const char* kListing =
    "Encoders:\n"
    " V..... = Video\n"
    " A..... = Audio\n"
    " ------\n"
    " V....D libx264              libx264 H.264 / AVC (codec h264)\n"
    " V....D libvpx               libvpx VP8 (codec vp8)\n"
    " A..... aac                  AAC (Advanced Audio Coding)\n";

}  // namespace

TEST_F(LocateFFmpeg, InternalFromPathWhenNoExternalIsInstalled) {
    writeScript(mDir.file("bin/ffmpeg"), "exit 0\n");
    writeScript(mDir.file("bin/ffprobe"), "exit 0\n");
    EXPECT_FALSE(VALocateFFmpeg::haveExternalFFmpeg());
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), mDir.xfile("bin/ffmpeg"));
    EXPECT_EQ(VALocateFFmpeg::locateFFprobe(), mDir.xfile("bin/ffprobe"));
}

TEST_F(LocateFFmpeg, ExternalBelowTheOverrideFolderWins) {
    writeScript(mDir.file("bin/ffmpeg"), "exit 0\n");
    EXPECT_EQ(VALocateFFmpeg::pathToExternalFFmpeg(), XStr(appData() + "/ffmpeg"));
    writeScript(appData() + "/ffmpeg", "exit 0\n");
    EXPECT_TRUE(VALocateFFmpeg::haveExternalFFmpeg());
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), XStr(appData() + "/ffmpeg"));
    EXPECT_FALSE(VALocateFFmpeg::isAutoInstalled());
    writeTextFile(appData() + "/ffmpeg.auto", "");
    EXPECT_TRUE(VALocateFFmpeg::isAutoInstalled());
    // ffprobe is always the shipped one.
    writeScript(mDir.file("bin/ffprobe"), "exit 0\n");
    EXPECT_EQ(VALocateFFmpeg::locateFFprobe(), mDir.xfile("bin/ffprobe"));
}

TEST_F(LocateFFmpeg, PathSearchSkipsFoldersAndNonExecutables) {
    ScopedEnv path("PATH",
                   (mDir.file("a") + ":" + mDir.file("b") + ":" + mDir.file("bin")).c_str());
    mkdir(mDir.file("a").c_str(), 0755);
    mkdir(mDir.file("a/ffmpeg").c_str(), 0755);  // a folder of that name
    mkdir(mDir.file("b").c_str(), 0755);
    writeTextFile(mDir.file("b/ffmpeg"), "not executable");
    // Nothing found gives the bare name.
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), XStr("ffmpeg"));
    EXPECT_FALSE(VALocateFFmpeg::gplEncodersOffered());
    VALocateFFmpeg::resetCachesForTesting();
    writeScript(mDir.file("bin/ffmpeg"), "exit 0\n");
    EXPECT_EQ(VALocateFFmpeg::locateFFmpeg(), mDir.xfile("bin/ffmpeg"));
}

TEST_F(LocateFFmpeg, GplOfferedWhenTheFFmpegInUseHasLibx264) {
    writeScript(mDir.file("bin/ffmpeg"), std::string("echo run >> ") + mDir.file("runs") +
                                             "\n/bin/cat <<'END'\n" + kListing + "END\n");
    EXPECT_TRUE(VALocateFFmpeg::gplEncodersOffered());
    EXPECT_TRUE(VALocateFFmpeg::gplEncodersOffered());
    // Asked once per executable.
    EXPECT_EQ(readTextFile(mDir.file("runs")), "run\n");
}

TEST_F(LocateFFmpeg, GplNotOfferedWithoutLibx264UnlessAnExternalIsInstalled) {
    writeScript(mDir.file("bin/ffmpeg"), "echo ' ------'\necho ' A..... aac   AAC'\n");
    EXPECT_FALSE(VALocateFFmpeg::gplEncodersOffered());
    // An installed external FFmpeg offers them whatever it lists.
    writeScript(appData() + "/ffmpeg", "exit 1\n");
    EXPECT_TRUE(VALocateFFmpeg::gplEncodersOffered());
}

TEST(FFmpegCapabilities, ReadsOnlyTheTableBelowTheLegend) {
    XStrList lines;
    for (const XStr& l : XStr(kListing).split(U'\n')) {
        lines.push_back(l);
    }
    EXPECT_EQ(VAFFmpegCapabilities::parseEncoderListing(lines),
              (std::set<XStr>{"libx264", "libvpx", "aac"}));
    // Without the dashes nothing counts: the legend's "V..... = Video" is no encoder.
    EXPECT_TRUE(VAFFmpegCapabilities::parseEncoderListing({" V..... = Video", "garbage"}).empty());
}
