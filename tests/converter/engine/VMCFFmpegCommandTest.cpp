#include "VMCFFmpegCommand.h"

#include <gtest/gtest.h>

#include "VAConvertSourceConcat.h"

namespace {

VMCProcessArg argFor(const XStr& from, const XStr& to, const XStr& args) {
    VMCProcessArg arg;
    arg.srcFrom = VAConvertSource::withURL(from);
    arg.urlTo = to;
    arg.args = args;
    return arg;
}

VMCFFmpegCommandInput inputWith(int64_t probedMS = 0) {
    VMCFFmpegCommandInput input;
    input.ffmpegPath = "/usr/bin/ffmpeg";
    input.progressPath = "/tmp/_vaXTempFile-7-1.tmp";
    input.probedLengthMS = probedMS;
    input.makeListFile = [] { return XStr("/tmp/vavXTempFile-7-2.txt"); };
    return input;
}

std::shared_ptr<VAConvertSourceConcat> joined(const XStrList& files) {
    auto concat = std::make_shared<VAConvertSourceConcat>();
    concat->setConcatURLs(files);
    return concat;
}

constexpr const char* kTail =
    " -y -ignore_unknown -hide_banner -progress /tmp/_vaXTempFile-7-1.tmp ";

}  // namespace

TEST(VMCFFmpegCommand, NormalOneEncoderCommandCharacterForCharacter) {
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(
        argFor("/in/a b.mov", "/out/a b.mp4", "-c:v libx264 -crf 23 -vf \"scale=1280:-2, fps=30\""),
        inputWith());
    EXPECT_EQ(cmd.commandText, XStr("/usr/bin/ffmpeg   -i \"/in/a b.mov\" -c:v libx264 -crf 23 -vf "
                                    "\"scale=1280:-2, fps=30\" -loglevel 16") +
                                   kTail + "\"/out/a b.mp4\"");
    EXPECT_EQ(cmd.outputPath, XStr("/out/a b.mp4"));
}

TEST(VMCFFmpegCommand, FiltersMergeIntoOneChainAtTheFirstPlace) {
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(
        argFor("/in/x.mov", "/out/x.mp4",
               "-vf crop=100:100 -c:v libx264 -filter:v hflip -af volume=2 -filter:a atempo=2 "
               "-fextension=mp4"),
        inputWith());
    EXPECT_EQ(cmd.commandText, XStr("/usr/bin/ffmpeg   -i /in/x.mov -vf \"crop=100:100, hflip\" "
                                    "-c:v libx264 -af \"volume=2, atempo=2\" -loglevel 16") +
                                   kTail + "/out/x.mp4");
}

TEST(VMCFFmpegCommand, DurationInHoursMinutesSecondsSetsTheLength) {
    EXPECT_EQ(
        VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", "-t 00:00:30 -an"), inputWith(5000))
            .lengthMS,
        30000);
    // Fractions are cut; plain seconds and a value at the very end change nothing.
    EXPECT_EQ(VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", "-t 01:02:03.9 -an"), inputWith())
                  .lengthMS,
              3723000);
    EXPECT_EQ(
        VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", "-t 30 -an"), inputWith(5000)).lengthMS,
        5000);
}

TEST(VMCFFmpegCommand, SeekMovesBeforeTheInputAndShortensTheLength) {
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(
        argFor("/a.mov", "/b.mp4", "-c:v libx264 -ss 00:00:05.500 -an"), inputWith(60000));
    EXPECT_EQ(cmd.commandText, XStr("/usr/bin/ffmpeg  -ss 00:00:05.500  -i /a.mov -c:v libx264 -an "
                                    "-loglevel 16") +
                                   kTail + "/b.mp4");
    EXPECT_EQ(cmd.lengthMS, 54500);
    // A seek at the very end of the text is not followed by a blank and stays where it is.
    const VMCFFmpegCommand last =
        VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", "-an -ss 5"), inputWith(60000));
    EXPECT_EQ(last.commandText,
              XStr("/usr/bin/ffmpeg   -i /a.mov -an -ss 5 -loglevel 16") + kTail + "/b.mp4");
    EXPECT_EQ(last.lengthMS, 60000);
}

TEST(VMCFFmpegCommand, TheRunChoosesWhereFFmpegWritesAndWhetherItReportsProgress) {
    VMCFFmpegCommandInput input = inputWith();
    input.outputPath = "/m/.clip.vantaro-7-1.mp4";
    input.progressPath.clear();
    const VMCFFmpegCommand cmd =
        VMCFFmpegCommand::build(argFor("/m/clip.mp4", "/m/clip.mp4", "-c copy"), input);
    EXPECT_EQ(cmd.outputPath, XStr("/m/.clip.vantaro-7-1.mp4"));
    EXPECT_EQ(cmd.commandText, XStr("/usr/bin/ffmpeg   -i /m/clip.mp4 -c copy -loglevel 16 -y "
                                    "-ignore_unknown -hide_banner /m/.clip.vantaro-7-1.mp4"));
}

TEST(VMCFFmpegCommand, LoopCountJoinsTheSameFileByFilter) {
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(
        argFor("/a.mov", "/b.mp4", "-loopvideo=3 -vf hflip -c:v libx264"), inputWith(2000));
    EXPECT_EQ(
        cmd.commandText,
        XStr("/usr/bin/ffmpeg    -i /a.mov -i /a.mov -i /a.mov -filter_complex "
             "\"[0:v]hflip[0v];[1:v]hflip[1v];[2:v]hflip[2v];[0v][0:a][1v][1:a][2v][2:a] "
             "concat=n=3:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\" -c:v libx264 -loglevel 16") +
            kTail + "/b.mp4");
    EXPECT_EQ(cmd.lengthMS, 6000);
    for (const char* plain : {"-loopvideo=1 -an", "-loopvideo=0 -an"}) {
        EXPECT_EQ(
            VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", plain), inputWith()).commandText,
            XStr("/usr/bin/ffmpeg   -i /a.mov -an -loglevel 16") + kTail + "/b.mp4");
    }
}

