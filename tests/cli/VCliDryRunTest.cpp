// The dry run's lines: the run's own command for each job, from the same argument assembly,
// with "/dev/null" for progress; quoted for a shell or as the log's text, then what the job
// does afterwards and whether its output exists.
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

VCliDryRun::Options textForm() {
    VCliDryRun::Options options;
    options.text = true;
    return options;
}

std::vector<XStr> textsOf(const std::vector<VCliDryRun::Line>& lines) {
    std::vector<XStr> texts;
    for (const VCliDryRun::Line& line : lines) {
        EXPECT_FALSE(line.error) << line.text;
        texts.push_back(line.text);
    }
    return texts;
}

}  // namespace

TEST(VCliDryRun, TextFormIsTheLogsCommandTextOneLinePerJobInJobOrder) {
    auto spec = specOf("-c:v libx264");
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    addJob(*spec, "/in/b c.mov", "/out/b c.mp4");
    const auto lines =
        VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, textForm());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text,
              XStr("/usr/bin/ffmpeg   -i /in/a.mov -c:v libx264") + kTail + "/out/a.mp4");
    EXPECT_EQ(lines[1].text, XStr("/usr/bin/ffmpeg   -i \"/in/b c.mov\" -c:v libx264") + kTail +
                                 "\"/out/b c.mp4\"");
    EXPECT_FALSE(lines[0].error || lines[1].error);
}

// What the run would do differently shows in the text: effects merged with the encoder's
// filters, a codec map's changes, a debug log, a plain copy.
TEST(VCliDryRun, TheTextFollowsTheRunsOwnArgumentAssembly) {
    const auto codecMap = [](const XStr& args, XStrList& info) {
        info.push_back("mapped");
        return args.replaced("h264_videotoolbox", "libx264").replaced("aac_at", "aac");
    };
    struct Row {
        const char* encoderArgs;
        const char* effects;
        VCliDryRun::CodecMap map;
        bool debug;
        bool copy;
        XStr text;
    };
    // Names with a space show how each line quotes.
    const XStr in = "-i \"/in/a b.mov\" ";
    const XStr out = "\"/out/a b.mp4\"";
    const Row rows[] = {
        {"-c:v libx264 -vf fps=30", "-dspeffect1=\"Scale=-vf scale=640:-2\"", nullptr, false, false,
         "/usr/bin/ffmpeg   " + in + "-vf \"scale=640:-2, fps=30\" -c:v libx264" + kTail + out},
        {"-c:v h264_videotoolbox -c:a aac_at", "", codecMap, false, false,
         "/usr/bin/ffmpeg   " + in + "-c:v libx264 -c:a aac" + kTail + out},
        // With the debug log FFmpeg is not quietened.
        {"-c:v libx264", "", nullptr, true, false,
         "/usr/bin/ffmpeg   " + in +
             "-c:v libx264 -y -ignore_unknown -hide_banner -progress /dev/null " + out},
        {"", "", nullptr, false, true, "copy \"/in/a b.mov\" " + out},
    };
    for (const Row& row : rows) {
        auto spec = specOf(row.encoderArgs);
        spec->setDspString(row.effects);
        addJob(*spec, "/in/a b.mov", "/out/a b.mp4", row.copy);
        const auto lines =
            VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", row.debug, row.map, textForm());
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].text, row.text);
        EXPECT_FALSE(lines[0].error);
    }
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
    const auto lines =
        VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, textForm());
    const std::string list = dir.path() + "/vavXTempFile-" + std::to_string(getpid()) + "-1.txt";
    EXPECT_EQ(lines.at(0).text, XStr("/usr/bin/ffmpeg   -f concat -safe 0 -i " + list +
                                     " -vcodec copy -acodec copy") +
                                    kTail + "/out/a.mov");
    EXPECT_FALSE(fileExists(list));
}

TEST(VCliDryRun, JobWithoutInputIsReportedAsAnError) {
    auto spec = specOf("-c:v libx264");
    auto concat = std::make_shared<VAConvertSourceConcat>();
    VAConversionEntry entry;
    entry.convertFrom = concat;
    entry.urlTo = "/out/x.mp4";
    spec->entries.push_back(entry);
    const auto lines =
        VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, textForm());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].error);
    EXPECT_EQ(lines[0].text, "No input file given.");
}

