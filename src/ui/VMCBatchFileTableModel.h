// The rows of a batch converter file list (the current folder's files, or every collected
// file): a check box column, then the columns the user chose from the catalogue. Sorting
// goes through a handler when one is given (the list panel sorts its controller's list),
// else the model sorts its own rows on the sort keys.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "VMCTableColumns.h"
#include "clFileListEntry.h"

class VMCBatchFileTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using FilePtr = std::shared_ptr<clFileListEntry>;
    static constexpr int kCheckColumn = 0;
    static constexpr const char* kNameSortKey = "sort-Name";

    VMCBatchFileTableModel(VMCTableColumns& columns, QObject* parent);

    // The same files as before keep their rows (their cells refresh, and they move when the
    // sort key's values changed); others reset the table. Rows follow the current sort
    // unless a handler sorts.
    void setFiles(std::vector<FilePtr> files);
    const std::vector<FilePtr>& files() const { return mFiles; }
    FilePtr fileAt(int row) const;
    // The shown columns changed (shown, hidden, reset).
    void columnsChanged();
    // The cells of these rows changed (information arrived, a check).
    void refreshRows(const std::vector<std::size_t>& rows);
    void refreshAll();
    // The column identifier of a section; empty for the check box column.
    XStr columnAt(int section) const;
    int sectionOf(const XStr& identifier) const;

    // A check box was clicked (or toggled with the keyboard).
    std::function<void(int row, bool checked)> onCheck;
    // Sorts elsewhere; the model is then given the sorted files.
    std::function<void(const VMCTableColumns::SortDescriptor&)> onSort;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void sortRows();

    VMCTableColumns& mColumns;
    // The files as last given, before sorting.
    std::vector<FilePtr> mGiven;
    std::vector<FilePtr> mFiles;
    std::optional<VMCTableColumns::SortDescriptor> mSort;
};
