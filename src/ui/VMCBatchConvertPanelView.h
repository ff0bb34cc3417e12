// The batch converter's window: the profile chooser and the filter button on top, the
// folder tree beside the current folder's files, the buttons that check the files, reset
// and list, join or convert what is ticked, and the status line. Everything it shows
// comes from the controller, which lists and probes off the main thread; updates that come
// in bursts (information of many files) are drawn together.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "VMCBatchConvertDialogView.h"
#include "VMCBatchConvertPanel.h"
#include "VMCTableColumns.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTreeView;
class VMCBatchFileTableModel;
class VMCBatchFiltersDialogView;
class VMCFolderTreeModel;
class VMCMetaFieldCache;
class VMCTableColumnsHeader;

class VMCBatchConvertPanelView : public QWidget, public VMCBatchConvertDialogView {
    Q_OBJECT

public:
    // The save name of the current folder's file list.
    static constexpr const char* kFileListSaveName = "Batch Converter";

    explicit VMCBatchConvertPanelView(std::shared_ptr<VMCBatchConvertPanel> panel,
                                      QWidget* parent = nullptr);
    ~VMCBatchConvertPanelView() override;

    VMCBatchConvertDialog& dialog() const { return *mPanel->dialog(); }
    QTreeView* tree() const { return mTree; }
    VMCFolderTreeModel* treeModel() const { return mTreeModel; }
    QTableView* fileTable() const { return mFiles; }
    VMCBatchFileTableModel* fileModel() const { return mFileModel; }
    VMCTableColumnsHeader* columnsHeader() const { return mHeader; }
    QComboBox* profileChooser() const { return mProfiles; }
    QPushButton* filterButton() const { return mFilter; }
    QPushButton* listButton() const { return mList; }
    QPushButton* joinButton() const { return mJoin; }
    QPushButton* convertButton() const { return mConvert; }
    QLabel* statusLabel() const { return mStatus; }
    // The filter dialog while it is open.
    VMCBatchFiltersDialogView* filtersDialog() const;
    // Clicks a folder's check box: unchecked, then all its subfolders too, then the folder
    // alone, then unchecked again.
    void cycleFolderCheck(const clFolderListEntry::Ptr& folder);
    void openFilters();

    void folderChanged(const clFolderListEntry::Ptr& folder,
                       const clFoldersAddRemove& change) override;
    void folderCheckStateChanged(const clFolderListEntry::Ptr& folder) override;
    void showCurrentFolder(const clFolderListEntry::Ptr& folder) override;
    void refreshFiles() override;
    void setStatusText(const XStr& text) override;
    void setFilterHighlighted(bool active) override;
    void setProfileChoices(const XStrList& items, const XStr& shown) override;
    void askQuestion(const XStr& text, const XStr& yes, const XStr& no,
                     std::function<void(bool)> answer) override;
    void askProfileName(const XStrList& taken,
                        std::function<void(std::optional<XStr>)> answer) override;
    void showMessage(const XStr& text) override;
    void showAccessError(const clFolderListEntry::Ptr& folder, const XStr& error) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void folderContextMenu(QPoint at);
    void fileContextMenu(QPoint at);
    void drawFiles();

    std::shared_ptr<VMCBatchConvertPanel> mPanel;
    // The controller holds the view weakly; this owner goes first when the widget goes.
    std::shared_ptr<VMCBatchConvertDialogView> mSelf;
    VMCTableColumns mColumns;
    VMCFolderTreeModel* mTreeModel;
    VMCBatchFileTableModel* mFileModel;
    VMCTableColumnsHeader* mHeader = nullptr;
    QTreeView* mTree;
    QTableView* mFiles;
    QComboBox* mProfiles;
    QPushButton* mFilter;
    QPushButton* mList;
    QPushButton* mJoin;
    QPushButton* mConvert;
    QLabel* mStatus;
    XStrList mProfileItems;
    QTimer mFilesTimer;
    std::unique_ptr<VMCMetaFieldCache> mMetaCache;
    bool mLaidOut = false;
};
