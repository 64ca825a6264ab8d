#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// Which sort keys a column offers and which one is in use.
struct SortOption
{
    QStringList items;
    QString selected;

    friend bool operator==(const SortOption &, const SortOption &) = default;

    QVariantMap toVariantMap() const;
    // Nothing when the value is not a dictionary with a list of texts under "items"; a "selected" key
    // that is missing or not among the items becomes the first item.
    static std::optional<SortOption> fromVariant(const QVariant &value);
};

// View type name -> column identifiers in column order.
using ViewTypeDict = QMap<QString, QStringList>;
// Column identifier -> its sort option.
using SortOptionsDict = QMap<QString, SortOption>;

// The tables the application starts with and the fixed lists its menus offer.
namespace ViewTypeTables {

// Every view type's list begins with these two; they are fixed columns of the table.
QStringList fixedColumns();
ViewTypeDict builtInViewTypes();
// The built-in names in the order menus show them.
QStringList builtInViewTypeNames();
QString defaultViewType();
SortOptionsDict builtInSortOptions();
// The columns whose sort options the sort-options menu lists, in menu order.
QStringList sortOptionsMenuColumns();
// The columns whose sort-option entries are acted on.
QStringList sortOptionsActionColumns();
// The items menu: 25 entries, "Company" twice (both act on the same column).
QStringList itemsMenuIdentifiers();
// The information panel's default row order.
QStringList defaultRowOrder();

// A list as a column list: texts only, no empty, overlong or repeated entries, the fixed columns first, at
// most maxColumns entries. Stored lists go through this before any action indexes into them.
QStringList normalizedColumns(const QStringList &columns);
constexpr qsizetype MaxColumns = 64;
constexpr qsizetype MaxIdentifierLength = 256;

// Stored texts arrive as lists, as a single text (one-element lists in INI files) or not at all.
std::optional<QStringList> stringListFromVariant(const QVariant &value, qsizetype maxCount = 1024);

} // namespace ViewTypeTables
