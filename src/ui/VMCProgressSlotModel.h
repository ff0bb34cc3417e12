// The progress panel's rows: one per encoder slot, with the file it works on and how far
// that job is.
#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "VMCProgressDialog.h"

class VMCProgressSlotModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kEncoderColumn = 0, kFileColumn = 1, kProgressColumn = 2, kColumnCount = 3 };

    VMCProgressSlotModel(std::shared_ptr<VMCProgressDialog> dialog, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The progress column holds the slot's percentage while it works, nothing while idle.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The slots' state changed.
    void refresh();

private:
    std::shared_ptr<VMCProgressDialog> mDialog;
};
