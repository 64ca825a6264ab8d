#pragma once

#include "document/GroupViewController.h"

#include <QAbstractItemModel>

class DocumentHub;

// The outline of containers and their groups, over the hub's group list. Containers are the top
// rows, their groups (deleted ones left out) the children. Renaming and dropping rows go to the group
// list's undoable operations; the model never changes a group itself.
class GroupListModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit GroupListModel(DocumentHub &hub, QObject *parent = nullptr);

    // The outline item of an index; GroupListItem{} for the root.
    GroupListItem itemOf(const QModelIndex &index) const;
    QModelIndex indexOfGroup(const ContactGroupPtr &group) const;
    // Builds the outline again (groups added, deleted, renamed, loaded from an address book).
    void reload();

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) override;

private:
    int containerRow(const ContactContainer *container) const;

    DocumentHub &m_hub;
};
