// The options of "vantaro convert" as the command reads them, and its usage errors.
#include "VCliConvertOptions.h"

#include <gtest/gtest.h>

namespace {

struct Read {
    bool ok;
    VCliConvertOptions options;
    std::string error;
};

Read read(const std::vector<std::string>& args) {
    Read r;
    r.ok = VCliConvertOptions::fromArgs(args, r.options, r.error);
    return r;
}

}  // namespace

TEST(VCliConvertOptions, EveryOptionReachesItsField) {
    const Read r = read({"--encoder-args", "-c:v libx264", "--effects", "-dspeffect1=\"x=\"",
                         "--ext", ".mkv", "-o", "out", "-j", "3", "--join", "--dry-run", "--json",
                         "--verbose", "--overwrite", "a.mov", "b.mov"});
    ASSERT_TRUE(r.ok) << r.error;
    const VCliConvertOptions& o = r.options;
    EXPECT_EQ(o.encoderArgs, "-c:v libx264");
    EXPECT_EQ(o.effects, "-dspeffect1=\"x=\"");
    EXPECT_EQ(o.ext, XStr(".mkv"));
    EXPECT_EQ(o.naming.outputDir, XStr("out"));
    EXPECT_EQ(o.jobs, 3u);
    EXPECT_TRUE(o.join && o.dryRun && o.json && o.verbose && o.overwrite());
    EXPECT_TRUE(o.encoderArgsGiven && o.effectsGiven);
    EXPECT_FALSE(o.profileMode());
    EXPECT_FALSE(o.copy || o.help);
    EXPECT_EQ(o.files, (XStrList{"a.mov", "b.mov"}));
    // The defaults when only files are given.
    const Read plain = read({"a.mov"});
    ASSERT_TRUE(plain.ok);
    EXPECT_TRUE(plain.options.encoderArgs.empty());
    EXPECT_FALSE(plain.options.ext.has_value());
    EXPECT_FALSE(plain.options.naming.outputDir.has_value());
    EXPECT_EQ(plain.options.jobs, 0u);
    EXPECT_FALSE(plain.options.dryRun);
    EXPECT_TRUE(plain.options.profileMode()) << "the active profile converts";
    EXPECT_EQ(plain.options.onExists, VCliOnExists::Policy::kAsk);
}

TEST(VCliConvertOptions, ProfilesAndWhatBecomesOfOutputsThatExist) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // nullptr: read
        VCliOnExists::Policy policy;
        bool profileMode;
    };
    using P = VCliOnExists::Policy;
    const Case cases[] = {
        {{"--profile", "Small", "--save", "--set", "quality=2"}, nullptr, P::kAsk, true},
        {{"--encoder-args", ""}, nullptr, P::kAsk, false},
        {{"--ext", ".mkv"}, nullptr, P::kAsk, false},
        {{"--ext", ".mkv", "--profile", "[Custom FFmpeg settings]"}, nullptr, P::kAsk, true},
        {{"--on-exists", "skip"}, nullptr, P::kSkip, true},
        {{"--on-exists=rename"}, nullptr, P::kRename, true},
        {{"--on-exists", "overwrite", "--overwrite"}, nullptr, P::kOverwrite, true},
        {{"--overwrite", "--copy"}, nullptr, P::kOverwrite, false},
        {{"--on-exists", "never"},
         "Invalid value 'never' of '--on-exists' (use ask, overwrite, skip or rename)",
         P::kAsk,
         true},
        {{"--on-exists", "skip", "--overwrite"},
         "The options '--overwrite' and '--on-exists skip' cannot be used together",
         P::kAsk,
         true},
        {{"--profile", "Small", "--encoder", "AVI"},
         "The option '--profile' cannot be used with '--encoder', '--encoder-args' or '--copy'",
         P::kAsk,
         true},
        {{"--profile", "Small", "--encoder-args", ""},
         "The option '--profile' cannot be used with '--encoder', '--encoder-args' or '--copy'",
         P::kAsk,
         true},
        {{"--save", "--copy"},
         "The option '--save' saves changes of a profile; it cannot be used with '--encoder', "
         "'--encoder-args', '--copy', or '--ext' without '--profile'",
         P::kAsk,
         true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("a.mov");
        const Read r = read(args);
        const std::string what = c.args.front() + " " + c.args.back();
        if (c.error != nullptr) {
            EXPECT_FALSE(r.ok) << what;
            EXPECT_EQ(r.error, c.error) << what;
            continue;
        }
        ASSERT_TRUE(r.ok) << what << ": " << r.error;
        EXPECT_EQ(r.options.onExists, c.policy) << what;
        EXPECT_EQ(r.options.profileMode(), c.profileMode) << what;
    }
    const Read profile = read({"-p", "Small", "--save", "a.mov"});
    EXPECT_EQ(profile.options.profile, XStr("Small"));
    EXPECT_TRUE(profile.options.save);
}

