#include "find/FindPanelIndex.h"

#include "find/FindPanelSearch.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QStringView>
#include <algorithm>

namespace {

bool cardTexts = true;

} // namespace

bool FindPanelIndex::cardTextsUsed()
{
    return cardTexts;
}

void FindPanelIndex::setCardTextsUsed(bool used)
{
    cardTexts = used;
}

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
    // About what a contact's texts take: doubling a text of many megabytes as it grows costs the
    // first search as much as reading it.
    m_text.reserve(size_t(contacts.size()) * 256);
}

void FindPanelIndex::clear()
{
    std::u16string().swap(m_text);
    m_starts = { 0 };
    std::vector<qsizetype>().swap(m_dated);
    m_dateNeedle.clear(); // the weekdays' names may have changed with the language
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
        if (const ContactEntryPtr &entry = m_contacts.at(contact); entry && entry->person) {
            switch (readCard(*entry->person)) {
            case CardTexts::Reading::DatedTexts:
                m_dated.push_back(contact);
                break;
            case CardTexts::Reading::Texts:
                break;
            case CardTexts::Reading::NeedsRecord:
                m_reader->appendTexts(*entry, m_text);
                break;
            }
        }
        m_starts.push_back(qsizetype(m_text.size()));
    }
}

CardTexts::Reading FindPanelIndex::readCard(const ZRPerson &person)
{
    if (!cardTexts || !person.hasUnbuiltValues())
        return CardTexts::Reading::NeedsRecord;
    const CardTexts::Reading reading
        = CardTexts::append(person.unbuiltCard(), FindPanelSearch::TextSeparator, m_text);
    if (reading != CardTexts::Reading::NeedsRecord) {
        // The name is built as the card is read and may have been changed since through its
        // dictionary, which leaves the other values unbuilt.
        const QVariantMap &name = person.readNameValue();
        for (const QString *part : { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName }) {
            const QString text = name.value(*part).toString();
            m_text.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
            m_text.push_back(FindPanelSearch::TextSeparator);
        }
    }
    return reading;
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
    // A card's dates become texts only with its record: any of them may be the one that holds the
    // needle, so the first such contact ends the span looked through.
    if (needle != m_dateNeedle || cs != m_dateNeedleCase) {
        m_dateNeedle = needle;
        m_dateNeedleCase = cs;
        m_needleMayBeDate = CardTexts::mayBeInDate(needle, cs);
    }
    qsizetype end = to;
    if (m_needleMayBeDate) {
        const auto dated = std::lower_bound(m_dated.cbegin(), m_dated.cend(), from);
        if (dated != m_dated.cend() && *dated < to)
            end = *dated;
    }
    const qsizetype begin = m_starts[size_t(from)];
    // Each contact's texts end with a separator, so no match runs out of the span into the next.
    const QStringView span = QStringView(m_text).sliced(begin, m_starts[size_t(end)] - begin);
    const qsizetype at = span.indexOf(needle, 0, cs);
    if (at < 0)
        return end;
    // The last contact starting at or before the match: empty ones share their start with the next.
    const auto it = std::upper_bound(m_starts.cbegin() + from, m_starts.cbegin() + end + 1, begin + at);
    return qsizetype(it - m_starts.cbegin()) - 1;
}

qsizetype FindPanelIndex::memoryBytes() const
{
    return qsizetype(m_text.capacity() * sizeof(char16_t)
        + (m_starts.capacity() + m_dated.capacity()) * sizeof(qsizetype));
}
