// The batch converter's filter dialog: the fields on the left ("File Types", "Date", then
// the information fields), on the right the rows of the field chosen, ticked when included,
// with "Include All" and "Exclude All". The information fields' values are read from the
// selected folders in the background and show when they arrive.
#pragma once

#include <QDialog>
#include <memory>

#include "VMCBatchConverterFiltersDialog.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

class VMCBatchFiltersDialogView : public QDialog, public VMCBatchConverterFiltersDialogView {
    Q_OBJECT

public:
    VMCBatchFiltersDialogView(std::shared_ptr<VMCBatchConverterFiltersDialog> dialog,
                              QWidget* parent);
    ~VMCBatchFiltersDialogView() override;

    VMCBatchConverterFiltersDialog& dialog() const { return *mDialog; }
    QListWidget* fieldList() const { return mFields; }
    QListWidget* rowList() const { return mRows; }
    QComboBox* dateChooser() const { return mDate; }
    // Shows the rows of a field ("File Types", "Date", "Resolution", ...).
    void showField(const XStr& field);

    void fieldValuesChanged() override;
    void accept() override;
    void reject() override;

private:
    void fillRows();

    std::shared_ptr<VMCBatchConverterFiltersDialog> mDialog;
    std::shared_ptr<VMCBatchConverterFiltersDialogView> mSelf;
    XStrList mFieldNames;
    XStr mField;
    QListWidget* mFields;
    QStackedWidget* mPages;
    QListWidget* mRows;
    QLabel* mWaiting;
    QComboBox* mDate;
    QPushButton* mIncludeAll;
    QPushButton* mExcludeAll;
    bool mFilling = false;
    bool mDone = false;
};
