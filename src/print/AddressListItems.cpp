#include "print/AddressListItems.h"

#include "model/Identifiers.h"
#include "print/PrintOptionKeys.h"
#include "print/PrintOptions.h"

#include <QVariantMap>

namespace AddressListItems {

namespace {

QString titleOf(const QVariant &item)
{
    return PrintOptions::text(item.toMap().value(PrintKey::ItemTitle));
}

} // namespace

bool updateItemTable(QVariantList &itemTable, const QStringList &columnsInMainView)
{
    bool changed = false;
    for (QVariant &item : itemTable) {
        const QString title = titleOf(item);
        if (title.isEmpty() || title == Ident::Name || !columnsInMainView.contains(title))
            continue;
        QVariantMap record = item.toMap();
        if (PrintOptions::flag(record.value(PrintKey::ItemState)))
            continue;
        record.insert(PrintKey::ItemState, true);
        item = record;
        changed = true;
    }
    return changed;
}

bool setItemState(QVariantList &itemTable, int row, bool on)
{
    if (row < 0 || row >= itemTable.size())
        return false;
    QVariantMap record = itemTable.at(row).toMap();
    if (!PrintOptions::flag(record.value(PrintKey::ItemEnabled), true))
        return false;
    if (PrintOptions::flag(record.value(PrintKey::ItemState)) == on)
        return false;
    record.insert(PrintKey::ItemState, on);
    itemTable[row] = record;
    return true;
}

bool moveItem(QVariantList &itemTable, int from, int dropRow)
{
    const int count = int(itemTable.size());
    if (from < 0 || from >= count || dropRow < 0 || dropRow > count)
        return false;
    // Dropping just above or just below the row itself leaves it where it is.
    const int to = dropRow > from ? dropRow - 1 : dropRow;
    if (to == from)
        return false;
    itemTable.move(from, to);
    return true;
}

bool moveItemFromDrag(QVariantList &itemTable, const QString &draggedRow, int dropRow)
{
    const QString trimmed = draggedRow.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return false;
    bool ok = false;
    const int from = trimmed.toInt(&ok);
    return ok && moveItem(itemTable, from, dropRow);
}

QStringList printedItems(const QVariantList &itemTable)
{
    QStringList titles;
    for (const QVariant &item : itemTable) {
        const QString title = titleOf(item);
        if (title.isEmpty() || title == Ident::Name)
            continue;
        if (PrintOptions::flag(item.toMap().value(PrintKey::ItemState)))
            titles.append(title);
    }
    return titles;
}

} // namespace AddressListItems
