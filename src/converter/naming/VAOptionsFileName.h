// The options page of the character rules for output names, as a model: the replacement
// table as rows, the ANSI-only check box, saving and the two "restore default" tables.
// The view shows the rows and calls these operations.
#pragma once

#include <cstddef>
#include <vector>

#include "FNReplaceRecord.h"
#include "XStr.h"

class VAOptionsFileName {
public:
    // Reads the table and the check box from the settings store.
    VAOptionsFileName();

    const std::vector<FNReplaceRecord>& records() const { return mRecords; }
    bool ansiOnly() const { return mAnsiOnly; }
    void setAnsiOnly(bool on) { mAnsiOnly = on; }

    // The row button: an empty row at the end.
    void addRow();
    // A row's "Delete" button; nothing when out of range.
    void deleteRow(std::size_t row);
    // An edit of a cell by column identifier; only the first character is kept.
    void setValue(std::size_t row, const XStr& column, const XStr& value);

    // Writes both global values.
    void onOK() const;
    // "/-:;" and the check box cleared.
    void onRestoreDefault();
    // The table of the other platform's forbidden characters, the check box cleared.
    void onRestoreDefaultsWin();

    // An empty text gives the default table; a last character without partner gives a row
    // without replacement.
    static std::vector<FNReplaceRecord> recordsFromTable(const XStr& table);
    // Rows without both characters leave nothing in the table.
    static XStr tableFromRecords(const std::vector<FNReplaceRecord>& records);
    static XStr defaultTable() { return "/-:;"; }
    static XStr windowsTable();

private:
    std::vector<FNReplaceRecord> mRecords;
    bool mAnsiOnly = false;
};
