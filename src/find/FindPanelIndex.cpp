#include "find/FindPanelIndex.h"

#include "find/FindPanelSearch.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"

#include <QStringView>
#include <algorithm>

FindPanelIndex::FindPanelIndex() = default;
FindPanelIndex::~FindPanelIndex() = default;

bool FindPanelIndex::isFor(const ContactTable &contacts, const QStringList &items, quint64 changeCount) const
{
    return m_reader && changeCount == m_changeCount && m_addressGeneration == AddressFormats::generation()
        && contacts.isSharedWith(m_contacts) && contacts.size() == m_contacts.size() && items == m_items;
}

void FindPanelIndex::start(const ContactTable &contacts, const QStringList &items, quint64 changeCount)
{
    clear();
    // Read before the texts: an address derived again while reading belongs to this generation.
    m_addressGeneration = AddressFormats::generation();
    // Every sub-item and label: the texts serve a search under any of those filters.
    m_reader = std::make_unique<const FindPanelSearch>(QString(), FindPanel::Mode::CaseSensitive, items);
    m_contacts = contacts;
    m_items = items;
    m_changeCount = changeCount;
    m_starts.reserve(size_t(contacts.size()) + 1);
}

void FindPanelIndex::clear()
{
    std::u16string().swap(m_text);
    m_starts = { 0 };
    m_reader.reset();
    m_contacts = {};
    m_items = {};
}

void FindPanelIndex::readUpTo(qsizetype end)
{
    if (!m_reader)
        return;
    end = std::min(end, m_contacts.size());
    for (qsizetype contact = readCount(); contact < end; ++contact) {
        if (const ContactEntryPtr &entry = m_contacts.at(contact))
            m_reader->appendTexts(*entry, m_text);
        m_starts.push_back(qsizetype(m_text.size()));
    }
}

bool FindPanelIndex::canFilter(const QString &needle, Qt::CaseSensitivity cs)
{
    if (needle.isEmpty() || needle.contains(QChar(FindPanelSearch::TextSeparator)))
        return false;
    return cs == Qt::CaseSensitive
        || std::none_of(needle.cbegin(), needle.cend(), [](QChar c) { return c.isSurrogate(); });
}

qsizetype FindPanelIndex::nextHolder(
    qsizetype from, qsizetype to, const QString &needle, Qt::CaseSensitivity cs) const
{
    if (from >= to)
        return to;
    const qsizetype begin = m_starts[size_t(from)];
    // Each contact's texts end with a separator, so no match runs out of the span into the next.
    const QStringView span = QStringView(m_text).sliced(begin, m_starts[size_t(to)] - begin);
    const qsizetype at = span.indexOf(needle, 0, cs);
    if (at < 0)
        return to;
    // The last contact starting at or before the match: empty ones share their start with the next.
    const auto it = std::upper_bound(m_starts.cbegin() + from, m_starts.cbegin() + to + 1, begin + at);
    return qsizetype(it - m_starts.cbegin()) - 1;
}

qsizetype FindPanelIndex::memoryBytes() const
{
    return qsizetype(m_text.capacity() * sizeof(char16_t) + m_starts.capacity() * sizeof(qsizetype));
}
