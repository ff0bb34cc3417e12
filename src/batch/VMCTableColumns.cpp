#include "VMCTableColumns.h"

#include <algorithm>

namespace {

double defaultWidthOf(const XStr& name) {
    static const std::map<XStr, double> kWidths = {
        {"Name", 250},          {"Size", 120},         {"Length", 110},        {"Bit Rate", 120},
        {"Sample Rate", 140},   {"Sample Size", 140},  {"Channels", 120},      {"Folder", 250},
        {"Date Modified", 180}, {"Date Created", 180}, {"Date Accessed", 180},
    };
    const auto it = kWidths.find(name);
    return it == kWidths.end() ? 150 : it->second;
}

bool isNumeric(const XStr& name) {
    static const XStrList kNumeric = {"Size",         "Length",      "Bit Rate",   "Channels",
                                      "Sample Size",  "Sample Rate", "Frame Rate", "Resolution",
                                      "Aspect Ratio", "Frame Count"};
    return std::find(kNumeric.begin(), kNumeric.end(), name) != kNumeric.end();
}

}  // namespace

const XStrList& VMCTableColumns::mainColumnNames() {
    static const XStrList kNames = {"Name",         "Size",          "Type",        "Date Modified",
                                    "Date Created", "Date Accessed", "Length",      "Bit Rate",
                                    "Streams",      "Profile",       "Resolution",  "Aspect Ratio",
                                    "Frame Rate",   "Pixel Format",  "Color Space", "Channels",
                                    "Sample Rate",  "Sample Size",   "Frame Count"};
    return kNames;
}

const XStrList& VMCTableColumns::tagColumnNames() {
    static const XStrList kNames = {"Title",    "Year",      "Author",      "Synopsis", "Genre",
                                    "Comment",  "Copyright", "Description", "Encoder",  "Artist",
                                    "Composer", "Date",      "Show",        "Network"};
    return kNames;
}

VMCTableColumns::VMCTableColumns(std::weak_ptr<VMCTableColumnsTable> table, bool haveFolder,
                                 const XStr& autosaveName,
                                 std::shared_ptr<VMCUserDefaults> defaults)
    : mTable(std::move(table)),
      mHaveFolder(haveFolder),
      mAutosaveName(autosaveName),
      mDefaults(std::move(defaults)) {
    const auto add = [this](const XStr& name, bool tag) {
        VMCTableColumn column;
        column.identifier = name;
        column.VMCDefaultWidth = defaultWidthOf(name);
        column.rightAligned = isNumeric(name);
        column.isTag = tag;
        mColumnIndex[name] = mAllColumns.size();
        mAllColumns.push_back(column);
    };
    for (const XStr& name : mainColumnNames()) {
        add(name, false);
    }
    for (const XStr& name : tagColumnNames()) {
        add(name, true);
    }
    if (haveFolder) {
        add(kFolder, false);
    }
    mDefColumns = {"Name",   "Size",       "Type",     "Date Modified",
                   "Length", "Resolution", "Bit Rate", "Frame Rate"};
    if (haveFolder) {
        mDefColumns.push_back(kFolder);
    }
}

const VMCTableColumn* VMCTableColumns::column(const XStr& identifier) const {
    const auto it = mColumnIndex.find(identifier);
    return it == mColumnIndex.end() ? nullptr : &mAllColumns[it->second];
}

void VMCTableColumns::prepareTableView() {
    mVisible.clear();
    std::optional<XStrList> saved;
    if (mDefaults && !mAutosaveName.empty()) {
        saved = mDefaults->stringList(visibleColumnsKey());
    }
    if (saved) {
        for (const XStr& id : *saved) {
            if (column(id) != nullptr &&
                std::find(mVisible.begin(), mVisible.end(), id) == mVisible.end()) {
                mVisible.push_back(id);
            }
        }
    } else {
        mVisible = mDefColumns;
    }
    mWidths.clear();
    for (const VMCTableColumn& c : mAllColumns) {
        double width = c.VMCDefaultWidth;
        if (mDefaults && !mAutosaveName.empty()) {
            if (const std::optional<XPropertyValue> v = mDefaults->value(widthKey(c.identifier));
                v && v->isNumber() && v->numberValue() > 0) {
                width = v->numberValue();
            }
        }
        mWidths[c.identifier] = width;
    }
    tellTable();
}

double VMCTableColumns::widthOf(const XStr& identifier) const {
    if (const auto it = mWidths.find(identifier); it != mWidths.end()) {
        return it->second;
    }
    const VMCTableColumn* c = column(identifier);
    return c != nullptr ? c->VMCDefaultWidth : 0;
}

VMCTableColumns::Menu VMCTableColumns::buildMenu() const {
    Menu menu;
    for (const VMCTableColumn& c : mAllColumns) {
        const bool shown =
            std::find(mVisible.begin(), mVisible.end(), c.identifier) != mVisible.end();
        (c.isTag ? menu.tags : menu.columns).push_back({c.identifier, shown});
    }
    return menu;
}

void VMCTableColumns::toggleColumn(const XStr& identifier) {
    if (column(identifier) == nullptr) {
        return;
    }
    const auto it = std::find(mVisible.begin(), mVisible.end(), identifier);
    if (it != mVisible.end()) {
        mVisible.erase(it);
    } else {
        mVisible.push_back(identifier);
    }
    saveVisible();
    tellTable();
}

void VMCTableColumns::resetToDefaultColumns() {
    mVisible = mDefColumns;
    tellTable();
}

void VMCTableColumns::tableViewColumnDidResize(const XStr& identifier, double width) {
    if (column(identifier) == nullptr) {
        return;
    }
    mWidths[identifier] = width;
    if (mDefaults && !mAutosaveName.empty()) {
        mDefaults->setValue(widthKey(identifier), width);
    }
}

void VMCTableColumns::saveVisible() {
    if (!mDefaults || mAutosaveName.empty()) {
        return;
    }
    XPropertyValue::List list;
    for (const XStr& id : mVisible) {
        list.emplace_back(id);
    }
    mDefaults->setValue(visibleColumnsKey(), list);
}

void VMCTableColumns::tellTable() {
    if (const std::shared_ptr<VMCTableColumnsTable> table = mTable.lock()) {
        table->tableColumnsChanged();
    }
}
