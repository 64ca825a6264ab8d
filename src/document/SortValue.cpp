#include "document/SortValue.h"

#include "model/DateComponents.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <numeric>

SortValue SortValue::fromText(const QString &text)
{
    SortValue value;
    if (text.isEmpty())
        return value;
    QCollator &c = collator();
    // Without a language the collator compares code units and ignores its case setting.
    value.m_text = c.locale().language() == QLocale::C ? c.sortKey(text.toCaseFolded()) : c.sortKey(text);
    return value;
}

SortValue SortValue::fromDateValue(const QVariant &raw)
{
    DateComponents components;
    if (raw.typeId() == qMetaTypeId<DateComponents>())
        components = raw.value<DateComponents>();
    else if (raw.typeId() == QMetaType::QDate)
        components = DateComponents::fromDate(raw.toDate());
    else
        return SortValue();
    SortValue value;
    if (components.isValid())
        value.m_date = qint64(components.year) * 10000 + components.month * 100 + components.day;
    return value;
}

QCollator &SortValue::collator()
{
    // QCollator is not safe to share between threads; each thread sorting gets its own, made again
    // when the user's locale has changed since.
    thread_local QCollator shared;
    thread_local bool made = false;
    const QLocale locale;
    if (!made || shared.locale() != locale) {
        shared = QCollator(locale);
        shared.setCaseSensitivity(Qt::CaseInsensitive);
        made = true;
    }
    return shared;
}

int SortValue::compareTexts(const SortValue &a, const SortValue &b, bool ascending)
{
    if (!a.m_text)
        return b.m_text ? 1 : 0;
    if (!b.m_text)
        return -1;
    const int c = a.m_text->compare(*b.m_text);
    const int sign = (c > 0) - (c < 0);
    return ascending ? sign : -sign;
}

int SortValue::compareDatesMissingSmallest(const SortValue &a, const SortValue &b, bool ascending)
{
    int c = 0;
    if (!a.m_date)
        c = b.m_date ? -1 : 0;
    else if (!b.m_date)
        c = 1;
    else
        c = (*a.m_date > *b.m_date) - (*a.m_date < *b.m_date);
    return ascending ? c : -c;
}

int SortValue::compareDatesMissingLast(const SortValue &a, const SortValue &b, bool ascending)
{
    if (!a.m_date)
        return b.m_date ? 1 : 0;
    if (!b.m_date)
        return -1;
    const int c = (*a.m_date > *b.m_date) - (*a.m_date < *b.m_date);
    return ascending ? c : -c;
}

namespace SortValues {

int compare(const SortValue &a, const SortValue &b, Rule rule, bool ascending)
{
    switch (rule) {
    case Rule::Text:
        return SortValue::compareTexts(a, b, ascending);
    case Rule::DatesMissingSmallest:
        return SortValue::compareDatesMissingSmallest(a, b, ascending);
    case Rule::DatesMissingLast:
        return SortValue::compareDatesMissingLast(a, b, ascending);
    }
    return 0;
}

std::vector<qsizetype> stableOrder(const std::vector<SortValue> &values, Rule rule, bool ascending)
{
    std::vector<qsizetype> order(values.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return compare(values[size_t(a)], values[size_t(b)], rule, ascending) < 0;
    });
    return order;
}

std::vector<qsizetype> stableOrderOfTexts(const std::vector<QString> &texts, bool ascending)
{
    // Each distinct text once, with its collation key; empty texts have none.
    constexpr qsizetype Missing = -1;
    QHash<QString, qsizetype> slotOfText;
    std::vector<SortValue> distinct;
    std::vector<qsizetype> rowSlots;
    rowSlots.reserve(texts.size());
    for (const QString &text : texts) {
        if (text.isEmpty()) {
            rowSlots.push_back(Missing);
            continue;
        }
        auto it = slotOfText.constFind(text);
        if (it == slotOfText.cend()) {
            it = slotOfText.insert(text, qsizetype(distinct.size()));
            distinct.push_back(SortValue::fromText(text));
        }
        rowSlots.push_back(it.value());
    }

    // Ranks in ascending order; texts the collator holds equal (case, for one) share a rank.
    std::vector<qsizetype> byKey(distinct.size());
    std::iota(byKey.begin(), byKey.end(), qsizetype(0));
    std::sort(byKey.begin(), byKey.end(), [&](qsizetype a, qsizetype b) {
        return SortValue::compareTexts(distinct[size_t(a)], distinct[size_t(b)], true) < 0;
    });
    std::vector<qsizetype> rank(distinct.size());
    qsizetype highest = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0
            && SortValue::compareTexts(distinct[size_t(byKey[k - 1])], distinct[size_t(byKey[k])], true) != 0)
            ++highest;
        rank[size_t(byKey[k])] = highest;
    }

    // Descending reverses the ranks; missing texts go last either way.
    std::vector<qsizetype> keys(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        const qsizetype slot = rowSlots[i];
        keys[i] = slot == Missing ? highest + 1
            : ascending           ? rank[size_t(slot)]
                                  : highest - rank[size_t(slot)];
    }
    std::vector<qsizetype> order(texts.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
        [&](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
    return order;
}

} // namespace SortValues
