#include "VMCFolderTreeModel.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <algorithm>

#include "VMCCheckBoxImages.h"
#include "VMCQtText.h"

VMCFolderTreeModel::VMCFolderTreeModel(const std::vector<clFolderListEntry::Ptr>& roots,
                                       QObject* parent)
    : QAbstractItemModel(parent) {
    mRoot.fetched = true;
    addChildren(&mRoot, roots, 0);
}

VMCFolderTreeModel::~VMCFolderTreeModel() = default;

void VMCFolderTreeModel::addChildren(Node* node, const std::vector<clFolderListEntry::Ptr>& entries,
                                     int first) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto child = std::make_unique<Node>();
        child->entry = entries[i];
        child->parent = node;
        child->row = first + static_cast<int>(i);
        mNodes[child->entry.get()] = child.get();
        node->children.push_back(std::move(child));
    }
}

void VMCFolderTreeModel::forget(Node* node) {
    for (const std::unique_ptr<Node>& child : node->children) {
        forget(child.get());
    }
    mNodes.erase(node->entry.get());
}

clFolderListEntry::Ptr VMCFolderTreeModel::entryAt(const QModelIndex& index) const {
    Node* node = nodeOf(index);
    return node != nullptr && node != &mRoot ? node->entry : nullptr;
}

VMCFolderTreeModel::Node* VMCFolderTreeModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<Node*>(index.internalPointer())
                           : const_cast<Node*>(&mRoot);
}

QModelIndex VMCFolderTreeModel::indexOfNode(const Node* node) const {
    return node == nullptr || node == &mRoot ? QModelIndex()
                                             : createIndex(node->row, 0, const_cast<Node*>(node));
}

QModelIndex VMCFolderTreeModel::indexOf(const clFolderListEntry* entry) const {
    const auto it = mNodes.find(entry);
    return it == mNodes.end() ? QModelIndex() : indexOfNode(it->second);
}

void VMCFolderTreeModel::folderChanged(const clFolderListEntry::Ptr& folder) {
    const auto it = mNodes.find(folder.get());
    if (it == mNodes.end()) {
        return;
    }
    Node* node = it->second;
    const QModelIndex parent = indexOfNode(node);
    const bool hadRows = !node->children.empty();
    const std::vector<clFolderListEntry::Ptr> now = folder->folders();
    // Folders that went away, from the last, so that the rows before stay where they are.
    for (int row = static_cast<int>(node->children.size()) - 1; row >= 0; --row) {
        const clFolderListEntry::Ptr& entry = node->children[row]->entry;
        if (std::find(now.begin(), now.end(), entry) == now.end()) {
            beginRemoveRows(parent, row, row);
            forget(node->children[row].get());
            node->children.erase(node->children.begin() + row);
            for (std::size_t i = row; i < node->children.size(); ++i) {
                node->children[i]->row = static_cast<int>(i);
            }
            endRemoveRows();
        }
    }
    // New folders come after the ones that stayed, as the entry keeps them.
    std::vector<clFolderListEntry::Ptr> added;
    for (const clFolderListEntry::Ptr& entry : now) {
        if (mNodes.find(entry.get()) == mNodes.end()) {
            added.push_back(entry);
        }
    }
    if (!added.empty()) {
        const int first = static_cast<int>(node->children.size());
        beginInsertRows(parent, first, first + static_cast<int>(added.size()) - 1);
        addChildren(node, added, first);
        endInsertRows();
    }
    if (!hadRows && node->children.empty()) {
        // The expander of a folder without subfolders goes.
        Q_EMIT layoutAboutToBeChanged({QPersistentModelIndex(parent)});
        Q_EMIT layoutChanged({QPersistentModelIndex(parent)});
    }
    if (parent.isValid()) {
        Q_EMIT dataChanged(parent, parent);
    }
}

void VMCFolderTreeModel::folderRedraw(const clFolderListEntry::Ptr& folder) {
    const QModelIndex at = indexOf(folder.get());
    if (at.isValid()) {
        Q_EMIT dataChanged(at, at);
    }
}

QModelIndex VMCFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const Node* node = nodeOf(parent);
    if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= node->children.size()) {
        return {};
    }
    return createIndex(row, 0, node->children[row].get());
}

QModelIndex VMCFolderTreeModel::parent(const QModelIndex& index) const {
    const Node* node = nodeOf(index);
    return node == &mRoot ? QModelIndex() : indexOfNode(node->parent);
}

int VMCFolderTreeModel::rowCount(const QModelIndex& parent) const {
    return parent.column() > 0 ? 0 : static_cast<int>(nodeOf(parent)->children.size());
}

int VMCFolderTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool VMCFolderTreeModel::hasChildren(const QModelIndex& parent) const {
    const Node* node = nodeOf(parent);
    if (!node->children.empty()) {
        return true;
    }
    // Until it is listed a folder may hold others; a folder that cannot be read holds none.
    return node != &mRoot && !node->entry->foldersLoaded() && node->entry->accessError().empty();
}

bool VMCFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    const Node* node = nodeOf(parent);
    return !node->fetched;
}

void VMCFolderTreeModel::fetchMore(const QModelIndex& parent) {
    Node* node = nodeOf(parent);
    if (node->fetched) {
        return;
    }
    node->fetched = true;
    // Listed already (a folder found by its path): the rows are there now.
    if (node->entry->foldersLoaded()) {
        folderChanged(node->entry);
    } else {
        node->entry->wantFolders();
    }
}

QVariant VMCFolderTreeModel::data(const QModelIndex& index, int role) const {
    const clFolderListEntry::Ptr entry = entryAt(index);
    if (!entry) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole: {
            const XStr error = entry->accessError();
            return VMCQtText::toQt(error.empty() ? entry->name()
                                                 : entry->name() + " \u2014 " + error);
        }
        case Qt::ToolTipRole: {
            const XStr error = entry->accessError();
            return VMCQtText::toQt(error.empty() ? entry->url() : entry->url() + "\n" + error);
        }
        case Qt::DecorationRole: {
            const int size = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
            return VMCCheckBoxImages::forFolderState(entry->checkState(), QApplication::palette(),
                                                     size);
        }
        case Qt::ForegroundRole:
            if (!entry->accessError().empty()) {
                return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
            }
            return {};
        case Qt::AccessibleDescriptionRole:
            return VMCQtText::toQt(clFolderListEntry::persistedName(entry->checkState()));
        default:
            break;
    }
    return {};
}
