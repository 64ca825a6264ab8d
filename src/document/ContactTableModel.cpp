#include "document/ContactTableModel.h"

#include "document/ContactsViewController.h"
#include "model/ZRPerson.h"

#include <QFont>

using namespace Qt::StringLiterals;

ContactTableModel::ContactTableModel(ContactsViewController &table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
    // The controller has already rebuilt its rows when it says so: views ask for everything again.
    connect(&m_table, &ContactsViewController::tableReloaded, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int ContactTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.numberOfRows();
}

int ContactTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table.columns().size());
}

QString ContactTableModel::identifierOfColumn(int column) const
{
    return m_table.columns().value(column);
}

QVariant ContactTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (m_table.isSummaryRow(index.row())) {
        if (index.column() == 0 && role == Qt::DisplayRole)
            return m_table.summaryText();
        return {};
    }
    const ContactCell cell = m_table.cell(identifierOfColumn(index.column()), index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell.kind == ContactCell::Kind::Checkbox ? QVariant() : QVariant(cell.text);
    case Qt::CheckStateRole:
        if (cell.kind == ContactCell::Kind::Checkbox || cell.hasCheckbox)
            return cell.checked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::FontRole:
        if (cell.bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::SizeHintRole:
        return {};
    default:
        return {};
    }
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return ZRPerson::localizedIdentifierForKey(identifierOfColumn(section));
}

Qt::ItemFlags ContactTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_table.isSummaryRow(index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const ContactCell cell = m_table.cell(identifierOfColumn(index.column()), index.row());
    if (cell.editable && cell.kind != ContactCell::Kind::Checkbox)
        flags |= Qt::ItemIsEditable;
    if (m_table.editState() && (cell.kind == ContactCell::Kind::Checkbox || cell.hasCheckbox))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool ContactTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || m_table.isSummaryRow(index.row()) || !m_table.editState())
        return false;
    const QString identifier = identifierOfColumn(index.column());
    if (role == Qt::CheckStateRole)
        return m_table.checkBoxCellChanged(identifier, index.row(), value.toInt() == Qt::Checked);
    if (role == Qt::EditRole)
        return m_table.textFieldCellChanged(identifier, index.row(), value.toString());
    return false;
}
