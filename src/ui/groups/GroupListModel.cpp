#include "ui/groups/GroupListModel.h"

#include "document/DocumentHub.h"

#include <QFont>
#include <QMimeData>

// A group's index carries its container as internal pointer; a container's index carries none.

GroupListModel::GroupListModel(DocumentHub &hub, QObject *parent)
    : QAbstractItemModel(parent)
    , m_hub(hub)
{
}

void GroupListModel::reload()
{
    beginResetModel();
    endResetModel();
}

int GroupListModel::containerRow(const ContactContainer *container) const
{
    const ContainerTable &containers = m_hub.groupList().containerTable();
    for (int row = 0; row < containers.size(); ++row) {
        if (containers.at(row).get() == container)
            return row;
    }
    return -1;
}

GroupListItem GroupListModel::itemOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    const ContainerTable &containers = m_hub.groupList().containerTable();
    if (!index.internalPointer()) {
        if (index.row() >= containers.size())
            return {};
        return { containers.at(index.row()), nullptr };
    }
    const int row = containerRow(static_cast<const ContactContainer *>(index.internalPointer()));
    if (row < 0)
        return {};
    return m_hub.groupList().childOfItem(index.row(), { containers.at(row), nullptr });
}

QModelIndex GroupListModel::indexOfGroup(const ContactGroupPtr &group) const
{
    const auto [containerIndex, groupIndex] = m_hub.groupList().positionOfGroup(group);
    if (containerIndex < 0 || groupIndex < 0)
        return {};
    return index(groupIndex, 0, index(containerIndex, 0));
}

QModelIndex GroupListModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, nullptr);
    const GroupListItem container = itemOf(parent);
    if (!container.isContainer())
        return {};
    return createIndex(row, 0, container.container.get());
}

QModelIndex GroupListModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || !child.internalPointer())
        return {};
    const int row = containerRow(static_cast<const ContactContainer *>(child.internalPointer()));
    return row < 0 ? QModelIndex() : createIndex(row, 0, nullptr);
}

int GroupListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const GroupListItem item = itemOf(parent);
    if (parent.isValid() && !item.isContainer())
        return 0;
    return m_hub.groupList().numberOfChildrenOfItem(item);
}

int GroupListModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant GroupListModel::data(const QModelIndex &index, int role) const
{
    const GroupListItem item = itemOf(index);
    if (item.isRoot())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_hub.groupList().textOfItem(item);
    case Qt::EditRole:
        return item.isGroup() ? item.group->name : item.container->name;
    case Qt::AccessibleTextRole:
        return m_hub.groupList().textOfItem(item);
    case Qt::FontRole:
        if (item.isContainer()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

bool GroupListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole)
        return false;
    const GroupListItem item = itemOf(index);
    if (!m_hub.groupList().shouldEditTableColumn(item))
        return false;
    // The outline is rebuilt by the group list's own request once the name changed.
    if (!m_hub.groupList().textFieldCellChanged(item, value.toString().trimmed()))
        return false;
    m_hub.undoManager().setActionName(tr("Rename Group"));
    return true;
}

Qt::ItemFlags GroupListModel::flags(const QModelIndex &index) const
{
    const GroupListItem item = itemOf(index);
    if (item.isRoot())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (m_hub.groupList().shouldSelectItem(item))
        flags |= Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (m_hub.groupList().shouldEditTableColumn(item))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList GroupListModel::mimeTypes() const
{
    return GroupViewController::registeredDragTypes();
}

bool GroupListModel::canDropMimeData(
    const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent) const
{
    // Rows come from the contact table, never from the outline itself (it starts no drags).
    return m_hub.groupList().validateDrop(data, false, itemOf(parent), row);
}

bool GroupListModel::dropMimeData(
    const QMimeData *data, Qt::DropAction action, int row, int column, const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    return m_hub.groupList().acceptDrop(data, false, itemOf(parent), row, m_hub.table().subContactTable());
}
