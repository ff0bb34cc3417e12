// The dry run against real shells and the real FFmpeg: a pasted line runs that FFmpeg with
// the run's own arguments and nothing a file name holds; outputs that exist are listed;
// names with control characters reach no display raw.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "CliE2E.h"
#include "XOutputFile.h"

namespace {

// A file name that a shell would run pieces of if it were pasted unquoted.
const std::string kNastyName = "it's $(touch pwned) `touch pwned2` \"q\" \\ -x.mov";
// One whose control characters need the $'...' form, which older sh lacks.
const std::string kControlName = "line\nbreak \x1b[1mbold\x1b[0m.mov";

class DryRunE2E : public CliE2E {
protected:
    void SetUp() override {
        CliE2E::SetUp();
        ASSERT_EQ(mkdir(mDir.file("bin").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("calls").c_str(), 0755), 0);
        ASSERT_EQ(mkdir(mDir.file("work").c_str(), 0755), 0);
        // Stands in for FFmpeg on the PATH: notes its arguments, then runs the real one.
        const std::string fake = mDir.file("bin/ffmpeg");
        writeTextFile(fake,
                      "#!/bin/sh\n"
                      "f=$(mktemp \"$VANTARO_TEST_CALLS/call.XXXXXX\") || exit 99\n"
                      "printf '%s\\0' \"$@\" > \"$f\"\n"
                      "exec " +
                          sq(mFFmpeg) + " \"$@\"\n");
        ASSERT_EQ(chmod(fake.c_str(), 0755), 0);
        mPath = std::make_unique<ScopedEnv>(
            "PATH", (mDir.file("bin") + ":" + std::string(getenv("PATH"))).c_str());
    }

    // The argument vectors of the conversions FFmpeg was started for (its questions about
    // encoders left out), and forgets them.
    std::vector<std::vector<std::string>> takeCalls() {
        std::vector<std::vector<std::string>> calls;
        for (const std::string& name : folderEntries(mDir.file("calls"))) {
            const std::string path = mDir.file("calls/" + name);
            const std::string bytes = readTextFile(path);
            unlink(path.c_str());
            std::vector<std::string> argv;
            for (std::size_t start = 0; start < bytes.size();) {
                const std::size_t end = bytes.find('\0', start);
                argv.push_back(bytes.substr(start, end - start));
                start = end + 1;
            }
            if (std::find(argv.begin(), argv.end(), "-progress") != argv.end()) {
                calls.push_back(argv);
            }
        }
        return calls;
    }

    // The progress file and the output are the arguments a dry run shows otherwise: the run
    // writes beside the destination under a temporary name and moves the file into place.
    static std::vector<std::string> withoutProgressFile(std::vector<std::string> argv) {
        const auto at = std::find(argv.begin(), argv.end(), "-progress");
        if (at != argv.end() && at + 1 != argv.end()) {
            *(at + 1) = "PROGRESS";
        }
        if (!argv.empty() && XOutputFile::OwnerOf(XStr(argv.back())) != 0) {
            std::string& out = argv.back();
            const std::size_t slash = out.rfind('/');
            const std::size_t mark = out.rfind(XOutputFile::kMarker);
            const std::size_t ext = out.find('.', mark + 1);
            out = out.substr(0, slash + 1) + out.substr(slash + 2, mark - slash - 2) +
                  (ext == std::string::npos ? "" : out.substr(ext));
        }
        return argv;
    }

    // Runs the line as a shell would after pasting, in an empty folder.
    int paste(const char* shell, const std::string& line) {
        return runProgram({shell, "-c", "cd " + sq(mDir.file("work")) + " && " + line});
    }

    // The command lines of a dry run's output (comments left out).
    static std::vector<std::string> commands(const CliProcess& p) {
        std::vector<std::string> lines;
        for (const std::string& line : p.outLines()) {
            if (!line.empty() && line[0] != '#') {
                lines.push_back(line);
            }
        }
        return lines;
    }

    ScopedEnv mCalls{"VANTARO_TEST_CALLS", mDir.file("calls").c_str()};
    std::unique_ptr<ScopedEnv> mPath;
};

bool shellReadsDollarQuotes(const char* shell) {
    std::string out;
    return runProgram({shell, "-c", "printf %s $'\\101'"}, &out) == 0 && out == "A\n";
}

}  // namespace

TEST_F(DryRunE2E, PastedLineRunsOnlyFFmpegWithTheRunsArguments) {
    struct Case {
        std::string name;
        const char* shell;
    };
    std::vector<Case> cases = {
        {kNastyName, "/bin/sh"}, {kNastyName, "/bin/bash"}, {kControlName, "/bin/bash"}};
    if (shellReadsDollarQuotes("/bin/sh")) {
        cases.push_back({kControlName, "/bin/sh"});
    }
    const std::vector<std::string> encoder = {"--encoder-args",
                                              "-c:v libx264 -preset ultrafast -c:a aac"};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.shell + std::string(" ") + k.name);
        const std::string src = clip(k.name, 0.5, "160x120");
        const std::string out = mDir.file("out");
        // Output names hold no control characters: each becomes "_".
        std::string name = k.name.substr(0, k.name.size() - 4);
        std::replace_if(
            name.begin(), name.end(), [](char ch) { return ch >= 0 && ch < 32; }, '_');
        const std::string dst = out + "/" + name + ".mp4";

        // What the run itself starts.
        std::vector<std::string> args = {"convert", "-o", out};
        args.insert(args.end(), encoder.begin(), encoder.end());
        args.push_back(src);
        CliProcess run;
        ASSERT_EQ(vantaro(args, run), 0) << run.err;
        const auto ran = takeCalls();
        ASSERT_EQ(ran.size(), 1u);
        ASSERT_EQ(unlink(dst.c_str()), 0);

        args.insert(args.begin() + 1, "--dry-run");
        CliProcess dry;
        ASSERT_EQ(vantaro(args, dry), 0) << dry.err;
        EXPECT_TRUE(takeCalls().empty()) << "a dry run starts no FFmpeg";
        EXPECT_EQ(dry.out.find('\x1b'), std::string::npos) << "no raw control character";
        const std::vector<std::string> lines = commands(dry);
        ASSERT_EQ(lines.size(), 1u) << dry.out;

        EXPECT_EQ(paste(k.shell, lines[0]), 0) << lines[0];
        const auto pasted = takeCalls();
        ASSERT_EQ(pasted.size(), 1u) << "FFmpeg, once";
        EXPECT_EQ(withoutProgressFile(pasted[0]), withoutProgressFile(ran[0]));
        EXPECT_EQ(probeValue(dst, "v:0", "codec_name"), "h264");
        EXPECT_TRUE(folderEntries(mDir.file("work")).empty()) << "nothing in the name ran";
        EXPECT_FALSE(fileExists(mDir.file("in/pwned")));
        unlink(dst.c_str());
        unlink(src.c_str());
    }
}

