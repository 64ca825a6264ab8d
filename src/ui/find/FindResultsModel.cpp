#include "ui/find/FindResultsModel.h"

#include "document/ContactCell.h"
#include "find/FindPanel.h"
#include "model/Labels.h"
#include "model/ZRPerson.h"

FindResultsModel::FindResultsModel(FindPanel &panel, QObject *parent)
    : QAbstractTableModel(parent)
    , m_panel(panel)
{
    connect(&panel, &FindPanel::tableReloaded, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&panel, &FindPanel::rowsAboutToBeAppended, this,
        [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(&panel, &FindPanel::rowsAppended, this, [this] { endInsertRows(); });
    connect(&panel, &FindPanel::rowChanged, this, [this](int row) {
        if (row >= 0 && row < rowCount())
            emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    });
}

QString FindResultsModel::keyOfColumn(int column)
{
    static const QStringList keys { QStringLiteral("Name"), QStringLiteral("Item"), QStringLiteral("SubItem"),
        QStringLiteral("Label"), QStringLiteral("Value") };
    return keys.value(column);
}

int FindResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_panel.searchResults().size());
}

int FindResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FindResultRow &row = *m_panel.searchResults().at(index.row());
    if (role == LineCountRole)
        return qMax(1, int(row.value.count(QLatin1Char('\n')) + 1));
    if (role == HighlightRole && index.column() == ValueColumn) {
        CellHighlights highlights;
        for (const FindRange &range : row.ranges)
            highlights.occurrences.append({ range.location, range.length });
        const int current = m_panel.selectedRangeIndex();
        if (index.row() == m_panel.selectedRow() && current >= 0 && current < row.ranges.size())
            highlights.current = TextSpan { row.ranges.at(current).location, row.ranges.at(current).length };
        return QVariant::fromValue(highlights);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.name;
    case ItemColumn:
        return FindPanel::displayName(row.item);
    case SubItemColumn:
        return row.subItem.isEmpty() ? QString() : FindPanel::displayName(row.subItem);
    case LabelColumn:
        return row.label.isEmpty() ? QString()
                                   : Labels::localizedLabelFromCNLabel(Labels::CNLabelFromLabel(row.label));
    case ValueColumn:
        return m_panel.searchString().isEmpty() && role == Qt::DisplayRole ? QString() : row.value;
    default:
        return {};
    }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return tr("Name");
    case ItemColumn:
        return tr("Item");
    case SubItemColumn:
        return tr("SubItem");
    case LabelColumn:
        return tr("Label");
    case ValueColumn:
        return tr("Value");
    default:
        return {};
    }
}

Qt::ItemFlags FindResultsModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    // Dates are changed in their editor, never as text.
    if (index.isValid() && index.column() == ValueColumn && m_panel.editState()
        && FindPanel::isReplaceable(*m_panel.searchResults().at(index.row())))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FindResultsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const FindResultRowPtr row = m_panel.searchResults().at(index.row());
    const QString text = value.toString();
    if (text == row->value)
        return false;
    // The ranges are found again, so that what still matches stays marked.
    return m_panel.undoReplaceValue(
        text, FindPanel::searchText(m_panel.searchString(), text, m_panel.compareOptions()), row);
}

void FindResultsModel::sort(int column, Qt::SortOrder order)
{
    // No column (the header's indicator cleared): the rows stay in the order found from now on.
    m_panel.sortResults(keyOfColumn(column), order == Qt::AscendingOrder);
}
