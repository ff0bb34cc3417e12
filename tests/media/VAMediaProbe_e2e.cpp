// The probe against the real ffprobe on media made for the test. Expected texts are built
// from ffprobe's own answers to single questions, not from the probe under test.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VAMediaFileInfo.h"
#include "VAMediaProbe.h"

namespace {

std::string grouped(long long n) {
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) {
        digits.insert(static_cast<std::size_t>(i), ",");
    }
    return digits;
}

std::string clockOf(double seconds) {
    const long long s = static_cast<long long>(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

std::string streamsOf(const std::string& path, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string stream = std::to_string(i);
        std::string type = probeValue(path, stream, "codec_type");
        type[0] = static_cast<char>(type[0] - 32);
        text += (i > 0 ? "; " : "") + stream + " " + type + " : " +
                probeValue(path, stream, "codec_long_name");
    }
    return text;
}

XStrList listing(const VATag& tag) {
    XStrList lines;
    for (std::size_t i = 0; i < tag.tagCount(); ++i) {
        lines.push_back(tag.tagNameAt(i) + "=" + tag.tagValueAt(i));
    }
    return lines;
}

// ffprobe's plain writer says "unknown" where its JSON leaves the member out.
std::string reported(const std::string& path, const std::string& stream, const std::string& key) {
    const std::string value = probeValue(path, stream, key);
    return value == "unknown" ? std::string() : value;
}

class VAMediaProbeE2E : public ::testing::Test {
protected:
    VAMediaProbeE2E() { VAMediaProbe::setFFprobeLocator(nullptr); }

    // The properties ffprobe's answers call for, for a video stream and audio streams.
    static XStrList expectedVideoAndAudio(const std::string& path, int streams) {
        const double duration = probeDuration(path);
        const std::string frames = probeValue(path, "v:0", "nb_frames");
        XStrList lines = {
            XStr("Length=" + clockOf(duration)),
            XStr("Bit Rate=" + grouped(std::stoll(probeValue(path, "", "bit_rate")) / 1000) +
                 " kbps"),
            XStr("Profile=" + probeValue(path, "v:0", "profile")),
            "Resolution=320 x 240",
            XStr("Aspect Ratio=" + probeValue(path, "v:0", "display_aspect_ratio")),
            "Frame Rate=25",
            "Pixel Format=yuv420p",
            XStr("Color Space=" + reported(path, "v:0", "color_space")),
        };
        if (!frames.empty()) {
            lines.push_back(XStr("Frame Count=" + frames));
        }
        lines.push_back("Channels=2");
        lines.push_back("Sample Rate=48000");
        lines.push_back(XStr("Streams=" + streamsOf(path, streams)));
        return lines;
    }

    TestTempDir mDir;
};

}  // namespace

TEST_F(VAMediaProbeE2E, TaggedClipWithSeveralAudioStreams) {
    const std::string path = mDir.file("tagged.mp4");
    TestMedia media;
    media.seconds = 2.5;
    media.audioStreams = 2;
    media.metadata = {{"title", "A Title: with \"quotes\""}, {"artist", "Some Artist"}};
    ASSERT_TRUE(makeTestMedia(path, media));
    ASSERT_EQ(probeStreamCount(path, "a"), 2);

    const auto info = VAMediaFileInfo::readFromFile(XStr(path));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->lengthMS(), static_cast<uint64_t>(probeDuration(path) * 1000));
    EXPECT_EQ(info->getIDTagValueOf("title"), XStr(probeTag(path, "title")));
    EXPECT_EQ(info->getIDTagValueOf("title"), "A Title: with \"quotes\"");
    EXPECT_EQ(info->getIDTagValueOf("artist"), "Some Artist");
    EXPECT_EQ(info->getIDTagValueOf("encoder"), XStr(probeTag(path, "encoder")));
    EXPECT_EQ(listing(info->MediaProps()), expectedVideoAndAudio(path, 3));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(info->lastModified(), VAMediaFileInfo::fileTimeFromUnix(st.st_mtim.tv_sec));
}

