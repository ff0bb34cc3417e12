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

struct Parse {
    bool ok;
    VCliParsedOptions options;
    std::string error;
};

Parse parse(const std::vector<std::string>& args) {
    Parse p;
    p.ok = VCliOptionParser(kTable).parse(args, p.options, p.error);
    return p;
}

}  // namespace

TEST(VCliOptionParser, ValueFollowsEvenWhenItLooksLikeAnOption) {
    const Parse p = parse({"--encoder-args", "-c:v libx264 -crf 23", "a.mov"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.value("encoder-args"), "-c:v libx264 -crf 23");
    EXPECT_EQ(p.options.operands, std::vector<std::string>{"a.mov"});
}

TEST(VCliOptionParser, LongValueAfterEqualsSignKeepsFurtherEqualsSigns) {
    const Parse p = parse({"--set=quality=20", "--output=/out"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.values("set"), std::vector<std::string>{"quality=20"});
    EXPECT_EQ(p.options.value("output"), "/out");
}

TEST(VCliOptionParser, ShortValueAttachedOrSeparate) {
    Parse p = parse({"-o", "/a", "x"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.value("output"), "/a");
    p = parse({"-o/b", "x"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.value("output"), "/b");
}

TEST(VCliOptionParser, ClusterOfFlagsEndingInAValue) {
    const Parse p = parse({"-vho", "/dir", "f"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.options.has("verbose"));
    EXPECT_TRUE(p.options.has("help"));
    EXPECT_EQ(p.options.value("output"), "/dir");
    EXPECT_EQ(p.options.operands, std::vector<std::string>{"f"});
}

TEST(VCliOptionParser, RepeatableOptionKeepsEveryValueInOrder) {
    const Parse p = parse({"--set", "a=1", "x", "--set", "b=2", "--set=a=3"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.options.values("set"), (std::vector<std::string>{"a=1", "b=2", "a=3"}));
    EXPECT_EQ(p.options.operands, std::vector<std::string>{"x"});
}

TEST(VCliOptionParser, SingleValueOptionGivenTwiceIsAnError) {
    const Parse p = parse({"-o", "/a", "--output", "/b"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "The option '--output' is given more than once");
}

TEST(VCliOptionParser, FlagGivenTwiceIsStillOneFlag) {
    const Parse p = parse({"--join", "--join", "f"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.options.has("join"));
}

TEST(VCliOptionParser, UnknownLongAndShortOptionsAreNamed) {
    Parse p = parse({"a.mov", "--bogus"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "Unknown option '--bogus'");
    p = parse({"--bogus=1"});
    EXPECT_EQ(p.error, "Unknown option '--bogus'");
    p = parse({"-vx"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "Unknown option '-x'");
}

TEST(VCliOptionParser, PrefixOfALongNameIsNotAccepted) {
    const Parse p = parse({"--out", "/x"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "Unknown option '--out'");
}

TEST(VCliOptionParser, MissingValueAtTheEnd) {
    Parse p = parse({"a.mov", "--encoder-args"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "The option '--encoder-args' needs a value");
    p = parse({"-o"});
    EXPECT_EQ(p.error, "The option '-o' needs a value");
}

TEST(VCliOptionParser, FlagWithAValueIsAnError) {
    const Parse p = parse({"--join=yes"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "The option '--join' takes no value");
}

TEST(VCliOptionParser, DoubleDashMakesTheRestOperands) {
    const Parse p = parse({"--join", "--", "--help", "-o", "-"});
    ASSERT_TRUE(p.ok);
    EXPECT_FALSE(p.options.has("help"));
    EXPECT_FALSE(p.options.has("output"));
    EXPECT_EQ(p.options.operands, (std::vector<std::string>{"--help", "-o", "-"}));
}

TEST(VCliOptionParser, LoneDashIsAnOperand) {
    const Parse p = parse({"-"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.operands, std::vector<std::string>{"-"});
}

TEST(VCliOptionParser, EmptyValueIsAValue) {
    const Parse p = parse({"--encoder-args", "", "f"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.value("encoder-args"), "");
    EXPECT_EQ(p.options.operands, std::vector<std::string>{"f"});
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
