#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAFFmpegCapabilities.h"
#include "VALocateFFmpeg.h"

// Debian's FFmpeg is built with libx264, so the GPL encoders are offered with it.
TEST(LocateFFmpegE2E, SystemFFmpegIsFoundAndOffersGplEncoders) {
    TestTempDir dir;
    ScopedEnv o("_APPDATA_OVERRIDE", dir.path().c_str());
    VALocateFFmpeg::resetCachesForTesting();
    const XStr ffmpeg = VALocateFFmpeg::locateFFmpeg();
    ASSERT_TRUE(ffmpeg.startsWith("/")) << ffmpeg;
    EXPECT_TRUE(VAFFmpegCapabilities::listsEncoder(ffmpeg, "aac"));
    EXPECT_TRUE(VALocateFFmpeg::gplEncodersOffered());
    EXPECT_TRUE(VALocateFFmpeg::locateFFprobe().endsWith("/ffprobe"));
}