TEST(VMCFFmpegCommand, StreamCopyJoinUsesAListFileWithQuotedNames) {
    VMCProcessArg arg = argFor("", "/out/all.mp4", "-vcodec copy -acodec copy");
    arg.srcFrom = joined({"/in/a.mp4", "/in/it's $(x).mp4"});
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(arg, inputWith());
    EXPECT_EQ(cmd.commandText, XStr("/usr/bin/ffmpeg   -f concat -safe 0 -i "
                                    "/tmp/vavXTempFile-7-2.txt -vcodec copy -acodec copy "
                                    "-loglevel 16") +
                                   kTail + "/out/all.mp4");
    EXPECT_EQ(cmd.listFileContent, "file '/in/a.mp4'\r\nfile '/in/it'\\''s $(x).mp4'\r\n");
}

TEST(VMCFFmpegCommand, OnlyTheLongCodecOptionsMakeAStreamCopy) {
    for (const char* copy : {"-acodec copy", "-codec:a COPY", "-codec:v copy", "-vcodec copy"}) {
        VMCProcessArg arg = argFor("", "/o.mp4", copy);
        arg.srcFrom = joined({"/a.mp4", "/b.mp4"});
        EXPECT_TRUE(VMCFFmpegCommand::build(arg, inputWith()).commandText.contains("-f concat"))
            << copy;
    }
    VMCProcessArg arg = argFor("", "/o.mp4", "-c:v copy -af volume=2");
    arg.srcFrom = joined({"/a.mp4", "/b.mp4"});
    const VMCFFmpegCommand cmd = VMCFFmpegCommand::build(arg, inputWith());
    EXPECT_EQ(cmd.commandText,
              XStr("/usr/bin/ffmpeg    -i /a.mp4 -i /b.mp4 -filter_complex "
                   "\"[0:a]volume=2[0a];[1:a]volume=2[1a];[0:v][0a][1:v][1a] "
                   "concat=n=2:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\" -c:v copy -loglevel 16") +
                  kTail + "/o.mp4");
}

TEST(VMCFFmpegCommand, NoInputIsAnError) {
    VMCProcessArg arg = argFor("", "/o.mp4", "-an");
    EXPECT_EQ(VMCFFmpegCommand::build(arg, inputWith()).error, XStr("No input file given."));
    arg.srcFrom = joined({});
    EXPECT_EQ(VMCFFmpegCommand::build(arg, inputWith()).error, XStr("No input file given."));
}

TEST(VMCFFmpegCommand, DebugLogKeepsFFmpegsFullOutputAndInputOptionsComeFirst) {
    VMCFFmpegCommandInput input = inputWith();
    input.debugLog = true;
    VMCProcessArg arg = argFor("/a.mov", "/b.mp4", "-an");
    arg.inputArgs = XStr("-itsoffset 2");
    EXPECT_EQ(VMCFFmpegCommand::build(arg, input).commandText,
              XStr("/usr/bin/ffmpeg -itsoffset 2  -i /a.mov -an") + kTail + "/b.mp4");
}

TEST(VMCFFmpegCommand, CodecMapRunsOnTheArgumentsOnly) {
    VMCFFmpegCommandInput input = inputWith();
    input.codecMap = [](const XStr& args, XStrList& info) {
        info.push_back("mapped");
        return args.replaced("aac_at", "aac");
    };
    const VMCFFmpegCommand cmd =
        VMCFFmpegCommand::build(argFor("/aac_at.mov", "/b.mp4", "-acodec aac_at"), input);
    EXPECT_EQ(cmd.commandText,
              XStr("/usr/bin/ffmpeg   -i /aac_at.mov -acodec aac -loglevel 16") + kTail + "/b.mp4");
    EXPECT_EQ(cmd.infoLines, XStrList{"mapped"});
}

TEST(VMCFFmpegCommand, DurationTexts) {
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("90"), 90000);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("1.5"), 1500);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("00:01:30.500"), 90500);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("01:30"), 90000);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("250ms"), 250);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("-5"), -5000);
    EXPECT_EQ(VMCFFmpegCommand::parseDurationMS("junk"), 0);
}

// The run builds its command before the probe answers; the length must come out as if the
// probed length had been there from the start.
TEST(VMCFFmpegCommand, LengthProbedLaterGivesTheSameLength) {
    for (const char* text : {"-c:v libx264 -ss 00:00:05.500 -an", "-loopvideo=3 -vf hflip",
                             "-t 00:00:30 -an", "-ss 2 -loopvideo=2 -an", "-an"}) {
        const VMCFFmpegCommand early =
            VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", text), inputWith(0));
        const VMCFFmpegCommand full =
            VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", text), inputWith(60000));
        EXPECT_EQ(early.commandText, full.commandText) << text;
        EXPECT_EQ(early.lengthFor(60000), full.lengthMS) << text;
        EXPECT_EQ(early.lengthFor(0), early.lengthMS) << text;
    }
    EXPECT_EQ(
        VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", "-ss 2 -loopvideo=2 -an"), inputWith(0))
            .lengthFor(10000),
        18000);
}
