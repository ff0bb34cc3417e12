// The sheet over a converter window that asks what to do with output files that exist
// already: replace them, skip them, or write the new files under other names.
#pragma once

#include <QDialog>
#include <memory>

#include "VMCFileAlreadyExistsDialog.h"

class QTableView;
class VMCFileAlreadyExistsModel;

class VMCFileAlreadyExistsSheet : public QDialog {
    Q_OBJECT

public:
    VMCFileAlreadyExistsSheet(std::shared_ptr<VMCFileAlreadyExistsDialog> sheet, QWidget* parent);

    QTableView* table() const { return mTable; }
    // The controller's items changed.
    void itemsChanged();
    // The controller has ended the sheet: it goes without asking it again.
    void finish(int code);

    // Escape and the window's close box cancel as the Cancel button does.
    void reject() override;

private:
    std::shared_ptr<VMCFileAlreadyExistsDialog> mSheet;
    VMCFileAlreadyExistsModel* mModel;
    QTableView* mTable;
    bool mFinishing = false;
};
