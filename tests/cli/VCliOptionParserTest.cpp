// The table-driven parser: names, values, repeats and the messages of bad usage.
#include "VCliOptionParser.h"

#include <gtest/gtest.h>

namespace {

const std::vector<VCliOptionDef> kTable = {
    {"encoder-args", 0, true, false, "TEXT", "encoder options"},
    {"output", 'o', true, false, "DIR", "output folder"},
    {"set", 0, true, true, "ID=VALUE", "set a control"},
    {"join", 0, false, false, "", "join"},
    {"verbose", 'v', false, false, "", "talk more"},
    {"help", 'h', false, false, "", "help"},
};

using Words = std::vector<std::string>;

// What a parse gave, in one line: the options in table order, then the operands.
std::string outcome(const Words& args) {
    VCliParsedOptions options;
    std::string error;
    if (!VCliOptionParser(kTable).parse(args, options, error)) {
        return "error: " + error;
    }
    std::string out;
    for (const VCliOptionDef& def : kTable) {
        if (!options.has(def.longName)) {
            continue;
        }
        out += "--" + def.longName;
        if (def.repeatable) {
            for (const std::string& value : options.values(def.longName)) {
                out += "[" + value + "]";
            }
        } else if (def.takesValue) {
            out += "[" + options.value(def.longName).value_or("none") + "]";
        }
        out += " ";
    }
    for (const std::string& operand : options.operands) {
        out += "<" + operand + ">";
    }
    return out;
}

}  // namespace

TEST(VCliOptionParser, EachCommandLineGivesItsOptionsOrItsError) {
    const std::pair<Words, std::string> rows[] = {
        // A value follows even when it looks like an option, and may be empty.
        {{"--encoder-args", "-c:v libx264 -crf 23", "a.mov"},
         "--encoder-args[-c:v libx264 -crf 23] <a.mov>"},
        {{"--encoder-args", "", "f"}, "--encoder-args[] <f>"},
        // After "=" it keeps further equals signs.
        {{"--set=quality=20", "--output=/out"}, "--output[/out] --set[quality=20] "},
        // Short values attached or separate, also at the end of a cluster of flags.
        {{"-o", "/a", "x"}, "--output[/a] <x>"},
        {{"-o/b", "x"}, "--output[/b] <x>"},
        {{"-vho", "/dir", "f"}, "--output[/dir] --verbose --help <f>"},
        // A repeatable option keeps every value in order; a flag given twice is one flag.
        {{"--set", "a=1", "x", "--set", "b=2", "--set=a=3"}, "--set[a=1][b=2][a=3] <x>"},
        {{"--join", "--join", "f"}, "--join <f>"},
        // "--" makes the rest operands; a lone dash is one.
        {{"--join", "--", "--help", "-o", "-"}, "--join <--help><-o><->"},
        {{"-"}, "<->"},
        // Mistakes.
        {{"-o", "/a", "--output", "/b"}, "error: The option '--output' is given more than once"},
        {{"a.mov", "--bogus"}, "error: Unknown option '--bogus'"},
        {{"--bogus=1"}, "error: Unknown option '--bogus'"},
        {{"-vx"}, "error: Unknown option '-x'"},
        {{"--out", "/x"}, "error: Unknown option '--out'"},
        {{"a.mov", "--encoder-args"}, "error: The option '--encoder-args' needs a value"},
        {{"-o"}, "error: The option '-o' needs a value"},
        {{"--join=yes"}, "error: The option '--join' takes no value"},
    };
    for (const auto& [args, expected] : rows) {
        EXPECT_EQ(outcome(args), expected) << testing::PrintToString(args);
    }
}

TEST(VCliOptionParser, HelpAlignsEveryOptionAndMarksRepeatables) {
    const std::string help = VCliOptionParser(kTable).optionsHelp();
    EXPECT_EQ(help,
              "      --encoder-args TEXT  encoder options\n"
              "  -o, --output DIR         output folder\n"
              "      --set ID=VALUE       set a control (may be repeated)\n"
              "      --join               join\n"
              "  -v, --verbose            talk more\n"
              "  -h, --help               help\n");
}
