// The batch converter's list of every collected file: the table with its columns and
// check boxes, the check buttons and the selection's menu (also the table's context menu),
// the totals of the checked files, Back and Convert.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCBatchFileListDialogView.h"
#include "VMCBatchFileListPanel.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;
class VMCBatchFileTableModel;
class VMCTableColumnsHeader;

class VMCBatchFileListPanelView : public QWidget, public VMCBatchFileListDialogView {
    Q_OBJECT

public:
    explicit VMCBatchFileListPanelView(std::shared_ptr<VMCBatchFileListPanel> panel,
                                       QWidget* parent = nullptr);
    ~VMCBatchFileListPanelView() override;

    VMCBatchFileListDialog& dialog() const { return *mPanel->dialog(); }
    QTableView* table() const { return mTable; }
    VMCBatchFileTableModel* model() const { return mModel; }
    QMenu* actionsMenu() const { return mMenu; }
    QLabel* statusLabel() const { return mStatus; }
    QPushButton* backButton() const { return mBack; }
    QPushButton* convertButton() const { return mConvert; }

    void reloadAll() override;
    void reloadRows(const std::vector<std::size_t>& rows) override;
    void setStatus(const XStr& text, bool convertEnabled) override;
    void revealInFileViewer(const XStrList& urls) override;
    void showNoFilesSelected() override;

private:
    std::vector<std::size_t> selectedRows() const;
    void updateActions();

    std::shared_ptr<VMCBatchFileListPanel> mPanel;
    std::shared_ptr<VMCBatchFileListDialogView> mSelf;
    VMCBatchFileTableModel* mModel;
    VMCTableColumnsHeader* mHeader;
    QTableView* mTable;
    QMenu* mMenu;
    QAction* mCheckOnlySelected;
    QAction* mToggleSelected;
    QAction* mReveal;
    // The row a context menu was opened on, for reveal.
    int mClickedRow = -1;
    QLabel* mStatus;
    QPushButton* mBack;
    QPushButton* mConvert;
};
