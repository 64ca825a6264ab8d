#include "document/SortValue.h"

#include "model/DateComponents.h"

#include <QDate>
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

} // namespace SortValues
