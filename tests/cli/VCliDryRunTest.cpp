// The dry run's lines: the run's own command text for each job, from the same argument
// assembly, with "/dev/null" for progress.
#include "VCliDryRun.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "TestSupport.h"
#include "VAConvertSourceConcat.h"

namespace {

std::shared_ptr<VAConversionSpec> specOf(const XStr& encoderArgs) {
    auto spec = std::make_shared<VAConversionSpec>();
    spec->Encoder = VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", "");
    spec->EncoderArgsV2.strArgs = encoderArgs;
    return spec;
}

void addJob(VAConversionSpec& spec, const XStr& from, const XStr& to, bool copy = false) {
    VAConversionEntry entry;
    entry.convertFrom = VAConvertSource::withURL(from);
    entry.urlTo = to;
    entry.justCopy = copy;
    spec.entries.push_back(entry);
}

const char* const kTail = " -loglevel 16 -y -ignore_unknown -hide_banner -progress /dev/null ";

}  // namespace

TEST(VCliDryRun, OneLinePerJobInJobOrder) {
    auto spec = specOf("-c:v libx264");
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    addJob(*spec, "/in/b c.mov", "/out/b c.mp4");
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text,
              XStr("/usr/bin/ffmpeg   -i /in/a.mov -c:v libx264") + kTail + "/out/a.mp4");
    EXPECT_EQ(lines[1].text, XStr("/usr/bin/ffmpeg   -i \"/in/b c.mov\" -c:v libx264") + kTail +
                                 "\"/out/b c.mp4\"");
    EXPECT_FALSE(lines[0].error || lines[1].error);
}

TEST(VCliDryRun, EffectFiltersMergeWithTheEncoderFiltersAsInTheRun) {
    auto spec = specOf("-c:v libx264 -vf fps=30");
    spec->setDspString("-dspeffect1=\"Scale=-vf scale=640:-2\"");
    ASSERT_EQ(spec->dspEffects.size(), 1u);
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, XStr("/usr/bin/ffmpeg   -i /in/a.mov -vf \"scale=640:-2, fps=30\" "
                                  "-c:v libx264") +
                                 kTail + "/out/a.mp4");
}

TEST(VCliDryRun, CodecMapRewritesWhatThisFFmpegLacks) {
    auto spec = specOf("-c:v h264_videotoolbox -c:a aac_at");
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    const auto lines = VCliDryRun::commandLines(
        spec, "/usr/bin/ffmpeg", false, [](const XStr& args, XStrList& info) {
            info.push_back("mapped");
            return args.replaced("h264_videotoolbox", "libx264").replaced("aac_at", "aac");
        });
    EXPECT_EQ(lines.at(0).text,
              XStr("/usr/bin/ffmpeg   -i /in/a.mov -c:v libx264 -c:a aac") + kTail + "/out/a.mp4");
}

TEST(VCliDryRun, WithTheDebugLogFFmpegIsNotQuietened) {
    auto spec = specOf("-c:v libx264");
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", true, nullptr);
    EXPECT_EQ(lines.at(0).text, XStr("/usr/bin/ffmpeg   -i /in/a.mov -c:v libx264 -y "
                                     "-ignore_unknown -hide_banner -progress /dev/null "
                                     "/out/a.mp4"));
}

TEST(VCliDryRun, JoinByStreamCopyNamesTheListFileWithoutMakingIt) {
    TestTempDir dir;
    ScopedEnv temp("XTempFolderScope_Location", dir.path().c_str());
    auto spec = specOf("-vcodec copy -acodec copy");
    auto concat = std::make_shared<VAConvertSourceConcat>();
    concat->setConcatURLs({"/in/a.mov", "/in/b.mov"});
    VAConversionEntry entry;
    entry.convertFrom = concat;
    entry.urlTo = "/out/a.mov";
    spec->entries.push_back(entry);
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr);
    const std::string list = dir.path() + "/vavXTempFile-" + std::to_string(getpid()) + "-1.txt";
    EXPECT_EQ(lines.at(0).text, XStr("/usr/bin/ffmpeg   -f concat -safe 0 -i " + list +
                                     " -vcodec copy -acodec copy") +
                                    kTail + "/out/a.mov");
    EXPECT_FALSE(fileExists(list));
}

TEST(VCliDryRun, CopyJobSaysWhatItCopiesWhere) {
    auto spec = specOf("");
    addJob(*spec, "/in/a b.mov", "/out/a b.mov", true);
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr);
    EXPECT_EQ(lines.at(0).text, "copy \"/in/a b.mov\" \"/out/a b.mov\"");
}

TEST(VCliDryRun, JobWithoutInputIsReportedAsAnError) {
    auto spec = specOf("-c:v libx264");
    auto concat = std::make_shared<VAConvertSourceConcat>();
    VAConversionEntry entry;
    entry.convertFrom = concat;
    entry.urlTo = "/out/x.mp4";
    spec->entries.push_back(entry);
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].error);
    EXPECT_EQ(lines[0].text, "No input file given.");
}
