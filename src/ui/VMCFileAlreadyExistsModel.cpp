#include "VMCFileAlreadyExistsModel.h"

#include "VADisplayText.h"
#include "VMCQtText.h"

VMCFileAlreadyExistsModel::VMCFileAlreadyExistsModel(
    std::shared_ptr<VMCFileAlreadyExistsDialog> sheet, QObject* parent)
    : QAbstractTableModel(parent), mSheet(std::move(sheet)) {}

int VMCFileAlreadyExistsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mSheet->count());
}

int VMCFileAlreadyExistsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant VMCFileAlreadyExistsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto item = static_cast<std::size_t>(index.row());
    if (index.column() == kReplaceColumn) {
        if (role == Qt::CheckStateRole) {
            return mSheet->checked(item) ? Qt::Checked : Qt::Unchecked;
        }
        if (role == Qt::AccessibleTextRole) {
            return mSheet->checked(item) ? tr("Replace") : tr("Skip");
        }
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            // Names come from tags and sources: shown on one line, whatever they hold.
            return VMCQtText::toQt(VADisplayText::escaped(mSheet->displayPath(item)));
        case Qt::EditRole:
            return VMCQtText::toQt(mSheet->displayPath(item));
        default:
            return {};
    }
}

bool VMCFileAlreadyExistsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) {
        return false;
    }
    const auto item = static_cast<std::size_t>(index.row());
    if (index.column() == kReplaceColumn && role == Qt::CheckStateRole) {
        mSheet->setChecked(item, value.toInt() == Qt::Checked);
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    if (index.column() == kNameColumn && role == Qt::EditRole) {
        const QString name = value.toString().trimmed();
        // An empty name would be no file at all; the old one stays.
        if (name.isEmpty() || name == data(index, Qt::EditRole).toString()) {
            return false;
        }
        mSheet->setDisplayPath(VMCQtText::fromQt(name), item);
        return true;
    }
    return false;
}

Qt::ItemFlags VMCFileAlreadyExistsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == kReplaceColumn ? base | Qt::ItemIsUserCheckable
                                            : base | Qt::ItemIsEditable;
}

QVariant VMCFileAlreadyExistsModel::headerData(int section, Qt::Orientation orientation,
                                               int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == kReplaceColumn ? tr("Replace") : tr("Output file");
}

void VMCFileAlreadyExistsModel::itemsChanged() {
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
}
