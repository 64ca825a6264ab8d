#include "find/FindPanelIndex.h"

#include "find/FindPanelSearch.h"
#include "find/FindPanelSideReader.h"
#include "model/AddressFormats.h"
#include "model/Identifiers.h"
#include "model/ZRPerson.h"

#include <QStringView>
#include <QThread>
#include <algorithm>
#include <cstdint>
#include <sys/mman.h>

namespace {

bool cardTexts = true;

// The runs of contacts the reading is shared in when long enough: the other thread's part of a run
// is searched only once the two threads meet, so a run is some tens of milliseconds of reading.
constexpr qsizetype SharedRun = 8192;
constexpr qsizetype ShortestSharedRun = 1024;

// Appends the texts of a record still to be built from the card it was read from, if its card can
// stand for it; NeedsRecord, appending nothing, when the record must be read.
CardTexts::Reading appendCardTexts(const ZRPerson &person, std::u16string &out)
{
    const CardTexts::Reading reading
        = CardTexts::append(person.unbuiltCard(), FindPanelSearch::TextSeparator, out);
    if (reading != CardTexts::Reading::NeedsRecord) {
        // The name is built as the card is read and may have been changed since through its
        // dictionary, which leaves the other values unbuilt.
        const QVariantMap &name = person.readNameValue();
        for (const QString *part : { &Ident::FirstName, &Ident::MiddleName, &Ident::LastName }) {
            const auto it = name.constFind(*part);
            if (it != name.cend() && it->typeId() == QMetaType::QString) {
                // Read where it lies: a copy of every name part costs a tenth of the reading.
                const QString &text = *static_cast<const QString *>(it->constData());
                out.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
            } else if (it != name.cend()) {
                const QString text = it->toString();
                out.append(reinterpret_cast<const char16_t *>(text.constData()), size_t(text.size()));
            }
            out.push_back(FindPanelSearch::TextSeparator);
        }
    }
    return reading;
}

// The texts of tens of megabytes are written once, front to back: in pages of two megabytes they
// cost a few faults instead of one for every four kilobytes.
void adviseLargePages(std::u16string &text)
{
    constexpr std::uintptr_t large = std::uintptr_t(2) << 20;
    const auto from = reinterpret_cast<std::uintptr_t>(text.data());
    const auto begin = (from + large - 1) & ~(large - 1);
    const auto end = (from + text.capacity() * sizeof(char16_t)) & ~(large - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE); // advice only
}

// What the other thread reads: only what reading leaves as it is, the cards and the records already
// built and derived, so that the records are never changed from two threads.
CardTexts::Reading readUnchanged(
    const ContactEntry &entry, std::u16string &out, const FindPanelSearch &reader)
{
    const ZRPerson &person = *entry.person;
    if (person.hasUnbuiltValues())
        return cardTexts && person.nameReadsUnchanged() ? appendCardTexts(person, out)
                                                        : CardTexts::Reading::NeedsRecord;
    if (!person.valuesReadUnchanged())
        return CardTexts::Reading::NeedsRecord;
    reader.appendTexts(entry, out);
    return CardTexts::Reading::Texts;
}

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
    adviseLargePages(m_text);
}

void FindPanelIndex::clear()
{
    if (m_side)
        m_side->drop();
    std::u16string().swap(m_text);
    m_starts = { 0 };
    std::vector<qsizetype>().swap(m_dated);
    m_dateNeedle.clear(); // the weekdays' names may have changed with the language
    m_reader.reset();
    m_contacts = {};
    m_items = {};
}

void FindPanelIndex::readUpTo(qsizetype end, SideReading side)
{
    if (!m_reader)
        return;
    end = std::min(end, m_contacts.size());
    // The other thread reads on while this one searches what it has: it is kept busy from here on.
    if (side == SideReading::GoOn)
        shareAhead();
    while (readCount() < end) {
        if (m_side && m_side->isSharing()) {
            const qsizetype claimed = m_side->claimFront(readCount() + FindPanelSideReader::Step);
            if (claimed > readCount()) {
                while (readCount() < claimed)
                    readContact(readCount());
                continue;
            }
            m_side->handOver([this](CardTexts::Reading reading, std::u16string_view texts) {
                if (reading == CardTexts::Reading::NeedsRecord)
                    return readContact(readCount());
                if (reading == CardTexts::Reading::DatedTexts)
                    m_dated.push_back(readCount());
                m_text.append(texts);
                m_starts.push_back(qsizetype(m_text.size()));
            });
            continue; // the run may have been the last of what is asked for
        }
        if (!shareAhead())
            readContact(readCount());
    }
    if (side == SideReading::Pause)
        pauseSideReading();
}

bool FindPanelIndex::shareAhead()
{
    if (m_side && m_side->isSharing()) {
        m_side->resume();
        return true;
    }
    static const bool twoThreads = QThread::idealThreadCount() > 1; // a system call each time
    if (!twoThreads || m_contacts.size() - readCount() < ShortestSharedRun)
        return false;
    if (!m_side) {
        m_side
            = std::make_unique<FindPanelSideReader>([this](const ContactEntry &entry, std::u16string &out) {
                  return readUnchanged(entry, out, *m_reader);
              });
    }
    m_side->share(m_contacts.constData(), readCount(), std::min(m_contacts.size(), readCount() + SharedRun));
    return true;
}

void FindPanelIndex::pauseSideReading()
{
    if (m_side)
        m_side->pause();
}

void FindPanelIndex::readContact(qsizetype contact)
{
    if (const ContactEntryPtr &entry = m_contacts.at(contact); entry && entry->person) {
        const ZRPerson &person = *entry->person;
        const CardTexts::Reading reading = cardTexts && person.hasUnbuiltValues()
            ? appendCardTexts(person, m_text)
            : CardTexts::Reading::NeedsRecord;
        if (reading == CardTexts::Reading::DatedTexts)
            m_dated.push_back(contact);
        else if (reading == CardTexts::Reading::NeedsRecord)
            m_reader->appendTexts(*entry, m_text);
    }
    m_starts.push_back(qsizetype(m_text.size()));
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
