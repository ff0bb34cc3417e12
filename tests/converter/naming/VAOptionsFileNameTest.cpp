// The options page of the character rules as a model: rows, editing, saving and both
// tables of defaults.
#include "VAOptionsFileName.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "VMCFileNaming.h"
#include "XRegistry.h"

namespace {

class OptionsFileName : public ::testing::Test {
protected:
    void SetUp() override { XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo"); }

    static XStr rows(const VAOptionsFileName& page) {
        return VAOptionsFileName::tableFromRecords(page.records());
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
};

}  // namespace

TEST_F(OptionsFileName, TablesAreCutIntoRowsOfOneCharacterEach) {
    struct Case {
        XStr table;
        std::vector<FNReplaceRecord> records;
    };
    const Case cases[] = {
        {"", {{"/", "-"}, {":", ";"}}},
        {"/-:;", {{"/", "-"}, {":", ";"}}},
        {"?*<", {{"?", "*"}, {"<", ""}}},
        {"\u00e9e", {{"\u00e9", "e"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VAOptionsFileName::recordsFromTable(c.table), c.records) << c.table;
    }
}

TEST_F(OptionsFileName, EditsAreSavedAsOneTableWithTheCheckBox) {
    VAOptionsFileName page;
    EXPECT_EQ(rows(page), "/-:;");
    EXPECT_FALSE(page.ansiOnly());

    page.addRow();
    page.setValue(2, "Replace", "?x");
    page.setValue(2, "ReplaceWith", "*");
    page.addRow();
    page.setValue(3, "Replace", "|");  // half a row is left out
    page.deleteRow(0);
    page.deleteRow(17);
    page.setValue(9, "Replace", "a");
    page.setAnsiOnly(true);
    page.onOK();
    EXPECT_EQ(XRegistry::GetString("vMCFileNameChrReplace"), ":;?*");
    EXPECT_EQ(XRegistry::GetDWORD("vMCFileNameANSIFilenameOnly"), 1u);

    // What the next naming object and the next page see.
    const VMCFileNaming naming;
    EXPECT_EQ(naming.characterReplacement(), ":;?*");
    EXPECT_TRUE(naming.ansiOnly());
    EXPECT_EQ(rows(VAOptionsFileName()), ":;?*");
    EXPECT_TRUE(VAOptionsFileName().ansiOnly());
}

TEST_F(OptionsFileName, BothDefaultTablesClearTheCheckBox) {
    VAOptionsFileName page;
    page.setAnsiOnly(true);
    page.onRestoreDefaultsWin();
    EXPECT_EQ(rows(page), XStr("\"'>\u00bb<\u00ab?\u00bf:;\\-/-*-|-"));
    EXPECT_EQ(page.records().size(), 9u);
    EXPECT_FALSE(page.ansiOnly());

    page.setAnsiOnly(true);
    page.onRestoreDefault();
    EXPECT_EQ(rows(page), "/-:;");
    EXPECT_FALSE(page.ansiOnly());
}
