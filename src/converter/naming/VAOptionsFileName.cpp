#include "VAOptionsFileName.h"

#include "VMCFileNaming.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"

VAOptionsFileName::VAOptionsFileName()
    : mRecords(recordsFromTable(XRegistry::GetString(VMCFileNaming::kValueChrReplace))),
      mAnsiOnly(XRegistry::GetDWORD(VMCFileNaming::kValueANSIOnly) != 0) {}

void VAOptionsFileName::addRow() {
    mRecords.emplace_back();
}

void VAOptionsFileName::deleteRow(std::size_t row) {
    if (row < mRecords.size()) {
        mRecords.erase(mRecords.begin() + static_cast<std::ptrdiff_t>(row));
    }
}

void VAOptionsFileName::setValue(std::size_t row, const XStr& column, const XStr& value) {
    if (row >= mRecords.size()) {
        return;
    }
    const XStr one = value.left(1);
    if (column == FNReplaceRecord::kReplaceColumn) {
        mRecords[row].Replace = one;
    } else if (column == FNReplaceRecord::kReplaceWithColumn) {
        mRecords[row].ReplaceWith = one;
    }
}

void VAOptionsFileName::onOK() const {
    XRegistryTransaction transaction;
    transaction.SetString(VMCFileNaming::kValueChrReplace, tableFromRecords(mRecords));
    transaction.SetDWORD(VMCFileNaming::kValueANSIOnly, mAnsiOnly ? 1 : 0);
    transaction.Commit();
}

void VAOptionsFileName::onRestoreDefault() {
    mRecords = recordsFromTable(defaultTable());
    mAnsiOnly = false;
}

void VAOptionsFileName::onRestoreDefaultsWin() {
    mRecords = recordsFromTable(windowsTable());
    mAnsiOnly = false;
}

XStr VAOptionsFileName::windowsTable() {
    return XStr(std::u32string(U"\"'>»<«?¿:;\\-/-*-|-"));
}

std::vector<FNReplaceRecord> VAOptionsFileName::recordsFromTable(const XStr& table) {
    const XStr text = table.empty() ? defaultTable() : table;
    std::vector<FNReplaceRecord> records;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        records.push_back({text.substr(i, 1), text.substr(i + 1, 1)});
    }
    return records;
}

XStr VAOptionsFileName::tableFromRecords(const std::vector<FNReplaceRecord>& records) {
    XStr table;
    for (const FNReplaceRecord& record : records) {
        // A half row would shift every pair after it.
        if (record.Replace.size() == 1 && record.ReplaceWith.size() == 1) {
            table += record.Replace + record.ReplaceWith;
        }
    }
    return table;
}
