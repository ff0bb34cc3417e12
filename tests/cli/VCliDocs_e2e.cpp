// The manual page and the bash completion as the build made them: every option of every
// command's table is described and completed, values complete to what they name, and an
// install into a fresh prefix runs from there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "CliE2E.h"
#include "VALocateFFmpeg.h"
#include "VCliCommands.h"
#include "VCliVersion.h"
#include "VVCPageText.h"

namespace {

using Words = std::set<std::string>;

// Runs of white space as one space, so that text reflowed by the formatter still matches.
std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t';
        if (space && (out.empty() || out.back() == ' ')) {
            continue;
        }
        out += space ? ' ' : c;
    }
    return out;
}

// The page as a reader sees it: plain ASCII, long lines, no hyphenation.
std::string renderedManPage() {
    std::string text;
    EXPECT_EQ(runProgram({XFindProgram("sh").utf8(), "-c",
                          "groff -man -Tascii -P-cbou -rLL=250n -rHY=0 -ww \"$1\" 2>&1", "sh",
                          VANTARO_MAN_PAGE},
                         &text),
              0);
    return text;
}

std::string optionHeading(const VCliOptionDef& def) {
    std::string text = def.shortName != 0 ? std::string("-") + def.shortName + ", " : "";
    text += "--" + def.longName;
    if (def.optionalValue) {
        return text + "[=" + def.valueName + "]";
    }
    return def.takesValue ? text + " " + def.valueName : text;
}

Words firstCells(const XStrList& lines) {
    Words names;
    for (const XStr& line : lines) {
        names.insert(line.split(U'\t').front().utf8());
    }
    return names;
}

Words encoderNames() {
    return firstCells(VVCPageText::encoderLines(false, VALocateFFmpeg::gplEncodersOffered()));
}

Words effectNames() {
    return firstCells(VVCPageText::effectLines(false, VALocateFFmpeg::gplEncodersOffered()));
}

class CliDocsE2E : public CliE2E {
protected:
    // What the completion offers for the words typed so far, the last being completed,
    // split as the shell splits them; run in the folder "in".
    Words complete(const std::vector<std::string>& typed) {
        std::vector<std::string> argv = {
            XFindProgram("bash").utf8(),
            "-c",
            "cd \"$1\" && source \"$2\" && shift 2 && COMP_CWORD=$(($# - 1)) && "
            "COMP_WORDS=(\"$@\") && _vantaro && printf '%s\\n' \"${COMPREPLY[@]}\"",
            "bash",
            mDir.file("in"),
            VANTARO_BASH_COMPLETION,
            VANTARO_CLI_PATH};
        argv.insert(argv.end(), typed.begin(), typed.end());
        std::string out;
        EXPECT_EQ(runProgram(argv, &out), 0) << out;
        Words words;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty()) {
                words.insert(line);
            }
        }
        return words;
    }

    Words expectedValues(VCliValueKind kind) {
        switch (kind) {
            case VCliValueKind::kEncoder:
                return encoderNames();
            case VCliValueKind::kEffect:
                return effectNames();
            case VCliValueKind::kFolder:
                return {"sub folder"};
            case VCliValueKind::kFile:
                return {"sub folder", "a clip.mov"};
            case VCliValueKind::kText:
                break;
        }
        return {};
    }

    void SetUp() override {
        CliE2E::SetUp();
        ASSERT_EQ(mkdir(mDir.file("in/sub folder").c_str(), 0755), 0);
        std::ofstream(mDir.file("in/a clip.mov")) << "x";
    }
};

}  // namespace

TEST_F(CliDocsE2E, ManPageDescribesEveryOptionOfEveryCommandUnderItsCommand) {
    const std::string page = renderedManPage();
    ASSERT_EQ(page.find("warning"), std::string::npos) << page;
    const std::size_t commandsAt = page.find("\nCOMMANDS\n");
    ASSERT_NE(commandsAt, std::string::npos) << page;
    EXPECT_NE(page.find("vantaro " + std::string(VCliVersion::text())), std::string::npos);

    // The program's own options, before the commands.
    const std::string programPart = squeezed(page.substr(0, commandsAt));
    for (const VCliOptionDef& def : VCliCommands::programOptions()) {
        EXPECT_NE(programPart.find(optionHeading(def) + " " + def.help), std::string::npos)
            << def.longName;
    }
    const std::vector<VCliCommand>& commands = VCliCommands::all();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const std::size_t from = page.find("\n   " + commands[i].name + "\n", commandsAt);
        ASSERT_NE(from, std::string::npos) << commands[i].name;
        const std::size_t to = i + 1 < commands.size()
                                   ? page.find("\n   " + commands[i + 1].name + "\n", from)
                                   : page.find("\nFILES\n", from);
        ASSERT_NE(to, std::string::npos) << commands[i + 1].name;
        const std::string section = squeezed(page.substr(from, to - from));
        EXPECT_NE(section.find("vantaro " + commands[i].name), std::string::npos) << section;
        for (const VCliOptionDef& def : commands[i].options()) {
            EXPECT_NE(section.find(optionHeading(def) + " " + squeezed(def.help)),
                      std::string::npos)
                << commands[i].name << " --" << def.longName << " in:\n"
                << section;
        }
    }
}