TEST_F(DryRunE2E, ExistingOutputsAreListedEveryCommandShownAndTheRunsStatusKept) {
    writeTextFile(mDir.file("in/a.mov"), "not read by a dry run");
    writeTextFile(mDir.file("in/b.mov"), "not read by a dry run");
    writeTextFile(mDir.file("in/b.mp4"), "the user's file");
    const std::vector<std::string> common = {"--encoder-args", "-c:v libx264",
                                             "--effect",       "Preserve Source Attributes",
                                             "--effect",       "Delete Source File"};
    for (const bool overwrite : {false, true}) {
        std::vector<std::string> args = {"convert", "--dry-run"};
        if (overwrite) {
            args.push_back("--overwrite");
        }
        args.insert(args.end(), common.begin(), common.end());
        args.push_back(mDir.file("in/a.mov"));
        args.push_back(mDir.file("in/b.mov"));
        CliProcess p;
        EXPECT_EQ(vantaro(args, p), 0) << p.err;
        const std::vector<std::string> lines = p.outLines();
        ASSERT_EQ(lines.size(), 5u) << p.out;
        const std::string after =
            "# After a clean run: give the output the source's file times; "
            "delete '";
        EXPECT_NE(lines[0].find(" " + sq(mDir.file("in/a.mov")) + " "), std::string::npos);
        EXPECT_EQ(lines[1], after + mDir.file("in/a.mov") + "'");
        EXPECT_NE(lines[2].find(" " + sq(mDir.file("in/b.mov")) + " "), std::string::npos);
        EXPECT_EQ(lines[3], after + mDir.file("in/b.mov") + "'");
        // Without a terminal to ask on, an output that exists is skipped.
        EXPECT_EQ(lines[4], "# '" + mDir.file("in/b.mp4") +
                                (overwrite ? "' exists: the run would replace it"
                                           : "' exists: the run would skip it"));
        EXPECT_EQ(p.err, "");
    }
    EXPECT_EQ(readTextFile(mDir.file("in/b.mp4")), "the user's file");
    EXPECT_TRUE(fileExists(mDir.file("in/a.mov")));
}

TEST_F(CliE2E, ControlCharactersInNamesAndLinesReachNoDisplayRaw) {
    const std::string bad = mDir.file("in/bad\x1b[2J\nname.mp4");
    writeTextFile(bad, "this is not a video\n");
    const std::string shown = mDir.file("in/bad\\033[2J\\nname.mp4");
    const std::string out = mDir.file("out");
    CliProcess plain;
    EXPECT_EQ(vantaro({"convert", "--encoder-args", "", "-o", out, bad}, plain), 1);
    for (const std::string* text : {&plain.out, &plain.err}) {
        EXPECT_EQ(text->find('\x1b'), std::string::npos) << *text;
    }
    // The output's name has "_" for each control character.
    EXPECT_NE(plain.out.find("Started 1/1: " + shown + " -> " + out + "/bad_[2J_name.mp4\n"),
              std::string::npos)
        << plain.out;
    EXPECT_NE(plain.out.find("Failed 1/1: " + shown + ": "), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("\nConverted 0 files to [Custom FFmpeg settings]; 1 file failed\n"),
              std::string::npos)
        << plain.out;
    EXPECT_EQ(plain.err.rfind("Error converting to [Custom FFmpeg settings], "
                              "'bad\\033[2J\\nname.mp4' to '" +
                                  out + "/bad_[2J_name.mp4'\n   ",
                              0),
              0u)
        << plain.err;

    // JSON keeps the names exact, escaped as JSON escapes them, and the first error line.
    CliProcess events;
    EXPECT_EQ(vantaro({"convert", "--encoder-args", "", "--json", "-o", out, bad}, events), 1);
    bool sawEnd = false;
    for (const json& e : CliE2E::events(events)) {
        if (e.at("event") == "job-end") {
            sawEnd = true;
            EXPECT_EQ(e.at("source"), bad);
            EXPECT_FALSE(e.at("ok").get<bool>());
            EXPECT_NE(e.at("error").get<std::string>().find("moov atom not found"),
                      std::string::npos)
                << e.dump();
        }
    }
    EXPECT_TRUE(sawEnd) << events.out;

    CliProcess missing;
    EXPECT_EQ(vantaro({"convert", mDir.file("in/no\x1b]0;title\x07.mov")}, missing), 2);
    EXPECT_EQ(missing.err,
              "vantaro: No such file: '" + mDir.file("in/no\\033]0;title\\007.mov") + "'\n");
}
