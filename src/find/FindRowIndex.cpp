#include "find/FindRowIndex.h"

#include "model/AddressFormats.h"

#include <QStringView>
#include <algorithm>

using FindEngine::Direction;

bool FindRowIndex::isBuiltFor(const ContactTable &rows, const QStringList &columns, quint64 changeCount) const
{
    return m_built && changeCount == m_changeCount && m_addressGeneration == AddressFormats::generation()
        && rows.isSharedWith(m_rows) && rows.size() == m_rows.size() && columns == m_columns;
}

void FindRowIndex::build(const ContactTable &rows, const QStringList &columns, quint64 changeCount)
{
    if (!isBuildingFor(rows, columns, changeCount))
        startBuild(rows, columns, changeCount);
    buildSome(QDeadlineTimer(QDeadlineTimer::Forever));
}

void FindRowIndex::startBuild(const ContactTable &rows, const QStringList &columns, quint64 changeCount)
{
    clear();
    // Read before the texts: an address derived again while building belongs to this generation.
    m_addressGeneration = AddressFormats::generation();
    m_building = std::make_unique<const FindEngine::SearchedTexts>(columns);
    // A rebuild after an edit is about as long as the text it replaces.
    m_text.reserve(std::max(m_lastLength, size_t(rows.size()) * 48));
    m_starts.reserve(size_t(rows.size()) + 1);
    m_rows = rows;
    m_columns = columns;
    m_changeCount = changeCount;
}

bool FindRowIndex::isBuildingFor(
    const ContactTable &rows, const QStringList &columns, quint64 changeCount) const
{
    return m_building && changeCount == m_changeCount && m_addressGeneration == AddressFormats::generation()
        && rows.isSharedWith(m_rows) && rows.size() == m_rows.size() && columns == m_columns;
}

bool FindRowIndex::buildSome(const QDeadlineTimer &deadline)
{
    if (!m_building)
        return m_built;
    const qsizetype count = m_rows.size();
    // The clock is read every few rows only: a row takes microseconds.
    constexpr qsizetype RowsBetweenLooks = 64;
    for (qsizetype row = qsizetype(m_starts.size()); row < count;) {
        m_starts.push_back(qsizetype(m_text.size()));
        if (const ContactEntryPtr &entry = m_rows.at(row))
            m_building->append(*entry, m_text);
        ++row;
        if (row % RowsBetweenLooks == 0 && row < count && deadline.hasExpired())
            return false;
    }
    m_starts.push_back(qsizetype(m_text.size()));
    m_text.shrink_to_fit();
    m_lastLength = m_text.size();
    m_building.reset();
    m_built = true;
    return true;
}

void FindRowIndex::clear()
{
    std::u16string().swap(m_text);
    m_starts = {};
    m_rows = {};
    m_columns = {};
    m_built = false;
    m_building.reset();
}

bool FindRowIndex::canFilter(const QString &needle, Qt::CaseSensitivity cs)
{
    if (needle.contains(QChar(FindEngine::SearchedTexts::Separator)))
        return false;
    return cs == Qt::CaseSensitive
        || std::none_of(needle.cbegin(), needle.cend(), [](QChar c) { return c.isSurrogate(); });
}

qsizetype FindRowIndex::rowAt(qsizetype position) const
{
    // The last row starting at or before the position: empty rows share their start with the next.
    const auto it = std::upper_bound(m_starts.cbegin(), m_starts.cend(), position);
    return qsizetype(it - m_starts.cbegin()) - 1;
}

qsizetype FindRowIndex::memoryBytes() const
{
    if (!m_built)
        return 0;
    return qsizetype(m_text.capacity() * sizeof(char16_t) + m_starts.capacity() * sizeof(qsizetype));
}

// Remembers, from its last look into the text, a run of rows without the needle and the row that
// holds it next in the direction searched: the table search asks row by row, and one look answers
// for every row up to that one.
class FindRowIndex::Probe
{
public:
    Probe(const FindRowIndex &index, const QString &needle, Qt::CaseSensitivity cs, Direction direction)
        : m_index(index)
        , m_needle(needle)
        , m_cs(cs)
        , m_forward(direction == Direction::Forward)
    {
    }

    bool operator()(qsizetype row)
    {
        if (row < 0 || row + 1 >= qsizetype(m_index.m_starts.size()))
            return true; // not a row the index knows: let the search look
        if (row >= m_cleanFrom && row <= m_cleanTo)
            return false;
        if (row != m_holder)
            look(row);
        return row == m_holder;
    }

private:
    void look(qsizetype row)
    {
        const QStringView text(m_index.m_text);
        const qsizetype rows = qsizetype(m_index.m_starts.size()) - 1;
        if (m_forward) {
            const qsizetype at = text.indexOf(m_needle, qsizetype(m_index.m_starts[size_t(row)]), m_cs);
            m_holder = at < 0 ? rows : m_index.rowAt(at);
            m_cleanFrom = row;
            m_cleanTo = m_holder - 1;
            return;
        }
        // Backwards the text ends with the row's own; no match can run past its last separator.
        const QStringView before = text.first(qsizetype(m_index.m_starts[size_t(row) + 1]));
        const qsizetype at = before.size() < m_needle.size()
            ? -1
            : before.lastIndexOf(QStringView(m_needle), before.size() - m_needle.size(), m_cs);
        m_holder = at < 0 ? -1 : m_index.rowAt(at);
        m_cleanFrom = m_holder + 1;
        m_cleanTo = row;
    }

    const FindRowIndex &m_index;
    QString m_needle;
    Qt::CaseSensitivity m_cs;
    bool m_forward;
    qsizetype m_cleanFrom = 0; // rows from here to m_cleanTo do not hold the needle
    qsizetype m_cleanTo = -1;
    qsizetype m_holder = -2; // the row that holds it next, or one past the rows; -2 before any look
};

FindEngine::RowFilter FindRowIndex::filter(
    const QString &needle, Qt::CaseSensitivity cs, Direction direction) const
{
    return Probe(*this, needle, cs, direction);
}
