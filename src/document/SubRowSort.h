#pragma once

#include "document/SortDescriptor.h"
#include "document/SortValue.h"
#include "document/TextRanks.h"
#include "formats/ContactContainer.h"

#include <QList>
#include <QString>

// Orders the rows the user sees. A sub-row is a contact entry whose labelIndex is the position, in
// every multi-valued field, of the value the row shows.
namespace SubRowSort {

// The text a sub-row shows for a sort key ("" when it has none).
QString sortText(const ContactEntry &row, const QString &key);
// The prepared value of a sub-row: a date for "Dates" and "Birthday", else its sort text.
SortValue sortValue(const ContactEntry &row, const QString &key);
SortValues::Rule ruleForKey(const QString &key);
// Whether rows of one contact may differ under the key (values of multi-valued fields, the birthday
// that only the first row shows).
bool dependsOnRowPosition(const QString &key);

// Negative when a goes before b, positive when after, 0 when they tie.
int compare(const ContactEntry &a, const ContactEntry &b, const SortDescriptor &descriptor);

// Stable: rows that tie keep their order, so a contact's sub-rows stay in value order.
void sort(QList<ContactEntry> &rows, const SortDescriptor &descriptor);

// One value per row. A contact's sub-rows stand together, and for keys that ignore the row's position
// they share one value: the record is read once per run of rows.
template <class Value, class List, class EntryOf, class Read>
std::vector<Value> rowValues(const List &rows, EntryOf entryOf, bool perRecord, Read read)
{
    std::vector<Value> values;
    values.reserve(size_t(rows.size()));
    const ZRPerson *previous = nullptr;
    for (const auto &row : rows) {
        const ContactEntry &entry = entryOf(row);
        if (perRecord && previous && entry.person.get() == previous) {
            values.push_back(values.back());
            continue;
        }
        values.push_back(read(entry));
        previous = entry.person.get();
    }
    return values;
}

// The same as sort for any row type that holds a contact entry; entryOf(row) gives it.
template <class List, class EntryOf>
void sortBy(List &rows, EntryOf entryOf, const SortDescriptor &descriptor)
{
    const bool perRecord = !dependsOnRowPosition(descriptor.key);
    const SortValues::Rule rule = ruleForKey(descriptor.key);
    const QString &key = descriptor.key;
    std::vector<qsizetype> order;
    if (rule == SortValues::Rule::Text) {
        // Many rows share a text: each distinct one gets one collation key, and rows compare by rank.
        TextRanks ranks;
        const auto rowSlots = rowValues<qsizetype>(
            rows, entryOf, perRecord, [&](const ContactEntry &e) { return ranks.slotOf(sortText(e, key)); });
        order = ranks.stableOrder(rowSlots, descriptor.ascending);
    } else {
        const auto values = rowValues<SortValue>(
            rows, entryOf, perRecord, [&](const ContactEntry &e) { return sortValue(e, key); });
        order = SortValues::stableOrder(values, rule, descriptor.ascending);
    }
    SortValues::applyOrder(rows, order);
}

} // namespace SubRowSort
