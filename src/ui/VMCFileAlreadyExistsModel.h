// The existing-files sheet's list: one row per output file that exists already, with its
// check box (replace it) and the name the new file is written under, which the user may
// change.
#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "VMCFileAlreadyExistsDialog.h"

class VMCFileAlreadyExistsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kReplaceColumn = 0, kNameColumn = 1, kColumnCount = 2 };

    VMCFileAlreadyExistsModel(std::shared_ptr<VMCFileAlreadyExistsDialog> sheet, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The sheet's items changed behind the model's back (check all, append date).
    void itemsChanged();

private:
    std::shared_ptr<VMCFileAlreadyExistsDialog> mSheet;
};
