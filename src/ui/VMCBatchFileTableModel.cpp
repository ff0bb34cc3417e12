#include "VMCBatchFileTableModel.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <algorithm>
#include <unordered_map>

#include "VMCCheckBoxImages.h"
#include "VMCQtText.h"

VMCBatchFileTableModel::VMCBatchFileTableModel(VMCTableColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), mColumns(columns) {}

void VMCBatchFileTableModel::setFiles(std::vector<FilePtr> files) {
    // The same files again (their information arrived): a name keeps its place, so the
    // rows stay as they are and only their cells are drawn anew; sorting thousands of rows
    // each time would hold the window.
    const bool same = files == mGiven;
    if (same && (onSort || !mSort || mSort->key == kNameSortKey)) {
        refreshAll();
        return;
    }
    mGiven = files;
    std::vector<FilePtr> sorted = std::move(files);
    if (!onSort && mSort) {
        std::swap(mFiles, sorted);
        sortRows();
        std::swap(mFiles, sorted);
    }
    if (sorted == mFiles) {
        refreshAll();
        return;
    }
    if (same) {
        // Only the order changed: the rows move, the selection with them.
        Q_EMIT layoutAboutToBeChanged();
        const QModelIndexList before = persistentIndexList();
        std::vector<FilePtr> moved;
        moved.reserve(before.size());
        for (const QModelIndex& index : before) {
            moved.push_back(fileAt(index.row()));
        }
        mFiles = std::move(sorted);
        std::unordered_map<const clFileListEntry*, int> rowOf;
        rowOf.reserve(mFiles.size());
        for (std::size_t i = 0; i < mFiles.size(); ++i) {
            rowOf.emplace(mFiles[i].get(), static_cast<int>(i));
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            const auto it = rowOf.find(moved[i].get());
            after.push_back(it == rowOf.end() ? QModelIndex()
                                              : index(it->second, before[i].column()));
        }
        changePersistentIndexList(before, after);
        Q_EMIT layoutChanged();
        refreshAll();
        return;
    }
    beginResetModel();
    mFiles = std::move(sorted);
    endResetModel();
}

VMCBatchFileTableModel::FilePtr VMCBatchFileTableModel::fileAt(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < mFiles.size() ? mFiles[row] : nullptr;
}

void VMCBatchFileTableModel::columnsChanged() {
    beginResetModel();
    endResetModel();
}

void VMCBatchFileTableModel::refreshRows(const std::vector<std::size_t>& rows) {
    if (rows.empty()) {
        return;
    }
    const auto [low, high] = std::minmax_element(rows.begin(), rows.end());
    Q_EMIT dataChanged(index(static_cast<int>(*low), 0),
                       index(static_cast<int>(*high), columnCount() - 1));
}

void VMCBatchFileTableModel::refreshAll() {
    if (!mFiles.empty()) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

XStr VMCBatchFileTableModel::columnAt(int section) const {
    const XStrList& shown = mColumns.visibleColumns();
    return section >= 1 && static_cast<std::size_t>(section) <= shown.size() ? shown[section - 1]
                                                                             : XStr();
}

int VMCBatchFileTableModel::sectionOf(const XStr& identifier) const {
    const XStrList& shown = mColumns.visibleColumns();
    const auto it = std::find(shown.begin(), shown.end(), identifier);
    return it == shown.end() ? -1 : static_cast<int>(it - shown.begin()) + 1;
}

int VMCBatchFileTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mFiles.size());
}

int VMCBatchFileTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mColumns.visibleColumns().size()) + 1;
}

QVariant VMCBatchFileTableModel::data(const QModelIndex& index, int role) const {
    const FilePtr file = fileAt(index.row());
    if (!file) {
        return {};
    }
    if (index.column() == kCheckColumn) {
        if (role == Qt::DecorationRole) {
            const int size = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
            return VMCCheckBoxImages::forFile(file->checked(), QApplication::palette(), size);
        }
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
            return file->checked() ? tr("Checked") : tr("Not checked");
        }
        return {};
    }
    const XStr id = columnAt(index.column());
    switch (role) {
        case Qt::DisplayRole: {
            const XPropertyValue value = file->attribByName(id);
            if (value.isNumber()) {
                return QString::number(value.numberValue());
            }
            return VMCQtText::toQt(value.stringValue());
        }
        case Qt::ToolTipRole:
            return id == "Name" ? VMCQtText::toQt(file->url()) : QVariant();
        case Qt::TextAlignmentRole: {
            const VMCTableColumn* column = mColumns.column(id);
            return QVariant::fromValue(
                Qt::AlignVCenter |
                (column != nullptr && column->rightAligned ? Qt::AlignRight : Qt::AlignLeft));
        }
        default:
            break;
    }
    return {};
}

QVariant VMCBatchFileTableModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (section == kCheckColumn) {
        return role == Qt::AccessibleTextRole ? tr("Checked") : QVariant();
    }
    if (role == Qt::DisplayRole) {
        const VMCTableColumn* column = mColumns.column(columnAt(section));
        return column != nullptr ? VMCQtText::toQt(column->title()) : QVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        const VMCTableColumn* column = mColumns.column(columnAt(section));
        return QVariant::fromValue(
            Qt::AlignVCenter |
            (column != nullptr && column->rightAligned ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

void VMCBatchFileTableModel::sort(int column, Qt::SortOrder order) {
    const VMCTableColumn* c = mColumns.column(columnAt(column));
    if (c == nullptr) {
        return;
    }
    mSort = VMCTableColumns::SortDescriptor{c->sortKey(), order == Qt::AscendingOrder};
    if (onSort) {
        onSort(*mSort);
        return;
    }
    Q_EMIT layoutAboutToBeChanged();
    sortRows();
    Q_EMIT layoutChanged();
}

void VMCBatchFileTableModel::sortRows() {
    if (!mSort) {
        return;
    }
    // Each key is made once: making one formats the value.
    std::vector<std::pair<XPropertyValue, FilePtr>> keyed;
    keyed.reserve(mFiles.size());
    for (const FilePtr& file : mFiles) {
        keyed.emplace_back(file->valueForKey(mSort->key), file);
    }
    const bool ascending = mSort->ascending;
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
        const int c = clFileListEntry::compareSortValues(a.first, b.first);
        return ascending ? c < 0 : c > 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        mFiles[i] = std::move(keyed[i].second);
    }
}
