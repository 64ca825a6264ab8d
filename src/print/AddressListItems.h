#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// The address list's item table: records with "Title", "Enabled" and "State" whose order is the print
// order. The table is the stored array itself; these operations change it in place.
namespace AddressListItems {

// Turns on every item whose title is a column the main table shows ("Name" is always printed).
// Returns true when an item changed.
bool updateItemTable(QVariantList &itemTable, const QStringList &columnsInMainView);

// Switches an item on or off; items that are not "Enabled" (the name) keep their state. Returns true
// when the item changed.
bool setItemState(QVariantList &itemTable, int row, bool on);

// Moves the row at `from` to drop position `dropRow` (0 = above the first row, count = below the last).
// Returns false, changing nothing, for a position outside the table or a move onto itself.
bool moveItem(QVariantList &itemTable, int from, int dropRow);
// The same with the dragged row's index as the drag carried it, as text; anything but a row number of
// the table is refused.
bool moveItemFromDrag(QVariantList &itemTable, const QString &draggedRow, int dropRow);

// Titles of the items that print, in print order, the name excluded (it always leads an entry).
QStringList printedItems(const QVariantList &itemTable);

} // namespace AddressListItems
