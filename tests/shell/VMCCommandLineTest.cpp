#include "VMCCommandLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestSupport.h"

namespace {

using Action = VMCCommandLine::Action;

std::vector<std::string> bytes(const XStrList& list) {
    std::vector<std::string> out;
    for (const XStr& s : list) {
        out.push_back(s.utf8());
    }
    return out;
}

TEST(VMCCommandLine, ArgumentsNameFilesFoldersOrAQuestion) {
    struct Row {
        std::vector<std::string> args;
        Action action;
        std::vector<std::string> files;
        std::vector<std::string> folders;
        std::string error;
    };
    const std::vector<Row> rows = {
        {{}, Action::kOpen, {}, {}, ""},
        // What "Open With" hands over.
        {{"/m/a.mp4", "/m/b c.mkv"}, Action::kOpen, {"/m/a.mp4", "/m/b c.mkv"}, {}, ""},
        {{"--convert", "a.mp4", "b\xff.mov"}, Action::kOpen, {"a.mp4", "b\xff.mov"}, {}, ""},
        {{"--convert-folder", "/m", "/n"}, Action::kOpen, {}, {"/m", "/n"}, ""},
        {{"x.mp4", "--convert-folder", "/m", "--convert", "y.mp4"},
         Action::kOpen,
         {"x.mp4", "y.mp4"},
         {"/m"},
         ""},
        {{"--convert", "--", "-dash.mp4", "--help"},
         Action::kOpen,
         {"-dash.mp4", "--help"},
         {},
         ""},
        {{"--convert-folder", "--", "--odd"}, Action::kOpen, {}, {"--odd"}, ""},
        {{"-"}, Action::kOpen, {"-"}, {}, ""},
        {{"--help"}, Action::kHelp, {}, {}, ""},
        {{"-h", "a.mp4"}, Action::kHelp, {"a.mp4"}, {}, ""},
        {{"--version"}, Action::kVersion, {}, {}, ""},
        {{"--help", "--version"}, Action::kHelp, {}, {}, ""},
        {{"--bogus"}, Action::kUsageError, {}, {}, "Unknown option '--bogus'"},
        {{"--help", "-x\n"}, Action::kUsageError, {}, {}, "Unknown option '-x\\n'"},
        {{"--convert=a.mp4"}, Action::kUsageError, {}, {}, "Unknown option '--convert=a.mp4'"},
        {{"--convert"},
         Action::kUsageError,
         {},
         {},
         "The option '--convert' needs at least one file"},
        {{"--convert-folder", "--convert", "a.mp4"},
         Action::kUsageError,
         {"a.mp4"},
         {},
         "The option '--convert-folder' needs at least one folder"},
        {{"--convert", "--"},
         Action::kUsageError,
         {},
         {},
         "The option '--convert' needs at least one file"},
        // The first mistake is the one told.
        {{"--nope", "--convert"}, Action::kUsageError, {}, {}, "Unknown option '--nope'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const VMCCommandLine line = VMCCommandLine::parse(row.args);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(bytes(line.files), row.files);
        EXPECT_EQ(bytes(line.folders), row.folders);
        EXPECT_EQ(line.error, row.error);
        EXPECT_EQ(line.hasSources(), !row.files.empty() || !row.folders.empty());
        EXPECT_FALSE(line.reportStart);
    }
}

TEST(VMCCommandLine, TheStartReportIsAnOptionTheHelpKeepsQuiet) {
    const VMCCommandLine line = VMCCommandLine::parse({"--report-start", "--convert", "a.mp4"});
    EXPECT_EQ(line.action, Action::kOpen);
    EXPECT_TRUE(line.reportStart);
    EXPECT_EQ(line.files, XStrList{"a.mp4"});
    EXPECT_EQ(VMCCommandLine::helpText().find("report"), std::string::npos);
    for (const char* option :
         {"--convert FILE...", "--convert-folder FOLDER...", "--help", "--version"}) {
        EXPECT_NE(VMCCommandLine::helpText().find(option), std::string::npos) << option;
    }
}

TEST(VMCCommandLine, SourcesAreTheFilesThenTheFilesOfTheFolders) {
    const TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("in").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("empty").c_str(), 0755), 0);
    for (const char* name : {"in/b.mov", "in/a\xff.mp4", "in/.hidden.mp4", "single.wav"}) {
        writeTextFile(dir.file(name), "");
    }
    struct Row {
        std::vector<std::string> args;
        std::vector<std::string> sources;
        std::string error;
    };
    const std::string d = dir.path();
    const std::vector<Row> rows = {
        {{"--convert-folder", d + "/in", "--convert", d + "/single.wav"},
         {d + "/single.wav", d + "/in/a\xff.mp4", d + "/in/b.mov"},
         ""},
        {{d + "/in"}, {d + "/in/a\xff.mp4", d + "/in/b.mov"}, ""},
        {{d + "/single.wav", d + "/none.mp4"}, {}, "No such file: '" + d + "/none.mp4'"},
        {{"--convert-folder", d + "/empty"}, {}, "No files to convert in '" + d + "/empty'"},
        {{"--convert-folder", d + "/empty", d + "/in/.."}, {d + "/single.wav"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const VMCCommandLine line = VMCCommandLine::parse(row.args);
        ASSERT_EQ(line.action, Action::kOpen);
        XStrList sources;
        std::string message;
        EXPECT_EQ(line.collectSources(sources, message), row.error.empty());
        EXPECT_EQ(message, row.error);
        EXPECT_EQ(bytes(sources), row.sources);
    }
}

TEST(VMCCommandLine, FoldersNamedAreTheBatchConvertersSelection) {
    const TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("in").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(dir.file("empty").c_str(), 0755), 0);
    writeTextFile(dir.file("single.wav"), "");
    struct Row {
        std::vector<std::string> args;
        bool batch;
        std::vector<std::string> selection;
        std::string error;
    };
    const std::string d = dir.path();
    const std::vector<Row> rows = {
        {{"--convert-folder", d + "/in", d + "/empty/", "--convert", d + "/single.wav"},
         true,
         {d + "/in", d + "/empty", d + "/single.wav"},
         ""},
        {{"--convert-folder", d + "/empty", d + "/in/.."}, true, {d + "/empty", d}, ""},
        {{"--convert-folder", d + "/gone"}, true, {}, "No such folder: '" + d + "/gone'"},
        {{"--convert-folder", d + "/single.wav"}, true, {}, "Not a folder: '" + d + "/single.wav'"},
        {{"--convert-folder", d + "/in", "--convert", d + "/x.mp4"},
         true,
         {},
         "No such file: '" + d + "/x.mp4'"},
        {{d + "/single.wav"}, false, {d + "/single.wav"}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.args));
        const VMCCommandLine line = VMCCommandLine::parse(row.args);
        ASSERT_EQ(line.action, Action::kOpen);
        EXPECT_EQ(line.opensBatchConverter(), row.batch);
        XStrList selection;
        std::string message;
        EXPECT_EQ(line.collectBatchSelection(selection, message), row.error.empty());
        EXPECT_EQ(message, row.error);
        EXPECT_EQ(bytes(selection), row.selection);
    }
}

}  // namespace
