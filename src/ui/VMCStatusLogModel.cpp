#include "VMCStatusLogModel.h"

#include <QFont>

#include "VADisplayText.h"
#include "VMCQtText.h"

namespace {

// Lines carry file names and FFmpeg's words: shown on one line, whatever they hold.
QString shown(const XStr& text) {
    return VMCQtText::toQt(VADisplayText::escaped(text));
}

// A header row's internal id; a line's is its header's row plus one.
constexpr quintptr kHeaderId = 0;

}  // namespace

VMCStatusLogModel::VMCStatusLogModel(const VMCStatusLogDialog& dialog, VMCStatusLogDialog::Tab tab,
                                     QObject* parent)
    : QAbstractItemModel(parent) {
    for (const VMCStatusLogDialog::Row& row : dialog.rows(tab)) {
        if (row.header || mEntries.empty()) {
            mEntries.push_back(Entry{row.header ? shown(row.text) : QString(), {}});
            if (row.header) {
                continue;
            }
        }
        mEntries.back().lines.push_back(shown(row.text));
    }
}

QModelIndex VMCStatusLogModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) {
        return {};
    }
    if (!parent.isValid()) {
        return static_cast<std::size_t>(row) < mEntries.size() ? createIndex(row, 0, kHeaderId)
                                                               : QModelIndex();
    }
    if (parent.internalId() != kHeaderId || row >= rowCount(parent)) {
        return {};
    }
    return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex VMCStatusLogModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kHeaderId) {
        return {};
    }
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kHeaderId);
}

int VMCStatusLogModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return static_cast<int>(mEntries.size());
    }
    if (parent.internalId() != kHeaderId) {
        return 0;
    }
    return static_cast<int>(mEntries[static_cast<std::size_t>(parent.row())].lines.size());
}

int VMCStatusLogModel::columnCount(const QModelIndex& /*parent*/) const {
    return 1;
}

QVariant VMCStatusLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const bool header = index.internalId() == kHeaderId;
    const Entry& entry =
        mEntries[header ? static_cast<std::size_t>(index.row()) : index.internalId() - 1];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return header ? entry.header : entry.lines[index.row()];
        case Qt::FontRole:
            if (header) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}
