// Puts a file list's chosen columns into its table: their widths, the header's menu that
// shows and hides columns ("Columns", "Tags", "Default Columns"), and each width the user
// drags saved under the table's save name.
#pragma once

#include <QObject>

#include "VMCTableColumns.h"

class QMenu;
class QTableView;
class VMCBatchFileTableModel;

class VMCTableColumnsHeader : public QObject {
    Q_OBJECT

public:
    // The saved columns are read at once.
    VMCTableColumnsHeader(QTableView* table, VMCBatchFileTableModel* model,
                          VMCTableColumns& columns);

    // The header's menu as it stands now.
    QMenu* buildMenu(QWidget* parent);
    // The table shows the columns' current choice.
    void apply();

private:
    QTableView* mTable;
    VMCBatchFileTableModel* mModel;
    VMCTableColumns& mColumns;
    bool mApplying = false;
};