TEST_F(CliDocsE2E, CompletionOffersTheCommandsAndEveryOptionOfEachCommand) {
    Words first;
    for (const VCliCommand& command : VCliCommands::all()) {
        first.insert(command.name);
    }
    Words programOptions;
    for (const VCliOptionDef& def : VCliCommands::programOptions()) {
        programOptions.insert("--" + def.longName);
    }
    EXPECT_EQ(complete({""}), first);
    EXPECT_EQ(complete({"-"}), programOptions);
    EXPECT_EQ(complete({"enc"}), (Words{"encoder", "encoders"}));

    for (const VCliCommand& command : VCliCommands::all()) {
        Words options;
        for (const VCliOptionDef& def : command.options()) {
            options.insert("--" + def.longName);
        }
        EXPECT_EQ(complete({command.name, "--"}), options) << command.name;
        EXPECT_EQ(complete({command.name, "-"}), options) << command.name;
    }
}

TEST_F(CliDocsE2E, CompletionOffersWhatEachValueAndOperandNames) {
    ASSERT_FALSE(encoderNames().empty());
    ASSERT_FALSE(effectNames().empty());
    for (const VCliCommand& command : VCliCommands::all()) {
        EXPECT_EQ(complete({command.name, ""}), expectedValues(command.operandKind))
            << command.name;
        for (const VCliOptionDef& def : command.options()) {
            if (!def.takesValue) {
                continue;
            }
            const Words expected = expectedValues(def.valueKind);
            const std::string shown = command.name + " --" + def.longName;
            EXPECT_EQ(complete({command.name, "--" + def.longName, ""}), expected) << shown;
            // "--name=" reaches the completion as three words.
            EXPECT_EQ(complete({command.name, "--" + def.longName, "=", ""}), expected) << shown;
            if (def.shortName != 0) {
                EXPECT_EQ(complete({command.name, std::string("-") + def.shortName, ""}), expected)
                    << shown;
            }
        }
    }
}

TEST_F(CliDocsE2E, CompletionMatchesNamesInAnyCaseAndFilesAfterDoubleDash) {
    Words mp4;
    for (const std::string& name : encoderNames()) {
        if (name.rfind("MP4", 0) == 0) {
            mp4.insert(name);
        }
    }
    ASSERT_GE(mp4.size(), 2u);
    EXPECT_EQ(complete({"convert", "--encoder", "mp4"}), mp4);
    // A name typed with the shell's escapes, as the completion itself inserts it.
    Words h26;
    for (const std::string& name : mp4) {
        if (name.rfind("MP4 (H26", 0) == 0) {
            h26.insert(name);
        }
    }
    ASSERT_FALSE(h26.empty());
    EXPECT_EQ(complete({"convert", "-e", "MP4\\ (H26"}), h26);
    EXPECT_EQ(complete({"effect", "cro"}), Words({"Crop"}));
    EXPECT_EQ(complete({"convert", "--effect", "=", "Cro"}), Words({"Crop"}));

    std::ofstream(mDir.file("in/-dash.mov")) << "x";
    EXPECT_EQ(complete({"convert", "-"}).count("-dash.mov"), 0u);
    EXPECT_EQ(complete({"convert", "--", "-"}), Words({"-dash.mov"}));
    EXPECT_EQ(complete({"convert", "--", "--encoder", ""}),
              Words({"sub folder", "a clip.mov", "-dash.mov"}));
}

TEST_F(CliDocsE2E, InstalledProgramRunsFromItsPrefixWithItsPageAndCompletion) {
    const std::string prefix = mDir.file("prefix");
    std::string log;
    ASSERT_EQ(runProgram({VANTARO_CMAKE, "--install", VANTARO_BUILD_DIR, "--prefix", prefix}, &log),
              0)
        << log;
    const std::string program = prefix + "/bin/vantaro";
    for (const std::string& installed : {program, prefix + "/share/man/man1/vantaro.1.gz",
                                         prefix + "/share/bash-completion/completions/vantaro",
                                         prefix + "/share/vantaro/Scale Data"}) {
        struct stat st {};
        EXPECT_EQ(stat(installed.c_str(), &st), 0) << installed;
    }
    EXPECT_EQ(readTextFile(prefix + "/share/bash-completion/completions/vantaro"),
              readTextFile(VANTARO_BASH_COMPLETION));

    std::string version;
    ASSERT_EQ(runProgram({program, "--version"}, &version), 0);
    EXPECT_EQ(version, "vantaro " + std::string(VCliVersion::text()) + "\n");
    std::string installedEncoders;
    std::string builtEncoders;
    ASSERT_EQ(runProgram({program, "encoders"}, &installedEncoders), 0);
    ASSERT_EQ(runProgram({VANTARO_CLI_PATH, "encoders"}, &builtEncoders), 0);
    EXPECT_EQ(installedEncoders, builtEncoders);

    // The size comes from a preset of the resources.
    const std::string source = clip("clip.mov", 1);
    std::string output;
    ASSERT_EQ(runProgram({program, "convert", "--encoder", "MP4 (H264)", "--effect",
                          "Scale Absolute", "-o", tmp(), source},
                         &output),
              0)
        << output;
    EXPECT_EQ(probeValue(tmp() + "/clip.mp4", "v:0", "width"), "1920");
}
