#include "document/ColumnLayout.h"

#include "document/DefaultsKeys.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

namespace ColumnLayout {

QString sortKeyForColumn(const QString &identifier, const SortOptionsDict &sortOptions)
{
    const auto it = sortOptions.constFind(identifier);
    return it != sortOptions.cend() && !it->selected.isEmpty() ? it->selected : identifier;
}

QList<ColumnSpec> columnsForIdentifiers(
    const QStringList &identifiers, const SortOptionsDict &sortOptions, const QMap<QString, double> &widths)
{
    QList<ColumnSpec> columns;
    for (const QString &identifier : ViewTypeTables::normalizedColumns(identifiers)) {
        ColumnSpec column;
        column.identifier = identifier;
        column.title = ZRPerson::localizedIdentifierForKey(identifier);
        if (identifier == ColumnId::Sender) {
            column.fixed = true;
            column.width = column.minWidth = SenderWidth;
            column.title.clear();
        } else {
            column.sortPrototype = SortDescriptor { sortKeyForColumn(identifier, sortOptions), true };
            column.fixed = identifier == Ident::Name;
            column.width = widths.value(identifier, column.fixed ? DefaultNameWidth : DefaultWidth);
            column.minWidth = MinimumWidth;
            column.width = std::max(column.width, column.minWidth);
        }
        columns << column;
    }
    return columns;
}

bool canMoveColumn(qsizetype from, qsizetype to, qsizetype columnCount)
{
    return from >= FixedColumnCount && to >= FixedColumnCount && from < columnCount && to < columnCount;
}

QStringList movedColumns(const QStringList &columns, qsizetype from, qsizetype to)
{
    if (!canMoveColumn(from, to, columns.size()))
        return columns;
    QStringList moved = columns;
    moved.move(from, to);
    return moved;
}

} // namespace ColumnLayout