TEST(VCliConvertOptions, ExtensionWithoutPointGetsOneAndOneThatIsNoExtensionIsRefused) {
    EXPECT_EQ(read({"--ext", "webm", "a"}).options.ext, XStr(".webm"));
    for (const char* bad : {"", ".", "../x", "a/b"}) {
        const Read r = read({"--ext", bad, "a"});
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.error, std::string("Invalid extension '") + bad + "'");
    }
}

TEST(VCliConvertOptions, JobsMustBeAPlainCountInRange) {
    for (const char* bad : {"0", "-1", "x", "2x", "", "257", "99999999999"}) {
        const Read r = read({"-j", bad, "a"});
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.error, std::string("Invalid number of jobs '") + bad + "' (use 1 to 256)");
    }
    EXPECT_EQ(read({"-j256", "a"}).options.jobs, 256u);
    EXPECT_EQ(read({"--jobs=1", "a"}).options.jobs, 1u);
}

TEST(VCliConvertOptions, NoFilesOrAnEmptyNameIsAUsageErrorButHelpNeedsNoFiles) {
    Read r = read({"--join"});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "No input files");
    r = read({"a", ""});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "An empty file name was given");
    r = read({"--help"});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.options.help);
}

TEST(VCliConvertOptions, CopyExcludesJoinAndEncoderSettings) {
    EXPECT_EQ(read({"--copy", "--join", "a", "b"}).error,
              "The options '--copy' and '--join' cannot be used together");
    EXPECT_EQ(read({"--copy", "--encoder-args", "-c copy", "a"}).error,
              "The option '--copy' makes plain copies; encoders and effects do not apply");
    EXPECT_TRUE(read({"--copy", "--ext", ".bak", "a"}).ok);
}

TEST(VCliConvertOptions, HelpListsEveryOptionOfTheTable) {
    const std::string help = VCliConvertOptions::helpText();
    EXPECT_EQ(help.rfind("Usage: vantaro convert [options] FILE...\n", 0), 0u);
    for (const VCliOptionDef& def : VCliConvertOptions::table()) {
        EXPECT_NE(help.find("--" + def.longName), std::string::npos) << def.longName;
    }
}

