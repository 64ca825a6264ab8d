#pragma once

#include "document/SortDescriptor.h"
#include "document/ViewTypeTables.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One column of the contact table as the table view should make it.
struct ColumnSpec
{
    QString identifier;
    QString title;
    // The header click's descriptor; "Sender" has none.
    std::optional<SortDescriptor> sortPrototype;
    double width = 0;
    double minWidth = 0;
    // "Sender" and "Name" are part of the table's own layout: never removed, moved or replaced.
    bool fixed = false;

    friend bool operator==(const ColumnSpec &, const ColumnSpec &) = default;
};

// Which columns the table shows, in which order and how wide, and which moves it allows.
namespace ColumnLayout {

constexpr double DefaultWidth = 120;
constexpr double MinimumWidth = 80;
// Widths of the two fixed columns when nothing is stored (the layout's own).
constexpr double SenderWidth = 24;
constexpr double DefaultNameWidth = 180;
constexpr int FixedColumnCount = 2;

// The sort key a column's header sorts by: its option's selected key, else the identifier itself.
QString sortKeyForColumn(const QString &identifier, const SortOptionsDict &sortOptions);

// The columns for a view type's identifier list: the fixed two first whatever the list holds, then
// every other identifier once, in list order.
QList<ColumnSpec> columnsForIdentifiers(
    const QStringList &identifiers, const SortOptionsDict &sortOptions, const QMap<QString, double> &widths);

// Columns 0 and 1 never move, and nothing moves into positions 0 or 1.
bool canMoveColumn(qsizetype from, qsizetype to, qsizetype columnCount);
// The identifiers after moving one column; unchanged when the move is not allowed.
QStringList movedColumns(const QStringList &columns, qsizetype from, qsizetype to);

} // namespace ColumnLayout
