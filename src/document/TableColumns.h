#pragma once

#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QString>
#include <QStringList>

// What kind of field a column of the contact table shows.
namespace TableColumns {

// "ZIP", "State", ...: one part of the address at the row's position.
inline bool isAddressPart(const QString &identifier)
{
    return ZRPerson::addressIdentifiers().contains(identifier);
}

// The field a column reads: "Address" for an address part, else the column's own identifier.
inline QString fieldOf(const QString &identifier)
{
    return isAddressPart(identifier) ? Ident::Address : identifier;
}

inline bool isLabelled(const QString &identifier)
{
    return ZRPerson::labeledIdentifiers().contains(identifier);
}

// Columns whose values are edited in their editor panels, never in the cell.
inline bool opensEditor(const QString &identifier)
{
    return identifier == Ident::Name || identifier == Ident::PhoneticName || identifier == Ident::Address
        || identifier == Ident::InstantMessage || identifier == Ident::Birthday || identifier == Ident::Dates;
}

} // namespace TableColumns
