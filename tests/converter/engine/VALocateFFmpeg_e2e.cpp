#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAFFmpegCapabilities.h"
#include "VALocateFFmpeg.h"
#include "VMCCodecMap.h"

// The system's FFmpeg is found on the path, and Debian's is built with libx264, so the GPL
// encoders are offered. What a later run reads from the file equals what FFmpeg answers when
// asked afresh: the listing, the GPL answer, and the codec map's rewrite of a platform
// encoder with its trial encodes.
TEST(FFmpegRecordsE2E, RememberedAnswersEqualFreshOnes) {
    TestTempDir dir;
    ScopedEnv o("_APPDATA_OVERRIDE", dir.path().c_str());
    VAAppDataFolder::registerAppName("VantaroVideo");
    ASSERT_TRUE(VAAppDataFolder::ensureExists());
    struct Answers {
        std::set<XStr> encoders;
        bool gpl = false;
        XStr rewritten;
        XStrList info;
    };
    const auto ask = [] {
        VALocateFFmpeg::resetCachesForTesting();
        const XStr ffmpeg = VALocateFFmpeg::locateFFmpeg();
        Answers a;
        a.encoders = VAFFmpegCapabilities::encoders(ffmpeg);
        a.gpl = VALocateFFmpeg::gplEncodersOffered();
        a.rewritten = VMCCodecMap::apply(ffmpeg, "-c:v h264_videotoolbox -allow_sw 1", a.info);
        return a;
    };
    const std::string file = VAFFmpegCapabilities::recordFilePath().utf8();
    const Answers fresh = ask();
    EXPECT_TRUE(VALocateFFmpeg::locateFFmpeg().startsWith("/"));
    EXPECT_TRUE(VALocateFFmpeg::locateFFprobe().endsWith("/ffprobe"));
    EXPECT_TRUE(fresh.gpl);
    ASSERT_TRUE(fileExists(file));
    const std::string written = readTextFile(file);
    const Answers remembered = ask();
    // Read, not asked again: a new answer would have rewritten the file.
    EXPECT_EQ(readTextFile(file), written);
    unlink(file.c_str());
    const Answers freshAgain = ask();
    for (const Answers* a : {&remembered, &freshAgain}) {
        EXPECT_EQ(a->encoders, fresh.encoders);
        EXPECT_EQ(a->gpl, fresh.gpl);
        EXPECT_EQ(a->rewritten, fresh.rewritten);
        EXPECT_EQ(a->info, fresh.info);
    }
    EXPECT_TRUE(fresh.encoders.count("aac") != 0);
    EXPECT_EQ(fresh.info.size(), 1u);
    VALocateFFmpeg::resetCachesForTesting();
    VAAppDataFolder::registerAppName("");
}
