#include "VMCFileListModel.h"

#include "VMCQtText.h"

using Dialog = VMCFileListDialog;

VMCFileListModel::VMCFileListModel(std::shared_ptr<VMCFileListDialog> dialog, QObject* parent)
    : QAbstractTableModel(parent), mDialog(std::move(dialog)) {}

int VMCFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mDialog->rowCount());
}

int VMCFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Dialog::kColumnCount;
}

QVariant VMCFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<Dialog::Column>(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            if (column == Dialog::kColumnChecked) {
                return {};
            }
            return VMCQtText::toQt(mDialog->cellText(row, column));
        case Qt::EditRole:
            // The name as typed, not its shown form.
            if (column == Dialog::kColumnDestination) {
                return VMCQtText::toQt(mDialog->destinationUserAt(row));
            }
            return {};
        case Qt::CheckStateRole:
            if (column == Dialog::kColumnChecked) {
                return mDialog->checkedAt(row) ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case Qt::AccessibleTextRole:
            if (column == Dialog::kColumnChecked) {
                return mDialog->checkedAt(row) ? tr("Converted") : tr("Skipped");
            }
            return VMCQtText::toQt(mDialog->cellText(row, column));
        case Qt::TextAlignmentRole:
            if (column == Dialog::kColumnDuration || column == Dialog::kColumnEstimatedSize) {
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            }
            return {};
        default:
            return {};
    }
}

bool VMCFileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) {
        return false;
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == Dialog::kColumnChecked && role == Qt::CheckStateRole) {
        mDialog->setCheckedAt(row, value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }
    if (index.column() == Dialog::kColumnDestination && role == Qt::EditRole &&
        mDialog->destinationEditable()) {
        mDialog->setDestinationUserAt(row, VMCQtText::fromQt(value.toString()));
        return true;
    }
    return false;
}

Qt::ItemFlags VMCFileListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == Dialog::kColumnChecked) {
        flags |= Qt::ItemIsUserCheckable;
    }
    if (index.column() == Dialog::kColumnDestination && mDialog->destinationEditable()) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant VMCFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Dialog::kColumnCount) {
        return {};
    }
    const auto column = static_cast<Dialog::Column>(section);
    if (role == Qt::DisplayRole) {
        return VMCQtText::toQt(Dialog::columnTitle(column));
    }
    if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        return column == Dialog::kColumnChecked ? tr("Convert")
                                                : VMCQtText::toQt(Dialog::columnTitle(column));
    }
    return {};
}

void VMCFileListModel::rowsChanged(std::size_t first, std::size_t last) {
    if (first > last || last >= mDialog->rowCount()) {
        return;
    }
    Q_EMIT dataChanged(index(static_cast<int>(first), 0),
                       index(static_cast<int>(last), Dialog::kColumnCount - 1));
}
