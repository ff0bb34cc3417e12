// vantaro-video's arguments as the program takes them: the help, the version and a mistake
// are answered on the terminal without a display; files and folders open a converter
// window (seen through the start report, which names the first window shown).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCCommandLine.h"
#include "VideoProgram.h"

namespace {

class VantaroVideoArgs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(mkdir(mDir.file("in").c_str(), 0755), 0); }

    TestTempDir mDir;
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
    ScopedEnv mConfig{"XDG_CONFIG_HOME", mDir.file("config").c_str()};
    ScopedEnv mRuntime{"XDG_RUNTIME_DIR", mDir.path().c_str()};
};

// With Qt pointed at a display that is not there, anything that started Qt would fail
// otherwise than these answers.
TEST_F(VantaroVideoArgs, QuestionsAndMistakesAreAnsweredWithoutADisplay) {
    const ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
    const ScopedEnv display("DISPLAY", nullptr);
    const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    std::string cliVersion;
    ASSERT_EQ(runProgram({VANTARO_CLI_PATH, "--version"}, &cliVersion), 0);
    ASSERT_EQ(cliVersion.rfind("vantaro ", 0), 0u);
    const std::string missing = mDir.file("in/none.mp4");
    writeTextFile(mDir.file("in/a.mp4"), "");
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const std::string hint = "Try 'vantaro-video --help'.\n";
    const std::vector<Row> rows = {
        {{"--help"}, 0, VMCCommandLine::helpText(), ""},
        {{"--version"}, 0, "vantaro-video " + cliVersion.substr(8), ""},
        {{"--bogus"}, 2, "", "vantaro-video: Unknown option '--bogus'\n" + hint},
        {{"--convert"},
         2,
         "",
         "vantaro-video: The option '--convert' needs at least one file\n" + hint},
        {{"--convert", missing}, 2, "", "vantaro-video: No such file: '" + missing + "'\n" + hint},
        {{"--convert-folder", missing},
         2,
         "",
         "vantaro-video: No such folder: '" + missing + "'\n" + hint},
        {{"--convert-folder", mDir.file("in/a.mp4")},
         2,
         "",
         "vantaro-video: Not a folder: '" + mDir.file("in/a.mp4") + "'\n" + hint},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const VideoProgramRun run = runVideoProgram(VANTARO_VIDEO_PATH, row.args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err, row.err);
    }
}

// The first window shown: the launcher without files, the converter with them.
TEST_F(VantaroVideoArgs, FilesAndFoldersOpenTheConverter) {
    const ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    writeTextFile(mDir.file("in/a.mp4"), "");
    writeTextFile(mDir.file("in/b\xff.mov"), "");
    struct Row {
        std::vector<std::string> args;
        std::string title;
    };
    const std::vector<Row> rows = {
        {{}, "Vantaro Video Converter"},
        {{mDir.file("in/b\xff.mov")}, "Video Converter"},
        {{"--convert-folder", mDir.file("in")}, "Batch Converter"},
    };
    const std::regex report("shown [0-9]+ (.*)\nidle-rss-kb ([1-9][0-9]*)\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        std::vector<std::string> args = {VMCCommandLine::kReportStartOption};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const VideoProgramRun run = runVideoProgram(VANTARO_VIDEO_PATH, args);
        EXPECT_EQ(run.status, 0) << run.err;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(run.out, match, report)) << run.out;
        EXPECT_EQ(match[1].str(), row.title);
    }
}

}  // namespace
