// One tab of the status log: each job's header with its lines beneath, as a two-level list.
#pragma once

#include <QAbstractItemModel>
#include <vector>

#include "VMCStatusLogDialog.h"

class VMCStatusLogModel : public QAbstractItemModel {
    Q_OBJECT

public:
    VMCStatusLogModel(const VMCStatusLogDialog& dialog, VMCStatusLogDialog::Tab tab,
                      QObject* parent);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Entry {
        QString header;
        QStringList lines;
    };
    std::vector<Entry> mEntries;
};
