// The rows of the file list as a table model: a check box, the source, the output name
// (edited in place when the encoder writes files), length, type and estimated size.
#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "VMCFileListDialog.h"

class VMCFileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit VMCFileListModel(std::shared_ptr<VMCFileListDialog> dialog, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The controller's rows first to last changed.
    void rowsChanged(std::size_t first, std::size_t last);

private:
    std::shared_ptr<VMCFileListDialog> mDialog;
};
