#include "find/CellKind.h"

#include "document/DefaultsKeys.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

namespace FindEngine {

CellKind cellKind(const QString &id)
{
    if (id == Ident::Name)
        return CellKind::Name;
    if (id == Ident::PhoneticName)
        return CellKind::PhoneticName;
    if (id == Ident::Address)
        return CellKind::Address;
    if (ZRPerson::addressIdentifiers().contains(id))
        return CellKind::AddressPart;
    if (id == Ident::InstantMessage)
        return CellKind::InstantMessage;
    if (id == Ident::Birthday || id == Ident::Dates)
        return CellKind::Date;
    if (ZRPerson::labeledIdentifiers().contains(id))
        return CellKind::Labeled;
    if (ZRPerson::stringIdentifiers().contains(id))
        return CellKind::String;
    return CellKind::Other;
}

CellKind tableCellKind(const QString &column)
{
    return column == ColumnId::Sender ? CellKind::Skipped : cellKind(column);
}

bool searchedInEveryRow(const QString &column)
{
    return ZRPerson::labeledIdentifiers().contains(column) || ZRPerson::addressIdentifiers().contains(column);
}

} // namespace FindEngine