TEST(VCliConvertOptions, EncoderEffectsAndSettingsKeepTheirOrder) {
    const Read r = read({"-e", "WebM (VP8)", "--effect", "Crop", "-s", "quality=30", "--effect",
                         "Flip", "--set", "Crop.width=320", "clip.mp4"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.options.encoder, XStr("WebM (VP8)"));
    EXPECT_EQ(r.options.effectNames, (XStrList{"Crop", "Flip"}));
    EXPECT_EQ(r.options.settings, (XStrList{"quality=30", "Crop.width=320"}));

    EXPECT_EQ(read({"--set", "=3", "a"}).error,
              "Invalid setting '=3' (use ID=VALUE or NAME.ID=VALUE)");
    EXPECT_EQ(read({"--copy", "--effect", "Flip", "a"}).error,
              "The option '--copy' makes plain copies; encoders and effects do not apply");
    EXPECT_FALSE(read({"--encoder", "AVI", "--encoder-args", "-c:v mpeg4", "a"}).ok);
    EXPECT_FALSE(read({"--encoder", "AVI", "--encoder", "GIF Animation", "a"}).ok)
        << "one encoder per conversion";
}

TEST(VCliConvertOptions, DryRunIsQuotedForAShellUnlessTextIsAsked) {
    struct Row {
        std::vector<std::string> args;
        bool ok;
        bool text;
        XStrList files;
    };
    const Row rows[] = {
        {{"--dry-run", "a"}, true, false, {"a"}},
        {{"--dry-run=text", "a"}, true, true, {"a"}},
        {{"--dry-run=", "a"}, true, false, {"a"}},
        // The value only ever follows "=": a word after the option is a file.
        {{"--dry-run", "text"}, true, false, {"text"}},
        {{"--dry-run=shell", "a"}, false, false, {}},
    };
    for (const Row& row : rows) {
        const Read r = read(row.args);
        EXPECT_EQ(r.ok, row.ok) << row.args[0] << " " << r.error;
        if (r.ok) {
            EXPECT_TRUE(r.options.dryRun);
            EXPECT_EQ(r.options.dryRunText, row.text) << row.args[0];
            EXPECT_EQ(r.options.files, row.files);
        }
    }
    EXPECT_NE(VCliConvertOptions::helpText().find("      --dry-run[=text]  "), std::string::npos)
        << VCliConvertOptions::helpText();
}

TEST(VCliConvertOptions, NamingOptionsAndWhereEachNeedsAFolder) {
    struct Case {
        std::vector<std::string> args;
        std::string error;  // empty when the arguments are usable
    };
    const Case cases[] = {
        {{"--template", "[artist]/[title]", "-o", "out", "a"}, ""},
        {{"--template", "[origpath]/[artist] - [title]", "a"}, ""},
        {{"--template", "[origpath]\\[origfilename]", "a"}, ""},
        {{"--preserve-path", "out", "a"}, ""},
        {{"--template", "[artist]/[title]", "a"},
         "The template '[artist]/[title]' needs a destination folder: give -o DIR (only a "
         "template that begins with [origpath] may go without one; it rebuilds the source "
         "folders from /)"},
        {{"--template", "[ORIGPATH]/x", "a"},
         "The template '[ORIGPATH]/x' needs a destination folder: give -o DIR (only a template "
         "that begins with [origpath] may go without one; it rebuilds the source folders from /)"},
        {{"--template", "", "-o", "out", "a"}, "The option '--template' needs a template"},
        {{"--preserve-path", "", "a"}, "The option '--preserve-path' needs a folder"},
        {{"-o", "", "a"}, "The option '--output' needs a folder"},
        {{"--preserve-path", "p", "-o", "out", "a"},
         "The option '--preserve-path' names the destination and the names itself; it cannot be "
         "used with '--output' or '--template'"},
        {{"--preserve-path", "p", "--template", "[origpath]x", "a"},
         "The option '--preserve-path' names the destination and the names itself; it cannot be "
         "used with '--output' or '--template'"},
    };
    for (const Case& c : cases) {
        const Read r = read(c.args);
        EXPECT_EQ(r.ok, c.error.empty()) << c.args[1];
        EXPECT_EQ(r.error, c.error) << c.args[1];
    }
    const Read r = read({"--template", "[artist]", "-o", "out", "--preserve-path=", "a"});
    EXPECT_FALSE(r.ok);
    const Read t = read({"--template", "[artist]\\[title]", "-o", "out", "a"});
    ASSERT_TRUE(t.ok);
    EXPECT_EQ(t.options.naming.templ, XStr("[artist]\\[title]"));
    EXPECT_EQ(t.options.naming.makeNaming().dynamicFormat(), "[artist]/[title]");
}
