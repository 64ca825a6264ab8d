#include "document/ViewTypeTables.h"

#include "document/DefaultsKeys.h"
#include "document/SortKeys.h"
#include "model/Identifiers.h"

#include <QSet>

using namespace Qt::StringLiterals;

QVariantMap SortOption::toVariantMap() const
{
    return { { DefaultsValue::SortOptionItems, items }, { DefaultsValue::SortOptionSelected, selected } };
}

std::optional<SortOption> SortOption::fromVariant(const QVariant &value)
{
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap map = value.toMap();
    const auto items = ViewTypeTables::stringListFromVariant(map.value(DefaultsValue::SortOptionItems), 64);
    if (!items || items->isEmpty())
        return std::nullopt;
    SortOption option;
    option.items = *items;
    const QVariant selected = map.value(DefaultsValue::SortOptionSelected);
    option.selected = selected.typeId() == QMetaType::QString && items->contains(selected.toString())
        ? selected.toString()
        : items->first();
    return option;
}

namespace ViewTypeTables {

QStringList fixedColumns()
{
    return { ColumnId::Sender, Ident::Name };
}

ViewTypeDict builtInViewTypes()
{
    return {
        { ViewTypeName::NameOnly, { ColumnId::Sender, Ident::Name } },
        { ViewTypeName::Address,
            { ColumnId::Sender, Ident::Name, Ident::Renmei, Ident::Company, Ident::Address } },
        { ViewTypeName::AddressDetail,
            { ColumnId::Sender, Ident::Name, Ident::Renmei, Ident::Company, Ident::ZIP, Ident::State,
                Ident::City, Ident::Street, Ident::Country } },
    };
}

QStringList builtInViewTypeNames()
{
    return { ViewTypeName::NameOnly, ViewTypeName::Address, ViewTypeName::AddressDetail };
}

QString defaultViewType()
{
    return ViewTypeName::Address;
}

SortOptionsDict builtInSortOptions()
{
    return {
        { Ident::Name,
            { { SortKey::CompositeName, Ident::FirstName, Ident::LastName }, SortKey::CompositeName } },
        { Ident::Address,
            { { Ident::Address, Ident::ZIP, Ident::State, Ident::City, Ident::Street, Ident::Country,
                  SortKey::AddressLabel },
                Ident::Address } },
        { Ident::PhoneticName,
            { { Ident::PhoneticFirstName, Ident::PhoneticLastName }, Ident::PhoneticLastName } },
    };
}

QStringList sortOptionsMenuColumns()
{
    return { Ident::Name, Ident::Address, Ident::PhoneticName };
}

QStringList sortOptionsActionColumns()
{
    return { Ident::Name, Ident::Address, Ident::PhoneticName, Ident::Email, Ident::InstantMessage,
        Ident::SocialNetwork };
}

QStringList itemsMenuIdentifiers()
{
    return { Ident::Name, Ident::Renmei, Ident::Company, Ident::Address, Ident::ZIP, Ident::State,
        Ident::City, Ident::Street, Ident::Country, Ident::Note, Ident::Email, Ident::Phone,
        Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::PhoneticName, Ident::Nickname,
        Ident::Birthday, Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Company, Ident::Department,
        Ident::JobTitle, Ident::Dates };
}

QStringList defaultRowOrder()
{
    return { Ident::Name, Ident::Photo, Ident::Renmei, Ident::Company, Ident::Address, ColumnId::Groups,
        ColumnId::NameOrdering, ColumnId::NameDisplay, Ident::PhoneticName, Ident::Email, Ident::Phone,
        Ident::InstantMessage, Ident::SocialNetwork, Ident::URL, Ident::Nickname, Ident::Birthday,
        Ident::Relationship, Ident::Suffix, Ident::Title, Ident::Department, Ident::JobTitle, Ident::Dates,
        Ident::Note };
}

QStringList normalizedColumns(const QStringList &columns)
{
    QStringList result = fixedColumns();
    QSet<QString> seen(result.cbegin(), result.cend());
    for (const QString &column : columns) {
        if (result.size() >= MaxColumns)
            break;
        if (column.isEmpty() || column.size() > MaxIdentifierLength || seen.contains(column))
            continue;
        seen.insert(column);
        result << column;
    }
    return result;
}

std::optional<QStringList> stringListFromVariant(const QVariant &value, qsizetype maxCount)
{
    if (value.typeId() == QMetaType::QString)
        return QStringList { value.toString() };
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList result;
    for (const QVariant &item : value.toList()) {
        if (item.typeId() != QMetaType::QString)
            continue;
        if (result.size() >= maxCount)
            break;
        result << item.toString();
    }
    return result;
}

} // namespace ViewTypeTables
