#include "ui/dialogs/EncodingListModel.h"

#include "formats/EncodingMenuModel.h"

EncodingListModel::EncodingListModel(EncodingMenuModel &menu, QObject *parent)
    : QAbstractListModel(parent)
    , m_menu(menu)
{
}

int EncodingListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_menu.currentEncodings().size());
}

QVariant EncodingListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const EncodingTableEntry &entry = m_menu.currentEncodings().at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return entry.encodingName;
    case Qt::CheckStateRole:
        return entry.checkBox ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool EncodingListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    if (m_menu.currentEncodings().at(index.row()).checkBox == checked)
        return false;
    m_menu.setChecked(index.row(), checked);
    emit dataChanged(index, index, { Qt::CheckStateRole });
    emit menuChanged();
    return true;
}

Qt::ItemFlags EncodingListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

template <typename Change> void EncodingListModel::changeAll(Change change)
{
    // The rows stay where they are: only the boxes change, and the list keeps its scroll position.
    change();
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0), index(rows - 1), { Qt::CheckStateRole });
    emit menuChanged();
}

void EncodingListModel::selectAll()
{
    changeAll([this] { m_menu.selectAll(); });
}

void EncodingListModel::clearAll()
{
    changeAll([this] { m_menu.clearAll(); });
}

void EncodingListModel::revertList()
{
    changeAll([this] { m_menu.revert(); });
}