TEST(VCliDryRun, ShellFormQuotesTheRunsArgumentVector) {
    auto spec = specOf("-c:v libx264 -vf \"scale=640:-2, fps=30\"");
    addJob(*spec, "/in/a.mov", "/out/a.mp4");
    addJob(*spec, "/in/it's $(touch pwned).mov", "/out/`x`\n\x1b[2J.mp4");
    const auto lines = VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, {});
    const XStr tail = "-loglevel 16 -y -ignore_unknown -hide_banner -progress /dev/null ";
    EXPECT_EQ(
        textsOf(lines),
        (std::vector<XStr>{"/usr/bin/ffmpeg -i /in/a.mov -c:v libx264 -vf 'scale=640:-2, fps=30' " +
                               tail + "/out/a.mp4",
                           "/usr/bin/ffmpeg -i '/in/it'\\''s $(touch pwned).mov' -c:v libx264 -vf "
                           "'scale=640:-2, fps=30' " +
                               tail + "$'/out/`x`\\n\\033[2J.mp4'"}));
}

TEST(VCliDryRun, PostActionsFollowTheirCommandAsAComment) {
    struct Row {
        const char* effects;
        const char* source;
        const char* after;
    };
    const Row rows[] = {
        {"-dspeffect1=\"Delete Source File=\"", "/in/a b.mov",
         "# After a clean run: delete '/in/a b.mov'"},
        {"-dspeffect1=\"Preserve Source Attributes=\"", "/in/a.mov",
         "# After a clean run: give the output the source's file times"},
        {"-dspeffect1=\"Delete Source File=\" -dspeffect2=\"Preserve Source Attributes=\"",
         "/in/new\nline.mov",
         "# After a clean run: give the output the source's file times; delete "
         "'/in/new\\nline.mov'"},
        // The run never deletes a source that is its own destination.
        {"-dspeffect1=\"Delete Source File=\"", "/out/a.mp4", nullptr},
    };
    for (const Row& row : rows) {
        auto spec = specOf("-c:v libx264");
        spec->setDspString(row.effects);
        addJob(*spec, row.source, "/out/a.mp4");
        const std::vector<XStr> texts =
            textsOf(VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, {}));
        ASSERT_EQ(texts.size(), row.after != nullptr ? 2u : 1u) << row.effects;
        EXPECT_TRUE(texts[0].startsWith("/usr/bin/ffmpeg ")) << texts[0];
        if (row.after != nullptr) {
            EXPECT_EQ(texts[1], row.after);
        }
    }
}

TEST(VCliDryRun, ExistingOutputsAreListedAfterTheirCommandsWhateverTheForm) {
    using Existing = VCliDryRun::Options::Existing;
    const std::pair<Existing, const char*> actions[] = {
        {Existing::kReplace, "exists: the run would replace it"},
        {Existing::kSkip, "exists: the run would skip it"},
        {Existing::kRename, "exists: the run would add the date to the new file's name"},
        {Existing::kAsk, "exists: the run would ask what to do with it"},
    };
    for (const auto& [action, text] : actions) {
        auto spec = specOf("-c:v libx264");
        addJob(*spec, "/in/a.mov", "/out/a.mp4");
        addJob(*spec, "/in/b.mov", "/out/b.mp4");
        addJob(*spec, "/in/c.dat", "/out/c.dat", true);
        VCliDryRun::Options options;
        options.existing = {"/out/b.mp4", "/out/c.dat"};
        options.existingAction = action;
        const XStr outcome = text;
        const std::vector<XStr> texts =
            textsOf(VCliDryRun::commandLines(spec, "/usr/bin/ffmpeg", false, nullptr, options));
        ASSERT_EQ(texts.size(), 5u);
        EXPECT_TRUE(texts[0].endsWith(" /out/a.mp4")) << texts[0];
        EXPECT_TRUE(texts[1].endsWith(" /out/b.mp4")) << texts[1];
        EXPECT_EQ(texts[2], "# '/out/b.mp4' " + outcome);
        EXPECT_EQ(texts[3], "# copy /in/c.dat /out/c.dat");
        EXPECT_EQ(texts[4], "# '/out/c.dat' " + outcome);
    }
}
