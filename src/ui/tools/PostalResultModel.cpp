#include "ui/tools/PostalResultModel.h"

#include "model/Identifiers.h"
#include "tools/ZipSheetController.h"

PostalResultModel::PostalResultModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void PostalResultModel::setController(const ZipSheetController *controller)
{
    beginResetModel();
    m_controller = controller;
    endResetModel();
}

void PostalResultModel::reload()
{
    beginResetModel();
    endResetModel();
}

int PostalResultModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_controller ? 0 : m_controller->numberOfRowsInTableView();
}

int PostalResultModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PostalResultModel::data(const QModelIndex &index, int role) const
{
    if (!m_controller || !index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    switch (index.column()) {
    case ZipColumn:
        return m_controller->tableViewObjectValueForTableColumn(Ident::ZIP, index.row());
    case CompanyColumn:
        return m_controller->tableViewObjectValueForTableColumn(Ident::Company, index.row());
    case AddressColumn:
        return m_controller->tableViewObjectValueForTableColumn(Ident::Address, index.row());
    default:
        return {};
    }
}

QVariant PostalResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ZipColumn:
        return tr("ZIP");
    case CompanyColumn:
        return tr("Company");
    case AddressColumn:
        return tr("Address");
    default:
        return {};
    }
}
