// The column catalogue of file lists and the state it keeps in the user defaults.
#include "VMCTableColumns.h"

#include <gtest/gtest.h>

namespace {

struct Table : VMCTableColumnsTable {
    int changes = 0;
    void tableColumnsChanged() override { ++changes; }
};

TEST(VMCTableColumns, TheCatalogueAndItsDefaults) {
    auto defaults = std::make_shared<VMCMemoryUserDefaults>();
    VMCTableColumns with({}, true, "List", defaults);
    EXPECT_EQ(with.allColumns().size(), 19u + 14u + 1u);
    EXPECT_EQ(with.allColumns().back().identifier, "Folder");
    EXPECT_EQ(with.defColumns(), (XStrList{"Name", "Size", "Type", "Date Modified", "Length",
                                           "Resolution", "Bit Rate", "Frame Rate", "Folder"}));
    VMCTableColumns without({}, false, "List", defaults);
    EXPECT_EQ(without.column("Folder"), nullptr);
    EXPECT_EQ(without.defColumns().back(), "Frame Rate");

    struct Case {
        const char* column;
        double width;
        bool right;
    };
    const std::vector<Case> cases = {
        {"Name", 250, false},       {"Size", 120, true},          {"Length", 110, true},
        {"Type", 150, false},       {"Date Created", 180, false}, {"Resolution", 150, true},
        {"Sample Rate", 140, true}, {"Title", 150, false},        {"Folder", 250, false},
    };
    for (const Case& c : cases) {
        const VMCTableColumn* column = with.column(c.column);
        ASSERT_NE(column, nullptr) << c.column;
        EXPECT_EQ(column->VMCDefaultWidth, c.width) << c.column;
        EXPECT_EQ(column->rightAligned, c.right) << c.column;
        EXPECT_EQ(column->sortKey(), XStr("sort-") + c.column);
    }
    EXPECT_EQ(VMCTableColumns::defaultSortDescriptors().front().key, "sort-Name");
}

TEST(VMCTableColumns, ShownColumnsAndWidthsAreKeptUnderTheSaveName) {
    auto defaults = std::make_shared<VMCMemoryUserDefaults>();
    auto table = std::make_shared<Table>();
    {
        VMCTableColumns columns(table, true, "List", defaults);
        columns.prepareTableView();
        EXPECT_EQ(columns.visibleColumns(), columns.defColumns());
        EXPECT_EQ(table->changes, 1);
        columns.toggleColumn("Size");
        columns.toggleColumn("Artist");
        columns.tableViewColumnDidResize("Name", 321);
        EXPECT_EQ(columns.visibleColumns().back(), "Artist") << "shown at the end";
        const VMCTableColumns::Menu menu = columns.buildMenu();
        EXPECT_EQ(menu.columns.size(), 20u);
        EXPECT_EQ(menu.tags.size(), 14u);
        for (const auto& item : menu.columns) {
            if (item.identifier == "Size") {
                EXPECT_FALSE(item.checked);
            }
            if (item.identifier == "Name") {
                EXPECT_TRUE(item.checked);
            }
        }
    }
    // A column that no longer exists is skipped; the others keep their saved order.
    XPropertyValue::List saved = {XStr("Artist"), XStr("Gone"), XStr("Name")};
    defaults->setValue("List : visible columns", saved);
    VMCTableColumns again(table, true, "List", defaults);
    again.prepareTableView();
    EXPECT_EQ(again.visibleColumns(), (XStrList{"Artist", "Name"}));
    EXPECT_EQ(again.widthOf("Name"), 321);
    EXPECT_EQ(again.widthOf("Size"), 120);

    again.resetToDefaultColumns();
    EXPECT_EQ(again.visibleColumns(), again.defColumns());
    EXPECT_EQ(defaults->stringList("List : visible columns"), (XStrList{"Artist", "Gone", "Name"}))
        << "the reset itself is not saved";
    again.toggleColumn("Channels");
    EXPECT_EQ(defaults->stringList("List : visible columns")->back(), "Channels");
}

TEST(VMCTableColumns, WithoutASaveNameEveryColumnStartsAtItsDefaultWidth) {
    auto defaults = std::make_shared<VMCMemoryUserDefaults>();
    defaults->setValue(" : column Name", 400);
    VMCTableColumns columns({}, false, "", defaults);
    columns.prepareTableView();
    columns.tableViewColumnDidResize("Size", 99);
    EXPECT_EQ(columns.widthOf("Name"), 250);
    EXPECT_EQ(defaults->values().size(), 1u) << "nothing is saved";
}

}  // namespace
