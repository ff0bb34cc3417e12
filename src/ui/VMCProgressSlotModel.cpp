#include "VMCProgressSlotModel.h"

#include "VADisplayText.h"
#include "VMCQtText.h"

VMCProgressSlotModel::VMCProgressSlotModel(std::shared_ptr<VMCProgressDialog> dialog,
                                           QObject* parent)
    : QAbstractTableModel(parent), mDialog(std::move(dialog)) {}

int VMCProgressSlotModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mDialog->cpus().size());
}

int VMCProgressSlotModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant VMCProgressSlotModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= mDialog->cpus().size()) {
        return {};
    }
    const VMCCPU& slot = mDialog->cpus()[static_cast<std::size_t>(index.row())];
    const bool working = slot.isBusy() && !mDialog->isAllDone();
    switch (index.column()) {
        case kEncoderColumn:
            return role == Qt::DisplayRole ? VMCQtText::toQt(slot.indexOfThisCPUString())
                                           : QVariant();
        case kFileColumn:
            if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
                // Statuses carry file names: shown on one line, whatever they hold.
                const XStr status = working && !slot.status.empty() ? slot.status : "Idle.";
                return VMCQtText::toQt(VADisplayText::escaped(status));
            }
            return {};
        case kProgressColumn:
            if (working && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
                return role == Qt::DisplayRole
                           ? QVariant(static_cast<int>(std::min<uint32_t>(slot.percentDone, 100)))
                           : QVariant(tr("%1 percent").arg(slot.percentDone));
            }
            return {};
        default:
            return {};
    }
}

QVariant VMCProgressSlotModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    switch (section) {
        case kEncoderColumn:
            return tr("Encoder");
        case kFileColumn:
            return tr("File");
        case kProgressColumn:
            return tr("Progress");
        default:
            return {};
    }
}

void VMCProgressSlotModel::refresh() {
    if (rowCount() > 0) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
}
