// The batch converter's folder tree as a Qt model: the roots, and below each folder the
// subfolders its entry has listed. A folder is listed in the background when the view
// first asks for its rows (expanding it); its check state is the row's image, and a folder
// that cannot be read says why in its own row.
#pragma once

#include <QAbstractItemModel>
#include <memory>
#include <unordered_map>
#include <vector>

#include "clFolderListEntry.h"

class VMCFolderTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    explicit VMCFolderTreeModel(const std::vector<clFolderListEntry::Ptr>& roots,
                                QObject* parent = nullptr);
    ~VMCFolderTreeModel() override;

    clFolderListEntry::Ptr entryAt(const QModelIndex& index) const;
    // The row of a folder already in the model, or an invalid index.
    QModelIndex indexOf(const clFolderListEntry* entry) const;
    // The rows follow the entry's subfolders now.
    void folderChanged(const clFolderListEntry::Ptr& folder);
    // The row redraws (check state, error).
    void folderRedraw(const clFolderListEntry::Ptr& folder);

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    struct Node {
        clFolderListEntry::Ptr entry;
        Node* parent = nullptr;
        int row = 0;
        std::vector<std::unique_ptr<Node>> children;
        bool fetched = false;
    };
    Node* nodeOf(const QModelIndex& index) const;
    QModelIndex indexOfNode(const Node* node) const;
    void addChildren(Node* node, const std::vector<clFolderListEntry::Ptr>& entries, int first);
    void forget(Node* node);

    Node mRoot;
    std::unordered_map<const clFolderListEntry*, Node*> mNodes;
};
