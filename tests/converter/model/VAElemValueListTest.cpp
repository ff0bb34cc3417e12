#include "VAElemValueList.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

// The option form quotes only values with blanks.
TEST(VAElemValueListForms, StandardAndOptionForm) {
    VAElemValueList list;
    list.addElem("vf", XStr("scale=640:-2"));
    list.addElem("metadata", XStr("title=A B"));
    list.addElem("an");
    list.addElem("threads", int64_t{2});
    EXPECT_EQ(list.mergeToString(),
              "-vf=\"scale=640:-2\" -metadata=\"title=A B\" -an -threads=\"2\"");
    EXPECT_EQ(VAElemValueList().mergeToString(), "");
    EXPECT_EQ(list.mergeToString_alternate(),
              "-vf scale=640:-2 -metadata \"title=A B\" -an  -threads 2");
}

TEST(VAElemValueListForms, WritersEscapeBackslashesAndDoubleQuotes) {
    VAElemValueList list;
    list.addElem("file", XStr("C:\\My \"Clips\""));
    EXPECT_EQ(list.mergeToString(), "-file=\"C:\\\\My \\\"Clips\\\"\"");
    EXPECT_EQ(list.mergeToString_alternate(), "-file \"C:\\\\My \\\"Clips\\\"\"");
    EXPECT_EQ(VAElemValueList(list.mergeToString()).findValue("file"), XStr("C:\\My \"Clips\""));
    EXPECT_EQ(VAElemValueList(list.mergeToString_alternate()).findValue("file"),
              XStr("C:\\My \"Clips\""));
}

TEST(VAElemValueListFind, NamesIgnoreCaseAndTheFirstWins) {
    const VAElemValueList list("-vf first -VF second -x");
    EXPECT_EQ(list.findValue("VF"), XStr("first"));
    EXPECT_EQ(list.findValue("missing"), std::nullopt);
    EXPECT_EQ(list.findValue("missing", "dflt"), "dflt");
    EXPECT_EQ(list.findValue("x", "dflt"), "");
    EXPECT_TRUE(list.containsElem("X"));
    EXPECT_FALSE(list.containsElem("y"));
}

TEST(VAElemValueListFind, NumbersReadLikeTheStringConversions) {
    const VAElemValueList list(
        "-crf=\" 23abc\" -neg -7 -q=2.75x -e=1e3 -empty -big=99999999999999999999");
    EXPECT_EQ(list.findIntValue("crf"), 23);
    EXPECT_EQ(list.findIntValue("neg"), 0);  // the value may not begin with "-"
    EXPECT_EQ(list.findIntValue("7"), 0);
    EXPECT_EQ(list.findIntValue("empty", 5), 0);
    EXPECT_EQ(list.findIntValue("absent"), 0);
    EXPECT_EQ(list.findIntValue("absent", 42), 42);
    EXPECT_EQ(list.findIntValue("big"), std::numeric_limits<int64_t>::max());
    EXPECT_DOUBLE_EQ(list.findDoubleValue("q"), 2.75);
    EXPECT_DOUBLE_EQ(list.findDoubleValue("e"), 1000.0);
    EXPECT_DOUBLE_EQ(list.findDoubleValue("absent", 1.5), 1.5);
    EXPECT_DOUBLE_EQ(list.findDoubleValue("absent"), 0.0);
}

TEST(VAElemValueListFind, ValueAtIndex) {
    const VAElemValueList list("-a 1 -b");
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.valueAtIndex(0), (VAElemValue{"a", "1"}));
    EXPECT_EQ(list.valueAtIndex(1), (VAElemValue{"b", ""}));
    EXPECT_EQ(list.valueAtIndex(2), std::nullopt);
}

TEST(VAElemValueListBinary, BytesSurviveAStoredTextAndMalformedGiveNothing) {
    const std::vector<uint8_t> bytes = {0, 1, 0xFF, '"', '\\', ' ', 0x80};
    VAElemValueList list;
    list.addElem("bookmark", bytes);
    const VAElemValueList reread(list.mergeToString());
    EXPECT_EQ(reread.findBinValue("Bookmark"), bytes);
    EXPECT_EQ(reread.findValue("bookmark"), XStr("AAH/IlwggA=="));
    // Absent or malformed gives nothing.
    const VAElemValueList bad("-bad \"not base64!\"");
    EXPECT_EQ(bad.findBinValue("bad"), std::nullopt);
    EXPECT_EQ(bad.findBinValue("absent"), std::nullopt);
}

