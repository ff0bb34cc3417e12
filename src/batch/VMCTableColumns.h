// The columns of one file list: the catalogue every list offers, the columns the user
// chose in their order, their widths, the header menu that shows and hides them, and the
// saved state (under the table's save name in the user defaults).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VMCUserDefaults.h"
#include "XStr.h"

struct VMCTableColumn {
    // The identifier, title and sort key's column name at once.
    XStr identifier;
    double VMCDefaultWidth = 150;
    bool rightAligned = false;
    bool isTag = false;

    XStr title() const { return identifier; }
    // Every column sorts ascending on "sort-" and its name.
    XStr sortKey() const { return "sort-" + identifier; }
};

// The table the columns are shown in; told whenever the shown columns or their widths
// change.
class VMCTableColumnsTable {
public:
    virtual ~VMCTableColumnsTable() = default;
    virtual void tableColumnsChanged() = 0;
};

class VMCTableColumns {
public:
    struct MenuItem {
        XStr identifier;
        bool checked = false;
    };
    struct Menu {
        // "Columns": the main columns (and "Folder"); "Tags": the tag columns. A separator
        // and "Default Columns" follow.
        std::vector<MenuItem> columns;
        std::vector<MenuItem> tags;
    };
    struct SortDescriptor {
        XStr key;
        bool ascending = true;
    };

    static constexpr const char* kFolder = "Folder";
    static constexpr const char* kColumnsMenu = "Columns";
    static constexpr const char* kTagsMenu = "Tags";
    static constexpr const char* kDefaultColumnsItem = "Default Columns";

    static const XStrList& mainColumnNames();
    static const XStrList& tagColumnNames();
    static std::vector<SortDescriptor> defaultSortDescriptors() { return {{"sort-Name", true}}; }

    // initWithTable:haveFolder:autosaveName:
    VMCTableColumns(std::weak_ptr<VMCTableColumnsTable> table, bool haveFolder,
                    const XStr& autosaveName, std::shared_ptr<VMCUserDefaults> defaults);

    const std::vector<VMCTableColumn>& allColumns() const { return mAllColumns; }
    const XStrList& defColumns() const { return mDefColumns; }
    const VMCTableColumn* column(const XStr& identifier) const;
    bool haveFolder() const { return mHaveFolder; }
    const XStr& autosaveName() const { return mAutosaveName; }

    // The saved columns in their saved order (the default ones without a saved list), each
    // at its saved width or its default.
    void prepareTableView();
    const XStrList& visibleColumns() const { return mVisible; }
    double widthOf(const XStr& identifier) const;

    Menu buildMenu() const;
    // Hides a shown column or shows a hidden one at the end, and saves the shown columns.
    void toggleColumn(const XStr& identifier);
    // The default columns in their order; not saved until the next show or hide.
    void resetToDefaultColumns();
    // Saves the column's new width.
    void tableViewColumnDidResize(const XStr& identifier, double width);

    XStr visibleColumnsKey() const { return mAutosaveName + " : visible columns"; }
    XStr widthKey(const XStr& identifier) const {
        return mAutosaveName + " : column " + identifier;
    }

private:
    void saveVisible();
    void tellTable();

    std::weak_ptr<VMCTableColumnsTable> mTable;
    const bool mHaveFolder;
    const XStr mAutosaveName;
    std::shared_ptr<VMCUserDefaults> mDefaults;
    std::vector<VMCTableColumn> mAllColumns;
    std::map<XStr, std::size_t> mColumnIndex;
    XStrList mDefColumns;
    XStrList mVisible;
    std::map<XStr, double> mWidths;
};
