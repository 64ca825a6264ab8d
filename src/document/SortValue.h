#pragma once

#include <QCollator>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// What one row is ordered by under one sort key, prepared once so that sorting many rows compares
// collation keys and day numbers instead of re-reading records.
class SortValue
{
public:
    // Empty text counts as missing: such rows always go last.
    static SortValue fromText(const QString &text);
    // A date from a field value (date components or a date); anything else, or an impossible date, is
    // missing. A date without a year comes before every date that has one.
    static SortValue fromDateValue(const QVariant &value);
    static SortValue missing() { return SortValue(); }

    bool isMissing() const { return !m_text && !m_date; }

    // Text rule: missing last in both directions, else locale order ignoring case, reversed when
    // descending.
    static int compareTexts(const SortValue &a, const SortValue &b, bool ascending);
    // Date rule of the rows the user sees: a missing date is the smallest, so it comes first when
    // ascending and last when descending.
    static int compareDatesMissingSmallest(const SortValue &a, const SortValue &b, bool ascending);
    // Date rule of the records: a missing date comes last in both directions.
    static int compareDatesMissingLast(const SortValue &a, const SortValue &b, bool ascending);

    // The collator every sort shares: the user's locale, case ignored.
    static QCollator &collator();

private:
    std::optional<QCollatorSortKey> m_text;
    std::optional<qint64> m_date;
};

namespace SortValues {

enum class Rule { Text, DatesMissingSmallest, DatesMissingLast };

int compare(const SortValue &a, const SortValue &b, Rule rule, bool ascending);

// The stable order of prepared values: position i of the result is the index of the row that goes i-th.
std::vector<qsizetype> stableOrder(const std::vector<SortValue> &values, Rule rule, bool ascending);

// Reorders items by an order from stableOrder.
template <class List> void applyOrder(List &items, const std::vector<qsizetype> &order)
{
    List sorted;
    sorted.reserve(items.size());
    for (qsizetype index : order)
        sorted.push_back(std::move(items[index]));
    items = std::move(sorted);
}

} // namespace SortValues
