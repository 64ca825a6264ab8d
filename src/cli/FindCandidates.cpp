#include "cli/FindCandidates.h"

#include "find/FindPanelSearch.h"
#include "model/StoreContactTexts.h"
#include "model/ZRPerson.h"

#include <memory>

namespace {

std::atomic<quint64> nextId { 1 };

// Only the fields a contact's texts cover can be vouched for; any other item (one a record takes
// from the card's own properties) sends every record to the full search.
bool itemsCovered(const QStringList &items)
{
    if (!items.isEmpty() && items.first() == LabelText::All)
        return true;
    for (const QString &item : items) {
        if (!ZRPerson::allIdentifiers().contains(item) && !ZRPerson::addressIdentifiers().contains(item))
            return false;
    }
    return true;
}

} // namespace

FindCandidates::FindCandidates(const QString &text, const FindOptions::Search &search)
    : m_text(text)
    , m_search(search)
    , m_id(nextId.fetch_add(1))
    , m_active(itemsCovered(search.items))
{
}

ObservedVCardRead::Observer FindCandidates::observer()
{
    if (!m_active)
        return {};
    return [this](const StoreContact &contact, const ZRPerson &person) {
        m_seen.fetch_add(1, std::memory_order_relaxed);
        if (!matchesAny(contact))
            return;
        const std::lock_guard lock(m_mutex);
        m_candidates.insert(&person);
    };
}

bool FindCandidates::matchesAny(const StoreContact &contact) const
{
    // A compiled pattern of its own on every reading thread, as the find command's searchers have.
    struct Matcher
    {
        quint64 owner = 0;
        std::unique_ptr<FindPanelSearch> search;
    };
    thread_local Matcher matcher;
    if (matcher.owner != m_id) {
        // Only ranges() is asked: the filters do not narrow which texts may match.
        matcher.search = std::make_unique<FindPanelSearch>(m_text, m_search.mode);
        matcher.owner = m_id;
    }
    const FindPanelSearch &search = *matcher.search;
    return StoreContactTexts::anyOf(contact,
        [&search](const QString &text) { return !text.isEmpty() && !search.ranges(text).isEmpty(); });
}

void FindCandidates::readEnded(qsizetype recordsRead)
{
    if (m_seen.load() < recordsRead)
        m_active = false;
}

bool FindCandidates::mayHold(const ZRPerson *person) const
{
    return !m_active || m_candidates.contains(person);
}