TEST(VAElemValueListNumberForm, RoundsByAddingJustUnderHalfAndDropsOnlyTrailingZeros) {
    const struct {
        double number;
        int decimals;
        const char* text;
    } rows[] = {
        {2.5, 2, "2.5"},
        {0.333, 2, "0.33"},
        {-1, 3, "-1"},
        // Rounding adds just under a half, so a half rounds down.
        {1.995, 2, "1.99"},
        {0.006, 2, "0.01"},
        {0.004, 2, "0"},
        {2.5, 0, "2"},
        {2.6, 0, "3"},
        // Only zeros after the point go.
        {100, 0, "100"},
        {10, 2, "10"},
        {12.3, 1, "12.3"},
        {-0.25, 3, "-0.25"},
        {0, 2, "0"},
        // Huge or invalid numbers do not overflow.
        {std::numeric_limits<double>::quiet_NaN(), 2, "0"},
        {1e300, 0, "18446744073709551615"},
        {-std::numeric_limits<double>::infinity(), 1, "-1844674407370955161.5"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VAElemValueList::formatNumber(row.number, row.decimals), row.text)
            << row.number << " to " << row.decimals;
    }
    // Numbers added to a list take that form.
    VAElemValueList list;
    list.addElem("speed", 0.333, 2);
    list.addElem("gain", -1.0, 3);
    EXPECT_EQ(list.mergeToString_alternate(), "-speed 0.33 -gain -1");
}

TEST(VAElemValueListEdit, AppendsNeverReplaceAndClearingTakesEveryPairOfTheName) {
    VAElemValueList list;
    list.addElem("a", XStr("1"));
    list.addElem("a", XStr("2"));
    list.addElem("b", int64_t{-3});
    EXPECT_EQ(list.mergeToString(), "-a=\"1\" -a=\"2\" -b=\"-3\"");
    list.addElemsFromString("-b 2 -c");
    list.addElems(VAElemValueList("-a 4"));
    EXPECT_EQ(list.mergeToString(), "-a=\"1\" -a=\"2\" -b=\"-3\" -b=\"2\" -c -a=\"4\"");
    // Clearing removes every pair of the name, in any case.
    list.clearElem("A");
    EXPECT_EQ(list.mergeToString(), "-b=\"-3\" -b=\"2\" -c");
}

TEST(VAElemValueListSubset, EveryPairMustBeFoundWithAnEqualValue) {
    const VAElemValueList other("-A 1 -b 2 -c");
    EXPECT_TRUE(VAElemValueList("-a 1 -c").isSubsetOf(&other));
    EXPECT_TRUE(VAElemValueList().isSubsetOf(&other));
    const VAElemValueList empty = VAElemValueList::withString("");
    EXPECT_TRUE(empty.isSubsetOf(&empty));
    EXPECT_FALSE(VAElemValueList("-a 2").isSubsetOf(&other));
    EXPECT_FALSE(VAElemValueList("-b 2 -d").isSubsetOf(&other));
    EXPECT_FALSE(VAElemValueList().isSubsetOf(nullptr));
    // Values compare exactly and the first match counts.
    const VAElemValueList twice("-a X -a y");
    EXPECT_FALSE(VAElemValueList("-a x").isSubsetOf(&twice));
    EXPECT_FALSE(VAElemValueList("-a y").isSubsetOf(&twice));
}

TEST(VAElemValueListCLI, QuotesAreStoredAsStandInsAndComeBack) {
    const XStr command = "-i \"in put.mp4\" -vf \"drawtext=text='x'\" C:\\out";
    const VAElemValueList list = VAElemValueList::withCLIVal(command);
    EXPECT_EQ(list.findValue("cli_cmd"),
              XStr("-i {qt}in put.mp4{qt} -vf {qt}drawtext=text='x'{qt} C:\\out"));
    EXPECT_EQ(list.getCLIVal(), command);
    EXPECT_EQ(VAElemValueList(list.mergeToString()).getCLIVal(), command);
    EXPECT_EQ(VAElemValueList("-a").getCLIVal(), "");
}

}  // namespace
