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

// The command of each option text character for character, and the length it gives with
// the probed length; a command built before the probe answered must come out the same.
TEST(VMCFFmpegCommand, EachOptionTextGivesItsCommandAndLength) {
    const struct {
        const char* args;
        int64_t probedMS;
        const char* command;  // between the program and "-loglevel"
        int64_t lengthMS;
    } rows[] = {
        {"-c:v libx264 -crf 23 -vf \"scale=1280:-2, fps=30\"", 0,
         "  -i /a.mov -c:v libx264 -crf 23 -vf \"scale=1280:-2, fps=30\"", 0},
        // Filters merge into one chain at the first place.
        {"-vf crop=100:100 -c:v libx264 -filter:v hflip -af volume=2 -filter:a atempo=2 "
         "-fextension=mp4",
         0, "  -i /a.mov -vf \"crop=100:100, hflip\" -c:v libx264 -af \"volume=2, atempo=2\"", 0},
        // A duration in hours, minutes and seconds sets the length, fractions cut; plain
        // seconds change nothing.
        {"-t 00:00:30 -an", 5000, "  -i /a.mov -t 00:00:30 -an", 30000},
        {"-t 01:02:03.9 -an", 0, "  -i /a.mov -t 01:02:03.9 -an", 3723000},
        {"-t 30 -an", 5000, "  -i /a.mov -t 30 -an", 5000},
        // A seek moves before the input and shortens the length, unless it ends the text.
        {"-c:v libx264 -ss 00:00:05.500 -an", 60000,
         " -ss 00:00:05.500  -i /a.mov -c:v libx264 -an", 54500},
        {"-an -ss 5", 60000, "  -i /a.mov -an -ss 5", 60000},
        // A loop count joins the same file by filter.
        {"-loopvideo=3 -vf hflip -c:v libx264", 2000,
         "   -i /a.mov -i /a.mov -i /a.mov -filter_complex "
         "\"[0:v]hflip[0v];[1:v]hflip[1v];[2:v]hflip[2v];[0v][0:a][1v][1:a][2v][2:a] "
         "concat=n=3:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\" -c:v libx264",
         6000},
        {"-loopvideo=1 -an", 0, "  -i /a.mov -an", 0},
        {"-loopvideo=0 -an", 0, "  -i /a.mov -an", 0},
        {"-ss 2 -loopvideo=2 -an", 10000,
         " -ss 2   -i /a.mov -i /a.mov -filter_complex \"[0:v][0:a][1:v][1:a] "
         "concat=n=2:v=1:a=1[v][a]\" -map \"[v]\" -map \"[a]\" -an",
         18000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        const VMCFFmpegCommand cmd =
            VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", row.args), inputWith(row.probedMS));
        EXPECT_EQ(cmd.commandText,
                  XStr("/usr/bin/ffmpeg ") + row.command + " -loglevel 16" + kTail + "/b.mp4");
        EXPECT_EQ(cmd.outputPath, XStr("/b.mp4"));
        EXPECT_EQ(cmd.lengthMS, row.lengthMS);
        const VMCFFmpegCommand early =
            VMCFFmpegCommand::build(argFor("/a.mov", "/b.mp4", row.args), inputWith(0));
        EXPECT_EQ(early.commandText, cmd.commandText);
        EXPECT_EQ(early.lengthFor(row.probedMS), row.lengthMS);
    }
}

TEST(VMCFFmpegCommand, TheRunChoosesWhereFFmpegWritesAndWhetherItReportsProgress) {
    VMCFFmpegCommandInput input = inputWith();
    input.outputPath = "/m/.a clip.vantaro-7-1.mp4";
    input.progressPath.clear();
    const VMCFFmpegCommand cmd =
        VMCFFmpegCommand::build(argFor("/m/a clip.mp4", "/m/a clip.mp4", "-c copy"), input);
    EXPECT_EQ(cmd.outputPath, XStr("/m/.a clip.vantaro-7-1.mp4"));
    EXPECT_EQ(cmd.commandText,
              XStr("/usr/bin/ffmpeg   -i \"/m/a clip.mp4\" -c copy -loglevel 16 -y "
                   "-ignore_unknown -hide_banner \"/m/.a clip.vantaro-7-1.mp4\""));
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
    const std::pair<const char*, int64_t> rows[] = {
        {"90", 90000}, {"1.5", 1500}, {"00:01:30.500", 90500}, {"01:30", 90000}, {"250ms", 250},
        {"-5", -5000}, {"junk", 0},
    };
    for (const auto& [text, ms] : rows) {
        EXPECT_EQ(VMCFFmpegCommand::parseDurationMS(text), ms) << text;
    }
}
