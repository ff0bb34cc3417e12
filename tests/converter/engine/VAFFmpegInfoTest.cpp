// What an FFmpeg says about itself: each of the three texts read whole from its own run,
// nothing for a program that cannot run, and a stop that ends a run that does not end.
#include "VAFFmpegInfo.h"

#include <gtest/gtest.h>

#include <thread>

#include "TestSupport.h"
#include "XClock.h"

namespace {

TEST(FFmpegInfo, EachTextFromItsOwnRun) {
    TestTempDir dir;
    // Standard error is no part of a text; the codecs text is longer than one pipe's fill.
    writeExecutable(dir.file("ffmpeg"),
                    "#!/bin/sh\necho noise >&2\ncase \"$1\" in\n"
                    "  -version) printf 'ffmpeg version 9\\nbuilt\\n' ;;\n"
                    "  -L) printf 'licence text' ;;\n"
                    "  -codecs) i=0; while [ $i -lt 5000 ]; do echo \" DEV.LS codec$i\"; "
                    "i=$((i+1)); done ;;\nesac\nexit 3\n");
    const VAFFmpegInfo info = VAFFmpegInfo::read(dir.xfile("ffmpeg"));
    EXPECT_EQ(info.version, "ffmpeg version 9\nbuilt\n");
    EXPECT_EQ(info.licence, "licence text");
    const XStrList lines = info.codecs.split(U'\n');
    ASSERT_EQ(lines.size(), 5001u);
    EXPECT_EQ(lines[4999], " DEV.LS codec4999");

    const VAFFmpegInfo none = VAFFmpegInfo::read(dir.xfile("missing"));
    EXPECT_EQ(none.version, "");
    EXPECT_EQ(none.licence, "");
    EXPECT_EQ(none.codecs, "");
}

TEST(FFmpegInfo, AKilledSwitchEndsARunThatHangs) {
    TestTempDir dir;
    writeExecutable(dir.file("ffmpeg"),
                    "#!/bin/sh\necho started\n: > \"$0.running\"\nexec sleep 3600\n");
    KillSwitch cancel;
    std::thread killer([&] {
        // Only once the run is under way.
        while (!fileExists(dir.file("ffmpeg.running"))) {
            XClock::sleepMs(10);
        }
        cancel.kill();
    });
    const std::string output = VAFFmpegInfo::outputOf({dir.xfile("ffmpeg"), "-version"}, &cancel);
    killer.join();
    EXPECT_TRUE(output == "" || output == "started\n") << output;
    // Killed before it starts, nothing runs at all.
    EXPECT_EQ(VAFFmpegInfo::read(dir.xfile("ffmpeg"), &cancel).version, "");
}

}  // namespace
