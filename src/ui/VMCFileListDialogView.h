// The file list and rename panel: the table of the files, buttons and a menu for the
// checks and the selection (also the table's context menu), the totals, OK (Return) and
// Cancel (Escape). Space toggles the selected rows; F2 renames the current one.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCFileListDialog.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class VMCFileListModel;

class VMCFileListDialogView : public QWidget, public VMCFileListDialog::View {
    Q_OBJECT

public:
    explicit VMCFileListDialogView(std::shared_ptr<VMCFileListDialog> dialog,
                                   QWidget* parent = nullptr);
    ~VMCFileListDialogView() override;

    VMCFileListDialog& dialog() const { return *mDialog; }
    QTableView* table() const { return mTable; }
    QMenu* actionsMenu() const { return mMenu; }
    QPushButton* checkAllButton() const { return mCheckAll; }
    QPushButton* uncheckAllButton() const { return mUncheckAll; }
    QPushButton* actionsButton() const { return mActions; }
    QPushButton* okButton() const { return mOK; }
    QPushButton* cancelButton() const { return mCancel; }
    QLabel* totalsLabel() const { return mTotals; }
    QLabel* estimateLabel() const { return mEstimate; }

    void rowsChanged(std::size_t first, std::size_t last) override;
    void totalsChanged() override;
    void revealFiles(const XStrList& paths) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<std::size_t> selectedRows() const;
    // The menu's texts and states for the selection now.
    void updateActions();
    // A name being typed is kept before the panel is left.
    void endEditing();

    std::shared_ptr<VMCFileListDialog> mDialog;
    VMCFileListModel* mModel;
    QTableView* mTable;
    QMenu* mMenu;
    QAction* mCheckOnlySelected;
    QAction* mToggleSelected;
    QAction* mReveal;
    QAction* mAppendDate;
    QPushButton* mCheckAll;
    QPushButton* mUncheckAll;
    QPushButton* mActions;
    QPushButton* mOK;
    QPushButton* mCancel;
    QLabel* mTotals;
    QLabel* mEstimate;
};
