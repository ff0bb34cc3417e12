// Without a prober of its own, a source's length comes from the media probe.
#include <gtest/gtest.h>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VAConvertSource.h"
#include "VAConvertSourceConcat.h"

TEST(VAConvertSourceProbe, TheLengthIsWhatFFprobeReports) {
    TestTempDir dir;
    const std::string a = dir.file("a.mp4");
    const std::string b = dir.file("b.mp4");
    TestClip clip;
    clip.seconds = 1.5;
    ASSERT_TRUE(makeTestClip(a, clip));
    clip.seconds = 0.75;
    ASSERT_TRUE(makeTestClip(b, clip));
    const auto expected = [](const std::string& path) {
        return static_cast<int64_t>(probeDuration(path) * 1000);
    };
    EXPECT_EQ(VAConvertSource(XStr(a)).probeLength(), expected(a));
    EXPECT_GT(expected(a), 1000);

    VAConvertSourceConcat concat;
    concat.setConcatURLs({XStr(a), XStr(b), XStr(dir.file("missing.mp4"))});
    EXPECT_EQ(concat.probeLength(), expected(a) + expected(b));
    EXPECT_EQ(VAConvertSource(XStr(dir.file("missing.mp4"))).probeLength(), 0);
}
