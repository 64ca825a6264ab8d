#include "document/SubRowTable.h"

#include <algorithm>

SubRow SubRowTable::at(qsizetype index) const
{
    return { m_rows.at(index), isFirstOfContact(index), lineCount(index) };
}

void SubRowTable::forgetLineCounts() const
{
    std::fill(m_lineCounts.begin(), m_lineCounts.end(), 0);
}

void SubRowTable::assign(ContactTable rows)
{
    m_rows = std::move(rows);
    const size_t count = size_t(m_rows.size());
    m_first.assign(count, true);
    m_lineCounts.assign(count, 0);
    for (size_t i = 1; i < count; ++i)
        m_first[i] = m_rows.at(qsizetype(i - 1))->uniqueId != m_rows.at(qsizetype(i))->uniqueId;
    m_byRecord.clear();
    m_indexed = false;
}

ContactTable SubRowTable::take()
{
    ContactTable rows = std::move(m_rows);
    m_rows.clear();
    m_first.clear();
    m_lineCounts.clear();
    m_byRecord.clear();
    m_indexed = false;
    return rows;
}

QList<int> SubRowTable::rowsOfRecord(const ZRPerson *person) const
{
    if (!m_indexed) {
        m_byRecord.reserve(m_rows.size());
        for (qsizetype i = 0; i < m_rows.size(); ++i)
            m_byRecord[m_rows.at(i)->person.get()].append(int(i));
        m_indexed = true;
    }
    return m_byRecord.value(person);
}

qsizetype SubRowTable::indexOf(const ContactEntryPtr &row) const
{
    if (!row)
        return -1;
    for (int i : rowsOfRecord(row->person.get())) {
        if (m_rows.at(i) == row)
            return i;
    }
    return -1;
}
