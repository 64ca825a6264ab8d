#pragma once

#include <QString>

// What the cells of a column show, resolved once per search (or per index) rather than by comparing
// identifiers in every cell; the table search and the row index must agree on it.
namespace FindEngine {

enum class CellKind {
    Skipped, // never searched: the sender column
    Name,
    PhoneticName,
    Address,
    AddressPart,
    InstantMessage,
    Date, // dates are not searched
    Labeled,
    String,
    Other,
};

CellKind cellKind(const QString &id);
// What a table column's cells show; the sender column is never searched.
CellKind tableCellKind(const QString &column);
// Labelled and address columns show a value in every sub-row; the others only in a contact's first.
bool searchedInEveryRow(const QString &column);

} // namespace FindEngine