TEST_F(VAMediaProbeE2E, AudioOnlyFiles) {
    const std::string m4a = mDir.file("mono.m4a");
    TestMedia media;
    media.video = false;
    media.channels = 1;
    media.sampleRate = 44100;
    ASSERT_TRUE(makeTestMedia(m4a, media));
    const auto info = VAMediaFileInfo::readFromFile(XStr(m4a));
    ASSERT_TRUE(info);
    EXPECT_EQ(listing(info->MediaProps()),
              (XStrList{XStr("Length=" + clockOf(probeDuration(m4a))),
                        XStr("Bit Rate=" +
                             grouped(std::stoll(probeValue(m4a, "", "bit_rate")) / 1000) + " kbps"),
                        "Channels=1", "Sample Rate=44100", XStr("Streams=" + streamsOf(m4a, 1))}));

    // PCM in WAV: ffprobe gives the sample size as a number, which the probe leaves out.
    const std::string wav = mDir.file("pcm.wav");
    media.channels = 2;
    media.audioCodec = "pcm_s16le";
    ASSERT_TRUE(makeTestMedia(wav, media));
    ASSERT_EQ(probeValue(wav, "a:0", "bits_per_sample"), "16");
    const auto pcm = VAMediaFileInfo::readFromFile(XStr(wav));
    ASSERT_TRUE(pcm);
    EXPECT_EQ(pcm->getAudioPropsValueOf("Bit Rate"), "1,411 kbps");
    EXPECT_EQ(pcm->getAudioPropsValueOf("Channels"), "2");
    EXPECT_EQ(pcm->MediaProps().tag().FindElement("Sample Size"), nullptr);
    EXPECT_EQ(pcm->MediaProps().tag().FindElement("Resolution"), nullptr);
}

TEST_F(VAMediaProbeE2E, FilesThatAreNoMediaGiveEmptyRecords) {
    writeTextFile(mDir.file("notes.txt"), "Shopping list: milk, bread\n");
    writeTextFile(mDir.file("zero.mp4"), "");
    for (const char* name : {"notes.txt", "zero.mp4", "missing.mp4"}) {
        const auto info = VAMediaFileInfo::readFromFile(XStr(mDir.file(name)));
        ASSERT_TRUE(info) << name;
        EXPECT_EQ(info->IDTags().tagCount(), 0u) << name;
        EXPECT_EQ(info->MediaProps().tagCount(), 0u) << name;
        EXPECT_EQ(info->lengthMS(), 0u) << name;
    }
}

TEST_F(VAMediaProbeE2E, FileNamesWithShellSyntaxAreProbedAndRunNothing) {
    const std::string plain = mDir.file("plain.mp4");
    TestMedia media;
    media.seconds = 0.5;
    ASSERT_TRUE(makeTestMedia(plain, media));
    const auto reference = VAMediaFileInfo::readFromFile(XStr(plain));
    ASSERT_TRUE(reference);
    ASSERT_NE(reference->lengthMS(), 0u);

    // A shell would run the commands in its current folder: make that the test's folder.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(mDir.path());
    for (const std::string name :
         {"a$(touch pwned).mp4", "b`touch pwned`.mp4", "c\"; touch pwned; \".mp4",
          "d'$(touch pwned)'.mp4", "-e $HOME.mp4"}) {
        std::filesystem::copy_file(plain, mDir.file(name));
        for (const std::string& path : {mDir.file(name), name}) {
            const auto info = VAMediaFileInfo::readFromFile(XStr(path));
            ASSERT_TRUE(info) << path;
            EXPECT_EQ(info->lengthMS(), reference->lengthMS()) << path;
            EXPECT_EQ(info->MediaProps(), reference->MediaProps()) << path;
        }
    }
    std::filesystem::current_path(before);
    EXPECT_FALSE(fileExists(mDir.file("pwned")));
    EXPECT_FALSE(fileExists(before.string() + "/pwned"));
}
